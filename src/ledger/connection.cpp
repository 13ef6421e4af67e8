#include "connection.h"

#include "error.h"
#include "sha256.h"

#include <sqlite3.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <random>
#include <utility>

namespace ledger {

namespace {

constexpr size_t kTranslationCacheSize = 512;
constexpr size_t kStatementCacheSize = 256;
constexpr const char* kFormatName = "household-ledger";

std::string trim(const std::string& s)
{
    const size_t a = s.find_first_not_of(" \t");
    if (a == std::string::npos)
        return {};
    const size_t b = s.find_last_not_of(" \t");
    return s.substr(a, b - a + 1);
}

bool fileExists(const std::string& path)
{
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

ColumnType parseDeclaredType(std::string declared, bool primaryKey)
{
    for (char& c : declared)
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    auto startsWith = [&](const char* p) { return declared.rfind(p, 0) == 0; };
    if (startsWith("TEXT")) {
        int width = 255;
        const size_t open = declared.find('(');
        if (open != std::string::npos)
            width = std::atoi(declared.c_str() + open + 1);
        return {Type::Text, width > 0 ? width : 255, false};
    }
    if (startsWith("INTEGER") && primaryKey)
        return {Type::Long, 0, true};
    if (startsWith("LONG") || startsWith("INTEGER"))
        return {Type::Long, 0, false};
    if (startsWith("CURRENCY"))
        return {Type::Currency, 0, false};
    if (startsWith("DOUBLE"))
        return {Type::Double, 0, false};
    if (startsWith("DATETIME"))
        return {Type::DateTime, 0, false};
    if (startsWith("BIT") || startsWith("BOOLEAN"))
        return {Type::Boolean, 0, false};
    return {Type::Text, 255, false};
}

// Messages of the CHECK constraints are their names; see the schema.
std::string translateSqliteMessage(const std::string& message, Error::Kind& kind)
{
    static const std::string check = "CHECK constraint failed: ";
    if (message.rfind(check, 0) == 0) {
        kind = Error::Kind::Constraint;
        return message.substr(check.size());
    }
    if (message == "integer overflow") {
        kind = Error::Kind::Range;
        return "金额超出货币类型的范围";
    }
    if (message.find("file is not a database") != std::string::npos) {
        kind = Error::Kind::Open;
        return "文件不是有效的账本数据库";
    }
    if (message.find("database is locked") != std::string::npos) {
        kind = Error::Kind::Database;
        return "数据库正被其他程序使用，请稍后再试";
    }
    return "数据库错误：" + message;
}

// Reads every page and checks the structure of every b-tree. The columns'
// CHECK constraints are left out: evaluating them on every row makes the
// check four times slower on a big ledger, and they guard values, not
// pages. The flag only affects statements prepared while it is on, and none
// other is prepared here.
IntegrityVerdict quickCheck(sqlite3* db)
{
    sqlite3_exec(db, "PRAGMA ignore_check_constraints = ON", nullptr, nullptr, nullptr);
    sqlite3_stmt* stmt = nullptr;
    IntegrityVerdict verdict;
    verdict.code = sqlite3_prepare_v2(db, "PRAGMA quick_check(1)", -1, &stmt, nullptr);
    if (verdict.code == SQLITE_OK) {
        verdict.code = sqlite3_step(stmt);
        if (verdict.code == SQLITE_ROW && sqlite3_column_text(stmt, 0))
            verdict.text = reinterpret_cast<const char*>(sqlite3_column_text(stmt, 0));
    }
    verdict.message = sqlite3_errmsg(db);
    sqlite3_finalize(stmt);
    sqlite3_exec(db, "PRAGMA ignore_check_constraints = OFF", nullptr, nullptr, nullptr);
    return verdict;
}

[[noreturn]] void refuseOpen(OpenFailure& failure, OpenFailure why, const std::string& message)
{
    failure = why;
    throw Error(Error::Kind::Open, message);
}

Connection* owner(sqlite3_context* context)
{
    return static_cast<Connection*>(sqlite3_user_data(context));
}

void functionError(sqlite3_context* context, const Error& e)
{
    Connection* c = owner(context);
    c->functionFailure_.set = true;
    c->functionFailure_.kind = static_cast<int>(e.kind());
    sqlite3_result_error(context, e.what(), -1);
}

Value argumentValue(sqlite3_value* v)
{
    switch (sqlite3_value_type(v)) {
    case SQLITE_INTEGER: return Value(static_cast<int64_t>(sqlite3_value_int64(v)));
    case SQLITE_FLOAT: return Value(sqlite3_value_double(v));
    case SQLITE_NULL: return Value();
    default:
        return Value(
            std::string(reinterpret_cast<const char*>(sqlite3_value_text(v)), static_cast<size_t>(sqlite3_value_bytes(v))));
    }
}

void resultValue(sqlite3_context* context, const Value& v)
{
    switch (v.type()) {
    case Type::Null: sqlite3_result_null(context); break;
    case Type::Boolean: sqlite3_result_int(context, v.asBool() ? -1 : 0); break;
    case Type::Long: sqlite3_result_int64(context, v.asLong()); break;
    case Type::Currency: sqlite3_result_int64(context, v.asCurrency().raw()); break;
    case Type::Double: sqlite3_result_double(context, v.asDouble()); break;
    case Type::Text:
        sqlite3_result_text(context, v.asText().data(), static_cast<int>(v.asText().size()), SQLITE_TRANSIENT);
        break;
    case Type::DateTime: {
        const std::string s = v.asDateTime().canonical();
        sqlite3_result_text(context, s.c_str(), static_cast<int>(s.size()), SQLITE_TRANSIENT);
        break;
    }
    }
}

template <Type T>
void convertFunction(sqlite3_context* context, int, sqlite3_value** argv)
{
    try {
        resultValue(context, argumentValue(argv[0]).convertedTo(ColumnType{T, 0, false}));
    } catch (const Error& e) {
        functionError(context, e);
    }
}

void dateTextFunction(sqlite3_context* context, int, sqlite3_value** argv)
{
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL) {
        sqlite3_result_null(context);
        return;
    }
    const auto text = reinterpret_cast<const char*>(sqlite3_value_text(argv[0]));
    auto d = DateTime::fromCanonical(text ? text : "");
    const std::string out = d ? formatDateTimeText(*d) : std::string(text ? text : "");
    sqlite3_result_text(context, out.c_str(), static_cast<int>(out.size()), SQLITE_TRANSIENT);
}

void divideFunction(sqlite3_context* context, int, sqlite3_value** argv)
{
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL || sqlite3_value_type(argv[1]) == SQLITE_NULL) {
        sqlite3_result_null(context);
        return;
    }
    const double divisor = sqlite3_value_double(argv[1]);
    if (divisor == 0) {
        functionError(context, Error(Error::Kind::Range, "除数为零"));
        return;
    }
    sqlite3_result_double(context, sqlite3_value_double(argv[0]) / divisor);
}

void resultText(sqlite3_context* context, const std::string& text)
{
    sqlite3_result_text(context, text.data(), static_cast<int>(text.size()), SQLITE_TRANSIENT);
}

std::string argumentText(sqlite3_value* v)
{
    const auto text = reinterpret_cast<const char*>(sqlite3_value_text(v));
    return text ? std::string(text, static_cast<size_t>(sqlite3_value_bytes(v))) : std::string();
}

// Money as a plain decimal: -12.5, 0, 1000.25.
void currencyTextFunction(sqlite3_context* context, int, sqlite3_value** argv)
{
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL) {
        sqlite3_result_null(context);
        return;
    }
    const int64_t raw = sqlite3_value_int64(argv[0]);
    const uint64_t magnitude = raw < 0 ? 0 - static_cast<uint64_t>(raw) : static_cast<uint64_t>(raw);
    std::string fraction = std::to_string(magnitude % 10000);
    fraction.insert(0, 4 - fraction.size(), '0');
    while (!fraction.empty() && fraction.back() == '0')
        fraction.pop_back();
    resultText(context, (raw < 0 ? "-" : "") + std::to_string(magnitude / 10000) + (fraction.empty() ? "" : "." + fraction));
}

