#pragma once

#include "connection.h"

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace ledger {

// What a query tells its observers. Changes to the set of rows come in
// pairs (about to / done) so a view can keep its bookkeeping straight.
struct QueryEvent {
    enum class Kind {
        AboutToReset, // the rows are about to be replaced (open, close, cancelBatch…)
        Reset, // the rows were replaced
        AboutToInsert, // row `row` is about to be added
        Inserted,
        AboutToRemove, // row `row` is about to go
        Removed,
        RowChanged, // values of row `row` changed
        CurrentChanged, // the current row moved to `row` (-1: none)
        StateChanged, // editing or pending-change state changed
    };
    Kind kind;
    int row = -1;
};

// A statement object in the manner of the program's data layer: statement
// lines, named parameters, client-side rows with a current row, and edits
// that go back to the one table the statement selects from. In batch mode
// edits stay pending until updateBatch (or cancelBatch drops them); in
// immediate mode post writes the row at once.
class Query {
public:
    enum class RowState { Unchanged, Inserted, Modified };
    enum class EditState { Browse, Edit, Insert };

    Query(Connection& connection, std::string designName = {});
    Query(const Query&) = delete;
    Query& operator=(const Query&) = delete;

    const std::string& designName() const { return designName_; }
    Connection& connection() const { return connection_; }

    // Statement lines, joined by line breaks when sent.
    void clearLines();
    void addLine(const std::string& line);
    void setText(const std::string& statement); // clear, then one line
    std::string text() const;

    // Parameters by name (names match regardless of Latin case).
    void setParam(const std::string& name, Value value);
    Value param(const std::string& name) const;

    void setBatchMode(bool batch) { batch_ = batch; }

    // Runs a statement that returns rows; the first row becomes current.
    void open();
    void close();
    bool isOpen() const { return open_; }
    // Closes and opens again with the current text and parameters.
    void requery();
    // Closes, takes the statement as its one line, and opens.
    void reopen(const std::string& statement);
    // Closes, sets these parameters by name, and opens.
    void reopenWith(const Params& params);
    // Runs a statement that changes rows; returns how many it changed.
    int64_t execSql();

    // Fields of the open result.
    const std::vector<Field>& fields() const { return fields_; }
    int fieldIndex(const std::string& name) const; // -1 when none
    int fieldIndexOrThrow(const std::string& name) const;
    bool isEditable(int field) const;

    // Rows (pending deletes are not among them).
    int rowCount() const { return static_cast<int>(rows_.size()); }
    bool isEmpty() const { return rows_.empty(); }
    const Value& value(int row, int field) const;
    RowState rowState(int row) const;

    // The current row and navigation; moving off an edited row posts it.
    int currentRow() const { return current_; }
    void setCurrentRow(int row);
    void first();
    void last();
    void next();
    void prior();

    // Values of the current row.
    const Value& value(int field) const;
    const Value& value(const std::string& fieldName) const;
    std::string text(const std::string& fieldName) const; // as shown: Null as empty

    // Editing the current row.
    EditState editState() const { return editState_; }
    void append();
    void setValue(int field, const Value& value);
    void setValue(const std::string& fieldName, const Value& value);
    void post();
    void cancel();
    void deleteRow();

    // Batch mode.
    bool hasPendingChanges() const;
    void updateBatch();
    void cancelBatch();

    // Observers. The subscription ends when the returned handle goes (or is
    // reset); a handle that outlives its query ends nothing and is harmless,
    // as happens when a window destroys its queries before its widgets.
    using Listener = std::function<void(const QueryEvent&)>;
    class Subscription;
    [[nodiscard]] Subscription subscribe(Listener listener);

private:
    // What is kept of a row only once it changes.
    struct RowChange {
        std::optional<Row> original; // values as read
        std::vector<bool> assigned; // Inserted: the fields given a value
    };
    struct RowRecord {
        Row values;
        RowState state = RowState::Unchanged;
        int64_t sequence = 0; // position as read, to restore order
        std::unique_ptr<RowChange> change;

        RowRecord() = default;
        RowRecord(RowRecord&&) = default;
        RowRecord& operator=(RowRecord&&) = default;
        RowRecord(const RowRecord& other)
            : values(other.values), state(other.state), sequence(other.sequence),
              change(other.change ? std::make_unique<RowChange>(*other.change) : nullptr)
        {
        }
        RowChange& changes()
        {
            if (!change)
                change = std::make_unique<RowChange>();
            return *change;
        }
        const Row* original() const { return change && change->original ? &*change->original : nullptr; }
        bool isAssigned(size_t field) const { return change && field < change->assigned.size() && change->assigned[field]; }
    };
    struct EditBackup {
        Row values;
        RowState state;
        std::vector<bool> assigned;
    };

    void notify(QueryEvent::Kind kind, int row = -1);
    void requireOpen() const;
    void requireCurrent() const;
    void beginEdit();
    void finishEdit();
    void writeRow(RowRecord& record, std::optional<int64_t>& newId) const;
    void deleteFromTable(const RowRecord& record) const;
    void refreshInserted(RowRecord& record, int64_t id) const;
    std::vector<int> writableFields() const;
    Value storedValue(int field, const Value& value) const;
    void setRows(std::vector<RowRecord> rows, std::optional<std::vector<Field>> fields);

    Connection& connection_;
    std::string designName_;
    std::vector<std::string> lines_;
    std::vector<Param> params_;
    bool batch_ = false;
    bool open_ = false;
    std::vector<Field> fields_;
    std::string table_; // the base table edits go to
    std::vector<RowRecord> rows_;
    std::vector<RowRecord> deleted_; // pending deletes
    int current_ = -1;
    EditState editState_ = EditState::Browse;
    std::optional<EditBackup> backup_;
    int64_t nextSequence_ = 0;
    int64_t generation_ = 0; // counts replacements of the rows
    using Listeners = std::map<int, Listener>;
    std::shared_ptr<Listeners> listeners_ = std::make_shared<Listeners>();
    int nextListener_ = 1;
};

class Query::Subscription {
public:
    Subscription() = default;
    Subscription(std::weak_ptr<Listeners> listeners, int id) : listeners_(std::move(listeners)), id_(id) {}
    Subscription(Subscription&& other) noexcept : listeners_(std::move(other.listeners_)), id_(other.id_) {}
    Subscription& operator=(Subscription&& other) noexcept
    {
        if (this != &other) {
            reset();
            listeners_ = std::move(other.listeners_);
            id_ = other.id_;
        }
        return *this;
    }
    ~Subscription() { reset(); }
    void reset()
    {
        if (auto listeners = listeners_.lock())
            listeners->erase(id_);
        listeners_.reset();
    }

private:
    std::weak_ptr<Listeners> listeners_;
    int id_ = 0;
};

} // namespace ledger
