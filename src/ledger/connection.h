#pragma once

#include "jet/catalog.h"
#include "jet/translation.h"
#include "value.h"

#include <functional>
#include <future>
#include <list>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

struct sqlite3;
struct sqlite3_stmt;

namespace ledger {

using jet::Field;

// A named statement parameter; names match regardless of Latin case.
struct Param {
    std::string name;
    Value value;
};
using Params = std::vector<Param>;

using Row = std::vector<Value>;

struct ResultSet {
    std::vector<Field> fields;
    std::vector<Row> rows;
};

// The parts of a connection string that matter here:
// "Provider=…;Data Source=fmy.dll;…;Jet OLEDB:Database Password=…".
struct ConnectionSettings {
    std::string dataSource;
    std::string password;
    static ConnectionSettings parse(const std::string& connectionString);
};

// Why the last open failed. A damaged file is told apart so that the
// sign-in window can point the family to the newest backup.
enum class OpenFailure {
    None, // the last open succeeded, or none was tried
    Missing, // no file at the data source
    NotLedger, // a file, but no ledger database of this program
    WrongPassword, // a ledger protected by another password
    Damaged, // a ledger whose pages fail the integrity check
    Other, // anything else (no data source, SQLite cannot open it)
};

// The verdict of SQLite's quick check of a ledger file's pages: the result
// code of the check, its first line ("ok" for a sound file) and SQLite's
// message.
struct IntegrityVerdict {
    int code = 0;
    std::string text;
    std::string message;
};

// The quick check of a ledger file, run on a thread of its own through a
// read-only connection of its own, so that it overlaps the rest of the
// program's start-up; Connection::open takes its verdict instead of reading
// the whole file a second time. Nothing is written.
class EarlyIntegrityCheck {
public:
    explicit EarlyIntegrityCheck(std::string path);
    // Waits for a check still under way.
    ~EarlyIntegrityCheck();
    EarlyIntegrityCheck(const EarlyIntegrityCheck&) = delete;
    EarlyIntegrityCheck& operator=(const EarlyIntegrityCheck&) = delete;

    const std::string& path() const { return path_; }
    bool ready() const;
    // Waits for the verdict; it can be taken once.
    IntegrityVerdict verdict();

private:
    std::string path_;
    std::future<IntegrityVerdict> verdict_;
};

// The one database connection: opens a ledger file (checking its database
// password), runs statements of the dialect, and holds at most one
// transaction. Translations and prepared statements are cached by text.
class Connection {
public:
    Connection();
    ~Connection();
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    // Opens an existing ledger file; nothing is created. Throws Error(Open)
    // for a missing file, a file that is no ledger database, a wrong
    // password or a damaged file (see openFailure), and leaves the
    // connection closed. Nothing is written to a file that fails to open.
    // An early check of the same file stands in for the check at open.
    void open(const std::string& connectionString, EarlyIntegrityCheck* early = nullptr);
    // Opens without waiting for the early check: reads go on meanwhile, and
    // the first write (or settleIntegrity) takes the verdict first, so that
    // nothing is ever written to a damaged file.
    void openBeforeVerdict(const std::string& connectionString, std::unique_ptr<EarlyIntegrityCheck> early);
    bool awaitingVerdict() const { return pending_ != nullptr; }
    bool verdictReady() const { return !pending_ || pending_->ready(); }
    // Takes the verdict of the check under way, waiting for it; a damaged
    // ledger closes the connection and throws Error(Open) as open() does.
    void settleIntegrity();
    void close();
    bool isOpen() const { return db_ != nullptr; }
    const std::string& path() const { return path_; }
    OpenFailure openFailure() const { return openFailure_; }
    // The SQLite handle, for the online backup of the open ledger; null
    // when closed.
    sqlite3* handle() const { return db_; }

    // Creates a new, empty ledger file protected by the password and opens
    // it. Fails when the file exists already.
    void create(const std::string& path, const std::string& password);

    // Statements of the dialect.
    ResultSet select(const std::string& statement, const Params& params = {});
    // The same, handing each row to the sink as it is read.
    std::vector<Field> select(const std::string& statement, const Params& params, const std::function<void(Row&&)>& sink);
    int64_t execute(const std::string& statement, const Params& params = {});
    std::shared_ptr<const jet::Translation> translate(const std::string& statement);

    // Statements in SQLite's own SQL with positional values, for the
    // recordsets' writes and the schema builder.
    int64_t executeNative(const std::string& sql, const std::vector<Value>& values = {});
    std::vector<Row> selectNative(const std::string& sql, const std::vector<Value>& values, const std::vector<ColumnType>& types);
    int64_t lastInsertId() const;

    // Transactions; one at a time.
    void beginTransaction();
    void commit();
    void rollback();
    bool inTransaction() const { return inTransaction_; }
    // Runs `then` once the open transaction is committed (at once when none
    // is open); a rollback drops it. A recordset marks its rows as saved
    // this way only when what it wrote is really kept.
    void whenCommitted(std::function<void()> then);

    const jet::Catalog& catalog() const { return catalog_; }
    // Reads tables and saved queries again, after the schema changed.
    void reloadCatalog();

private:
    class Statement;
    Statement& prepare(const std::string& sql);
    void bind(Statement& stmt, int index, const Value& value);
    void bindSlots(Statement& stmt, const jet::Translation& t, const Params& params);
    [[noreturn]] void raise(int code, const std::string& context = {});
    void openFile(const std::string& connectionString, EarlyIntegrityCheck* early, bool deferred);
    void registerFunctions();
    void tune();
    void checkIntegrity(const IntegrityVerdict& early);
    void clearCaches();
    void checkOpen() const;

    sqlite3* db_ = nullptr;
    std::string path_;
    std::string openError_; // why the last open failed
    OpenFailure openFailure_ = OpenFailure::None;
    std::unique_ptr<EarlyIntegrityCheck> pending_; // a verdict not yet taken
    jet::Catalog catalog_;
    bool inTransaction_ = false;
    std::vector<std::function<void()>> committed_;

    // Translation cache, least recently used first out.
    using TranslationList = std::list<std::pair<std::string, std::shared_ptr<const jet::Translation>>>;
    TranslationList translationOrder_;
    std::unordered_map<std::string, TranslationList::iterator> translations_;
    std::unordered_map<std::string, std::unique_ptr<Statement>> statements_;

public:
    // Set by the engine's own SQL functions when they refuse a value, so the
    // error keeps its kind.
    struct FunctionFailure {
        bool set = false;
        int kind = 0;
    } functionFailure_;
};

// A unit of work: begins a transaction, or joins the caller's when one is
// open already. Unless commit() was reached, leaving the scope (an error
// on the way included) rolls an own transaction back.
class Transaction {
public:
    explicit Transaction(Connection& connection);
    ~Transaction();
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;
    void commit();

private:
    Connection& connection_;
    bool own_;
    bool done_ = false;
};

// Decodes one SQLite column into a value of the field's type.
Value readColumn(sqlite3_stmt* stmt, int column, const ColumnType& type);

} // namespace ledger