// Text & text: a missing side counts as empty; Null only when both are.
void concatFunction(sqlite3_context* context, int, sqlite3_value** argv)
{
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL && sqlite3_value_type(argv[1]) == SQLITE_NULL) {
        sqlite3_result_null(context);
        return;
    }
    resultText(context, argumentText(argv[0]) + argumentText(argv[1]));
}

// The last n characters; none for a count below one.
void rightFunction(sqlite3_context* context, int, sqlite3_value** argv)
{
    if (sqlite3_value_type(argv[1]) == SQLITE_NULL) {
        sqlite3_result_null(context);
        return;
    }
    const int64_t n = sqlite3_value_int64(argv[1]);
    if (n <= 0) {
        resultText(context, {});
        return;
    }
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL) {
        sqlite3_result_null(context);
        return;
    }
    const std::string text = argumentText(argv[0]);
    size_t start = text.size();
    for (int64_t taken = 0; start > 0 && taken < n; ++taken) {
        --start;
        while (start > 0 && (static_cast<unsigned char>(text[start]) & 0xC0) == 0x80)
            --start;
    }
    resultText(context, text.substr(start));
}

} // namespace

// A prepared statement that is reset and unbound whenever it is handed out
// again, so a failure half-way never leaves it busy.
class Connection::Statement {
public:
    explicit Statement(sqlite3_stmt* stmt) : stmt_(stmt) {}
    ~Statement() { sqlite3_finalize(stmt_); }
    sqlite3_stmt* get() const { return stmt_; }
    void reset()
    {
        sqlite3_reset(stmt_);
        sqlite3_clear_bindings(stmt_);
    }

private:
    sqlite3_stmt* stmt_;
};

namespace {

// Resets the statement when the caller is done with it, also on errors.
struct Lease {
    explicit Lease(sqlite3_stmt* s) : stmt(s) {}
    ~Lease() { sqlite3_reset(stmt); }
    sqlite3_stmt* stmt;
};

} // namespace

ConnectionSettings ConnectionSettings::parse(const std::string& connectionString)
{
    ConnectionSettings settings;
    size_t start = 0;
    while (start <= connectionString.size()) {
        size_t end = connectionString.find(';', start);
        if (end == std::string::npos)
            end = connectionString.size();
        const std::string part = connectionString.substr(start, end - start);
        const size_t eq = part.find('=');
        if (eq != std::string::npos) {
            const std::string key = trim(part.substr(0, eq));
            const std::string value = trim(part.substr(eq + 1));
            if (jet::sameName(key, "Data Source"))
                settings.dataSource = value;
            else if (jet::sameName(key, "Jet OLEDB:Database Password"))
                settings.password = value;
        }
        start = end + 1;
    }
    return settings;
}

Connection::Connection() = default;

Connection::~Connection()
{
    close();
}

void Connection::checkOpen() const
{
    // A statement after a failed open reports why the open failed.
    if (!db_)
        throw Error(Error::Kind::Open, openError_.empty() ? "数据库没有打开" : openError_);
}

void Connection::openBeforeVerdict(const std::string& connectionString, std::unique_ptr<EarlyIntegrityCheck> early)
{
    openFailure_ = OpenFailure::None;
    try {
        openFile(connectionString, early.get(), true);
        openError_.clear();
        if (early && early->path() == path_)
            pending_ = std::move(early);
        else
            try { // no check of this file under way: check it here
                checkIntegrity({});
            } catch (const Error&) {
                close();
                throw;
            }
    } catch (const Error& e) {
        openError_ = e.what();
        if (openFailure_ == OpenFailure::None)
            openFailure_ = OpenFailure::Other;
        throw;
    }
}

void Connection::settleIntegrity()
{
    if (!pending_)
        return;
    std::unique_ptr<EarlyIntegrityCheck> early = std::move(pending_);
    try {
        checkIntegrity(early->verdict());
    } catch (const Error& e) {
        openError_ = e.what();
        close();
        throw;
    }
}

void Connection::open(const std::string& connectionString, EarlyIntegrityCheck* early)
{
    openFailure_ = OpenFailure::None;
    try {
        openFile(connectionString, early, false);
        openError_.clear();
    } catch (const Error& e) {
        openError_ = e.what();
        if (openFailure_ == OpenFailure::None)
            openFailure_ = OpenFailure::Other;
        throw;
    }
}

void Connection::openFile(const std::string& connectionString, EarlyIntegrityCheck* early, bool deferred)
{
    close();
    const ConnectionSettings settings = ConnectionSettings::parse(connectionString);
    if (settings.dataSource.empty())
        throw Error(Error::Kind::Open, "连接字符串中没有数据源");
    if (!fileExists(settings.dataSource))
        refuseOpen(openFailure_, OpenFailure::Missing, "找不到数据库文件“" + settings.dataSource + "”");
    sqlite3* db = nullptr;
    // One connection on one thread: no need for SQLite's per-call locking.
    if (sqlite3_open_v2(settings.dataSource.c_str(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX, nullptr) != SQLITE_OK) {
        const std::string message = db ? sqlite3_errmsg(db) : "无法打开";
        sqlite3_close(db);
        throw Error(Error::Kind::Open, "无法打开数据库文件“" + settings.dataSource + "”：" + message);
    }
    db_ = db;
    path_ = settings.dataSource;
    try {
        sqlite3_busy_timeout(db_, 3000);
        tune();
        const bool ownCheck = early && early->path() == settings.dataSource;
        if (!deferred)
            checkIntegrity(ownCheck ? early->verdict() : IntegrityVerdict{});
        std::vector<Row> meta;
        try {
            meta = selectNative("SELECT key, value FROM ledger_meta", {}, {{Type::Text}, {Type::Text}});
        } catch (const Error&) {
            // Unreadable before the verdict: a damaged file is told as such.
            if (deferred)
                checkIntegrity(ownCheck ? early->verdict() : IntegrityVerdict{});
            refuseOpen(openFailure_, OpenFailure::NotLedger, "文件“" + settings.dataSource + "”不是有效的账本数据库");
        }
        std::string format, salt, hash;
        for (const Row& r : meta) {
            const std::string key = r[0].toText();
            const std::string value = r[1].toText();
            if (key == "format")
                format = value;
            else if (key == "password_salt")
                salt = value;
            else if (key == "password_hash")
                hash = value;
        }
        if (format != kFormatName)
            refuseOpen(openFailure_, OpenFailure::NotLedger, "文件“" + settings.dataSource + "”不是有效的账本数据库");
        if (sha256Hex(salt + settings.password) != hash)
            refuseOpen(openFailure_, OpenFailure::WrongPassword, "数据库密码不正确");
        registerFunctions();
        reloadCatalog();
    } catch (...) {
        close();
        throw;
    }
}

void Connection::create(const std::string& path, const std::string& password)
{
    close();
    if (fileExists(path))
        throw Error(Error::Kind::Open, "数据库文件“" + path + "”已经存在");
    sqlite3* db = nullptr;
    if (sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_NOMUTEX, nullptr) !=
        SQLITE_OK) {
        const std::string message = db ? sqlite3_errmsg(db) : "无法创建";
        sqlite3_close(db);
        throw Error(Error::Kind::Open, "无法创建数据库文件“" + path + "”：" + message);
    }
    db_ = db;
    path_ = path;
    tune();
    std::random_device random;
    std::string salt;
    for (int i = 0; i < 4; ++i)
        salt += std::to_string(random());
    try {
        executeNative("CREATE TABLE ledger_meta (key TEXT PRIMARY KEY, value TEXT)");
        executeNative("CREATE TABLE ledger_queries (name TEXT PRIMARY KEY COLLATE NOCASE, definition TEXT NOT NULL)");
        executeNative("INSERT INTO ledger_meta VALUES ('format', ?1), ('version', '1'), ('password_salt', ?2), "
                      "('password_hash', ?3)",
                      {Value(kFormatName), Value(salt), Value(sha256Hex(salt + password))});
        registerFunctions();
        reloadCatalog();
    } catch (...) {
        close();
        std::remove(path.c_str());
        throw;
    }
}

// A big ledger is read often and whole: keep its pages in memory.
void Connection::tune()
{
    sqlite3_exec(db_, "PRAGMA cache_size = -65536; PRAGMA mmap_size = 268435456", nullptr, nullptr, nullptr);
}

// The verdict decides before anything else reads the file, so that a
// damaged ledger is refused rather than half shown (and never written).
void Connection::checkIntegrity(const IntegrityVerdict& early)
{
    // An early check that could not decide (a journal left by a crash, which
    // only a writer may roll back) is done again here.
    const int decided = early.code & 0xff;
    const IntegrityVerdict verdict =
        early.code == SQLITE_ROW || decided == SQLITE_CORRUPT || decided == SQLITE_NOTADB ? early : quickCheck(db_);
    if (verdict.code == SQLITE_ROW && verdict.text == "ok")
        return;
    if ((verdict.code & 0xff) == SQLITE_NOTADB)
        refuseOpen(openFailure_, OpenFailure::NotLedger, "文件“" + path_ + "”不是有效的账本数据库");
    if (verdict.code == SQLITE_ROW || (verdict.code & 0xff) == SQLITE_CORRUPT)
        refuseOpen(openFailure_, OpenFailure::Damaged, "账本文件“" + path_ + "”已损坏，无法打开");
    throw Error(Error::Kind::Open, "无法读取数据库文件“" + path_ + "”：" + verdict.message);
}

EarlyIntegrityCheck::EarlyIntegrityCheck(std::string path)
    : path_(std::move(path)), verdict_(std::async(std::launch::async, [file = path_] {
#ifdef __linux__
          // Behind the windows being built and drawn, which the user waits for.
          setpriority(PRIO_PROCESS, static_cast<id_t>(gettid()), 10);
#endif
          sqlite3* db = nullptr;
          IntegrityVerdict verdict;
          if (sqlite3_open_v2(file.c_str(), &db, SQLITE_OPEN_READONLY | SQLITE_OPEN_NOMUTEX, nullptr) != SQLITE_OK) {
              verdict.code = sqlite3_errcode(db);
              verdict.message = db ? sqlite3_errmsg(db) : "无法打开";
          } else {
              sqlite3_exec(db, "PRAGMA mmap_size = 268435456", nullptr, nullptr, nullptr);
              verdict = quickCheck(db);
          }
          sqlite3_close(db);
          return verdict;
      }))
{
}

EarlyIntegrityCheck::~EarlyIntegrityCheck()
{
    if (verdict_.valid())
        verdict_.wait();
}

bool EarlyIntegrityCheck::ready() const
{
    return !verdict_.valid() || verdict_.wait_for(std::chrono::seconds(0)) == std::future_status::ready;
}

IntegrityVerdict EarlyIntegrityCheck::verdict()
{
    return verdict_.valid() ? verdict_.get() : IntegrityVerdict{SQLITE_MISUSE, {}, "完整性检查的结果已经取走"};
}

void Connection::close()
{
    pending_.reset();
    if (!db_)
        return;
    if (inTransaction_)
        sqlite3_exec(db_, "ROLLBACK", nullptr, nullptr, nullptr);
    inTransaction_ = false;
    clearCaches();
    catalog_.clear();
    sqlite3_close_v2(db_);
    db_ = nullptr;
    path_.clear();
}

void Connection::clearCaches()
{
    statements_.clear();
    translations_.clear();
    translationOrder_.clear();
}

void Connection::registerFunctions()
{
    const int flags = SQLITE_UTF8 | SQLITE_DETERMINISTIC;
    sqlite3_create_function(db_, jet::fn::toLong, 1, flags, this, convertFunction<Type::Long>, nullptr, nullptr);
    sqlite3_create_function(db_, jet::fn::toDouble, 1, flags, this, convertFunction<Type::Double>, nullptr, nullptr);
    sqlite3_create_function(db_, jet::fn::toCurrency, 1, flags, this, convertFunction<Type::Currency>, nullptr, nullptr);
    sqlite3_create_function(db_, jet::fn::toDate, 1, flags, this, convertFunction<Type::DateTime>, nullptr, nullptr);
    sqlite3_create_function(db_, jet::fn::dateText, 1, SQLITE_UTF8, this, dateTextFunction, nullptr, nullptr);
    sqlite3_create_function(db_, jet::fn::divide, 2, flags, this, divideFunction, nullptr, nullptr);
    sqlite3_create_function(db_, jet::fn::currencyText, 1, flags, this, currencyTextFunction, nullptr, nullptr);
    sqlite3_create_function(db_, jet::fn::concat, 2, flags, this, concatFunction, nullptr, nullptr);
    sqlite3_create_function(db_, jet::fn::right, 2, flags, this, rightFunction, nullptr, nullptr);
}

void Connection::reloadCatalog()
{
    checkOpen();
    clearCaches();
    catalog_.clear();
    const std::vector<Row> tables =
        selectNative("SELECT name FROM sqlite_master WHERE type = 'table' AND substr(name, 1, 7) NOT IN ('sqlite_', 'ledger_') "
                     "ORDER BY rowid",
                     {}, {{Type::Text}});
    for (const Row& t : tables) {
        jet::CatalogObject object;
        object.name = t[0].toText();
        const std::vector<Row> columns =
            selectNative("SELECT name, type, pk FROM pragma_table_info(?1)", {t[0]}, {{Type::Text}, {Type::Text}, {Type::Long}});
        for (const Row& c : columns)
            object.columns.push_back({c[0].toText(), parseDeclaredType(c[1].toText(), c[2].asLong() != 0)});
        catalog_.add(std::move(object));
    }
    // Saved queries may read one another: translate until none is left.
    std::vector<Row> pending =
        selectNative("SELECT name, definition FROM ledger_queries ORDER BY rowid", {}, {{Type::Text}, {Type::Text}});
    while (!pending.empty()) {
        std::vector<Row> later;
        for (Row& q : pending) {
            try {
                const jet::Translation t = jet::translate(q[1].toText(), catalog_, jet::Mode::SavedQuery);
                jet::CatalogObject object;
                object.name = q[0].toText();
                object.savedQuery = true;
                object.definition = q[1].toText();
                for (const Field& f : t.fields)
                    object.columns.push_back({f.name, f.type});
                catalog_.add(std::move(object));
            } catch (const Error& e) {
                if (e.kind() != Error::Kind::Name)
                    throw Error(Error::Kind::Open, "保存的查询“" + q[0].toText() + "”有错误：" + e.what());
                later.push_back(std::move(q));
            }
        }
        if (later.size() == pending.size())
            throw Error(Error::Kind::Open, "保存的查询“" + later.front()[0].toText() + "”引用了不存在的表或查询");
        pending = std::move(later);
    }
}

void Connection::raise(int code, const std::string& context)
{
    Error::Kind kind = Error::Kind::Database;
    std::string message = db_ ? sqlite3_errmsg(db_) : "数据库没有打开";
    if (functionFailure_.set) {
        kind = static_cast<Error::Kind>(functionFailure_.kind);
        functionFailure_.set = false;
    } else {
        message = translateSqliteMessage(message, kind);
        if (code == SQLITE_CONSTRAINT && kind == Error::Kind::Database)
            kind = Error::Kind::Constraint;
    }
    throw Error(kind, context.empty() ? message : context + message);
}

Connection::Statement& Connection::prepare(const std::string& sql)
{
    checkOpen();
    auto it = statements_.find(sql);
    if (it != statements_.end()) {
        it->second->reset();
        return *it->second;
    }
    sqlite3_stmt* stmt = nullptr;
    const int rc = sqlite3_prepare_v3(db_, sql.c_str(), static_cast<int>(sql.size()), SQLITE_PREPARE_PERSISTENT, &stmt, nullptr);
    if (rc != SQLITE_OK) {
        sqlite3_finalize(stmt);
        raise(rc);
    }
    if (statements_.size() >= kStatementCacheSize)
        statements_.clear();
    auto& slot = statements_[sql];
    slot = std::make_unique<Statement>(stmt);
    return *slot;
}

void Connection::bind(Statement& stmt, int index, const Value& v)
{
    sqlite3_stmt* s = stmt.get();
    int rc = SQLITE_OK;
    switch (v.type()) {
    case Type::Null: rc = sqlite3_bind_null(s, index); break;
    case Type::Boolean: rc = sqlite3_bind_int(s, index, v.asBool() ? -1 : 0); break;
    case Type::Long: rc = sqlite3_bind_int64(s, index, v.asLong()); break;
    case Type::Currency: rc = sqlite3_bind_int64(s, index, v.asCurrency().raw()); break;
    case Type::Double: rc = sqlite3_bind_double(s, index, v.asDouble()); break;
    case Type::Text:
        rc = sqlite3_bind_text(s, index, v.asText().data(), static_cast<int>(v.asText().size()), SQLITE_TRANSIENT);
        break;
    case Type::DateTime: {
        const std::string text = v.asDateTime().canonical();
        rc = sqlite3_bind_text(s, index, text.c_str(), static_cast<int>(text.size()), SQLITE_TRANSIENT);
        break;
    }
    }
    if (rc != SQLITE_OK)
        raise(rc);
}

void Connection::bindSlots(Statement& stmt, const jet::Translation& t, const Params& params)
{
    for (size_t i = 0; i < t.params.size(); ++i) {
        const jet::ParamSlot& slot = t.params[i];
        const Param* found = nullptr;
        for (const Param& p : params)
            if (jet::sameName(p.name, slot.name))
                found = &p;
        if (!found)
            throw Error(Error::Kind::Usage, "参数“" + slot.name + "”没有值");
        bind(stmt, static_cast<int>(i + 1), found->value.convertedTo(slot.type, "参数“" + slot.name + "”"));
    }
}

std::shared_ptr<const jet::Translation> Connection::translate(const std::string& statement)
{
    checkOpen();
    auto it = translations_.find(statement);
    if (it != translations_.end()) {
        translationOrder_.splice(translationOrder_.begin(), translationOrder_, it->second);
        return it->second->second;
    }
    auto t = std::make_shared<const jet::Translation>(jet::translate(statement, catalog_));
    translationOrder_.emplace_front(statement, t);
    translations_[statement] = translationOrder_.begin();
    if (translationOrder_.size() > kTranslationCacheSize) {
        translations_.erase(translationOrder_.back().first);
        translationOrder_.pop_back();
    }
    return t;
}

Value readColumn(sqlite3_stmt* stmt, int column, const ColumnType& type)
{
    const int storage = sqlite3_column_type(stmt, column);
    if (storage == SQLITE_NULL)
        return {};
    auto text = [&] {
        return std::string(reinterpret_cast<const char*>(sqlite3_column_text(stmt, column)),
                           static_cast<size_t>(sqlite3_column_bytes(stmt, column)));
    };
    switch (type.type) {
    case Type::Long:
        if (storage == SQLITE_INTEGER)
            return Value(static_cast<int64_t>(sqlite3_column_int64(stmt, column)));
        break;
    case Type::Boolean:
        if (storage == SQLITE_INTEGER)
            return Value(sqlite3_column_int64(stmt, column) != 0);
        break;
    case Type::Currency:
        if (storage == SQLITE_INTEGER)
            return Value(Currency::fromRaw(sqlite3_column_int64(stmt, column)));
        // Integer arithmetic that left the 64-bit range fell back to a real.
        if (storage == SQLITE_FLOAT)
            throw Error(Error::Kind::Range, "金额超出货币类型的范围");
        break;
    case Type::Double:
        if (storage == SQLITE_INTEGER || storage == SQLITE_FLOAT)
            return Value(sqlite3_column_double(stmt, column));
        break;
    case Type::Text: return Value(text());
    case Type::DateTime:
        if (storage == SQLITE_TEXT) {
            const auto p = reinterpret_cast<const char*>(sqlite3_column_text(stmt, column));
            if (auto d = DateTime::fromCanonical(std::string_view(p, static_cast<size_t>(sqlite3_column_bytes(stmt, column)))))
                return Value(*d);
        }
        break;
    case Type::Null: break;
    }
    // Anything else (a value some other tool wrote): convert as the engine would.
    Value raw;
    switch (storage) {
    case SQLITE_INTEGER: raw = Value(static_cast<int64_t>(sqlite3_column_int64(stmt, column))); break;
    case SQLITE_FLOAT: raw = Value(sqlite3_column_double(stmt, column)); break;
    default: raw = Value(text()); break;
    }
    return type.type == Type::Null ? raw : raw.convertedTo(ColumnType{type.type, 0, false});
}

ResultSet Connection::select(const std::string& statement, const Params& params)
{
    ResultSet out;
    out.fields = select(statement, params, [&](Row&& row) { out.rows.push_back(std::move(row)); });
    return out;
}

std::vector<Field> Connection::select(const std::string& statement, const Params& params, const std::function<void(Row&&)>& sink)
{
    std::shared_ptr<const jet::Translation> t = translate(statement);
    if (t->kind != jet::Translation::Kind::Select)
        throw Error(Error::Kind::Usage, "该语句不返回记录");
    Statement& stmt = prepare(t->sql);
    Lease lease(stmt.get());
    bindSlots(stmt, *t, params);
    const int columns = static_cast<int>(t->fields.size());
    while (true) {
        const int rc = sqlite3_step(stmt.get());
        if (rc == SQLITE_DONE)
            break;
        if (rc != SQLITE_ROW)
            raise(rc);
        Row row;
        row.reserve(static_cast<size_t>(columns));
        for (int c = 0; c < columns; ++c)
            row.push_back(readColumn(stmt.get(), c, t->fields[static_cast<size_t>(c)].type));
        sink(std::move(row));
    }
    return t->fields;
}

int64_t Connection::execute(const std::string& statement, const Params& params)
{
    settleIntegrity();
    std::shared_ptr<const jet::Translation> t = translate(statement);
    if (t->kind == jet::Translation::Kind::Select)
        throw Error(Error::Kind::Usage, "SELECT 语句应当用查询打开");
    Statement& stmt = prepare(t->sql);
    Lease lease(stmt.get());
    bindSlots(stmt, *t, params);
    const int rc = sqlite3_step(stmt.get());
    if (rc != SQLITE_DONE && rc != SQLITE_ROW)
        raise(rc);
    return sqlite3_changes64(db_);
}

int64_t Connection::executeNative(const std::string& sql, const std::vector<Value>& values)
{
    settleIntegrity();
    Statement& stmt = prepare(sql);
    Lease lease(stmt.get());
    for (size_t i = 0; i < values.size(); ++i)
        bind(stmt, static_cast<int>(i + 1), values[i]);
    const int rc = sqlite3_step(stmt.get());
    if (rc != SQLITE_DONE && rc != SQLITE_ROW)
        raise(rc);
    return sqlite3_changes64(db_);
}

std::vector<Row> Connection::selectNative(const std::string& sql, const std::vector<Value>& values,
                                          const std::vector<ColumnType>& types)
{
    Statement& stmt = prepare(sql);
    Lease lease(stmt.get());
    for (size_t i = 0; i < values.size(); ++i)
        bind(stmt, static_cast<int>(i + 1), values[i]);
    std::vector<Row> rows;
    while (true) {
        const int rc = sqlite3_step(stmt.get());
        if (rc == SQLITE_DONE)
            break;
        if (rc != SQLITE_ROW)
            raise(rc);
        Row row;
        for (size_t c = 0; c < types.size(); ++c)
            row.push_back(readColumn(stmt.get(), static_cast<int>(c), types[c]));
        rows.push_back(std::move(row));
    }
    return rows;
}

int64_t Connection::lastInsertId() const
{
    return db_ ? sqlite3_last_insert_rowid(db_) : 0;
}

void Connection::beginTransaction()
{
    settleIntegrity();
    checkOpen();
    if (inTransaction_)
        throw Error(Error::Kind::Usage, "已有一个事务正在进行，不能再开始一个");
    const int rc = sqlite3_exec(db_, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr);
    if (rc != SQLITE_OK)
        raise(rc);
    inTransaction_ = true;
}

void Connection::commit()
{
    checkOpen();
    if (!inTransaction_)
        throw Error(Error::Kind::Usage, "没有正在进行的事务");
    const int rc = sqlite3_exec(db_, "COMMIT", nullptr, nullptr, nullptr);
    if (rc != SQLITE_OK)
        raise(rc);
    inTransaction_ = false;
    for (auto& then : std::exchange(committed_, {}))
        then();
}

void Connection::whenCommitted(std::function<void()> then)
{
    if (inTransaction_)
        committed_.push_back(std::move(then));
    else
        then();
}

void Connection::rollback()
{
    checkOpen();
    if (!inTransaction_)
        throw Error(Error::Kind::Usage, "没有正在进行的事务");
    inTransaction_ = false;
    committed_.clear();
    if (!sqlite3_get_autocommit(db_))
        sqlite3_exec(db_, "ROLLBACK", nullptr, nullptr, nullptr);
}

} // namespace ledger

namespace ledger {

Transaction::Transaction(Connection& connection) : connection_(connection), own_(!connection.inTransaction())
{
    if (own_)
        connection_.beginTransaction();
}

Transaction::~Transaction()
{
    if (own_ && !done_ && connection_.inTransaction())
        connection_.rollback();
}

void Transaction::commit()
{
    if (own_)
        connection_.commit();
    done_ = true;
}

} // namespace ledger
