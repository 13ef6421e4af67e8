#include "query.h"

#include "error.h"
#include "sql_text.h"

#include <algorithm>

namespace ledger {

namespace {

std::string ident(const std::string& name)
{
    return quoteText(name, '"');
}

} // namespace

Query::Query(Connection& connection, std::string designName) : connection_(connection), designName_(std::move(designName)) {}

// ---- statement and parameters ------------------------------------------------

void Query::clearLines()
{
    lines_.clear();
}

void Query::addLine(const std::string& line)
{
    lines_.push_back(line);
}

void Query::setText(const std::string& statement)
{
    lines_.assign(1, statement);
}

std::string Query::text() const
{
    std::string out;
    for (size_t i = 0; i < lines_.size(); ++i)
        out += (i ? "\n" : "") + lines_[i];
    return out;
}

void Query::setParam(const std::string& name, Value value)
{
    for (Param& p : params_)
        if (jet::sameName(p.name, name)) {
            p.value = std::move(value);
            return;
        }
    params_.push_back({name, std::move(value)});
}

Value Query::param(const std::string& name) const
{
    for (const Param& p : params_)
        if (jet::sameName(p.name, name))
            return p.value;
    return {};
}

// ---- open and close ---------------------------------------------------------

void Query::notify(QueryEvent::Kind kind, int row)
{
    const QueryEvent event{kind, row};
    // Copy: a listener may unsubscribe while being told.
    const auto listeners = *listeners_;
    for (const auto& [id, listener] : listeners)
        listener(event);
}

Query::Subscription Query::subscribe(Listener listener)
{
    (*listeners_)[nextListener_] = std::move(listener);
    return Subscription(listeners_, nextListener_++);
}

// Replaces rows (and, when given, fields) between the reset notices, so an
// observer never sees half of the change.
void Query::setRows(std::vector<RowRecord> rows, std::optional<std::vector<Field>> fields)
{
    ++generation_;
    notify(QueryEvent::Kind::AboutToReset);
    if (fields) {
        fields_ = std::move(*fields);
        table_.clear();
        bool single = true;
        for (const Field& f : fields_) {
            if (f.baseTable.empty())
                continue;
            if (table_.empty())
                table_ = f.baseTable;
            else if (!jet::sameName(table_, f.baseTable))
                single = false;
        }
        if (!single)
            table_.clear();
    }
    rows_ = std::move(rows);
    deleted_.clear();
    editState_ = EditState::Browse;
    backup_.reset();
    current_ = rows_.empty() ? -1 : 0;
    notify(QueryEvent::Kind::Reset);
    notify(QueryEvent::Kind::CurrentChanged, current_);
    notify(QueryEvent::Kind::StateChanged);
}

void Query::open()
{
    if (open_)
        close();
    std::vector<RowRecord> rows;
    std::vector<Field> fields = connection_.select(text(), params_, [&](Row&& r) {
        RowRecord& record = rows.emplace_back();
        record.values = std::move(r);
        record.sequence = nextSequence_++;
    });
    open_ = true;
    setRows(std::move(rows), std::move(fields));
}

void Query::close()
{
    if (!open_)
        return;
    open_ = false;
    setRows({}, std::vector<Field>());
}

void Query::reopen(const std::string& statement)
{
    close();
    setText(statement);
    open();
}

void Query::reopenWith(const Params& params)
{
    close();
    for (const Param& p : params)
        setParam(p.name, p.value);
    open();
}

void Query::requery()
{
    close();
    open();
}

int64_t Query::execSql()
{
    return connection_.execute(text(), params_);
}

// ---- fields and rows ----------------------------------------------------------

int Query::fieldIndex(const std::string& name) const
{
    for (size_t i = 0; i < fields_.size(); ++i)
        if (jet::sameName(fields_[i].name, name))
            return static_cast<int>(i);
    return -1;
}

int Query::fieldIndexOrThrow(const std::string& name) const
{
    const int i = fieldIndex(name);
    if (i < 0)
        throw Error(Error::Kind::Name, designName_ + "：找不到字段“" + name + "”");
    return i;
}

bool Query::isEditable(int field) const
{
    if (!open_ || table_.empty() || field < 0 || field >= static_cast<int>(fields_.size()))
        return false;
    const Field& f = fields_[static_cast<size_t>(field)];
    return !f.readOnly && jet::sameName(f.baseTable, table_);
}

void Query::requireOpen() const
{
    if (!open_)
        throw Error(Error::Kind::Usage, designName_ + "：数据集没有打开");
}

void Query::requireCurrent() const
{
    requireOpen();
    if (current_ < 0)
        throw Error(Error::Kind::Usage, designName_ + "：没有当前记录");
}

const Value& Query::value(int row, int field) const
{
    return rows_.at(static_cast<size_t>(row)).values.at(static_cast<size_t>(field));
}

Query::RowState Query::rowState(int row) const
{
    return rows_.at(static_cast<size_t>(row)).state;
}

const Value& Query::value(int field) const
{
    requireCurrent();
    return value(current_, field);
}

const Value& Query::value(const std::string& fieldName) const
{
    return value(fieldIndexOrThrow(fieldName));
}

std::string Query::text(const std::string& fieldName) const
{
    return value(fieldName).toText();
}

// ---- navigation -----------------------------------------------------------------

void Query::setCurrentRow(int row)
{
    if (row < -1 || row >= rowCount())
        row = rowCount() - 1;
    if (row == current_)
        return;
    if (editState_ != EditState::Browse) {
        const int before = current_;
        post();
        // Posting may have dropped an empty appended row.
        if (current_ != before && row > before)
            --row;
        if (row >= rowCount())
            row = rowCount() - 1;
    }
    current_ = row;
    notify(QueryEvent::Kind::CurrentChanged, current_);
}

void Query::first()
{
    setCurrentRow(rows_.empty() ? -1 : 0);
}

void Query::last()
{
    setCurrentRow(rowCount() - 1);
}

void Query::next()
{
    if (current_ + 1 < rowCount())
        setCurrentRow(current_ + 1);
}

void Query::prior()
{
    if (current_ > 0)
        setCurrentRow(current_ - 1);
}

// ---- editing --------------------------------------------------------------------

Value Query::storedValue(int field, const Value& value) const
{
    // A value the field cannot take is kept as given: the save reports it.
    try {
        return value.convertedTo(fields_[static_cast<size_t>(field)].type);
    } catch (const Error&) {
        return value;
    }
}

void Query::beginEdit()
{
    if (editState_ != EditState::Browse)
        return;
    RowRecord& r = rows_[static_cast<size_t>(current_)];
    backup_ = EditBackup{r.values, r.state, r.change ? r.change->assigned : std::vector<bool>()};
    editState_ = EditState::Edit;
    notify(QueryEvent::Kind::StateChanged);
}

void Query::append()
{
    requireOpen();
    if (editState_ != EditState::Browse)
        post();
    const int row = rowCount();
    notify(QueryEvent::Kind::AboutToInsert, row);
    RowRecord record;
    record.values.assign(fields_.size(), Value());
    record.state = RowState::Inserted;
    record.changes().assigned.assign(fields_.size(), false);
    record.sequence = nextSequence_++;
    rows_.push_back(std::move(record));
    notify(QueryEvent::Kind::Inserted, row);
    current_ = row;
    editState_ = EditState::Insert;
    backup_.reset();
    notify(QueryEvent::Kind::CurrentChanged, current_);
    notify(QueryEvent::Kind::StateChanged);
}

void Query::setValue(int field, const Value& value)
{
    requireCurrent();
    if (field < 0 || field >= static_cast<int>(fields_.size()))
        throw Error(Error::Kind::Name, designName_ + "：字段序号超出范围");
    if (!isEditable(field))
        throw Error(Error::Kind::Usage, "字段“" + fields_[static_cast<size_t>(field)].name + "”不能修改");
    beginEdit();
    RowRecord& r = rows_[static_cast<size_t>(current_)];
    r.values[static_cast<size_t>(field)] = storedValue(field, value);
    if (r.state == RowState::Inserted)
        r.changes().assigned[static_cast<size_t>(field)] = true;
    notify(QueryEvent::Kind::RowChanged, current_);
}

void Query::setValue(const std::string& fieldName, const Value& value)
{
    setValue(fieldIndexOrThrow(fieldName), value);
}

void Query::post()
{
    if (editState_ == EditState::Browse)
        return;
    RowRecord& r = rows_[static_cast<size_t>(current_)];
    const bool anyAssigned =
        r.change && std::any_of(r.change->assigned.begin(), r.change->assigned.end(), [](bool b) { return b; });
    if (editState_ == EditState::Insert && !anyAssigned) {
        cancel(); // nothing was typed into the new row
        return;
    }
    if (editState_ == EditState::Edit && backup_ && backup_->values == r.values) {
        finishEdit();
        return;
    }
    if (!batch_) {
        // Written at once; on failure the row stays in edit.
        std::optional<int64_t> newId;
        RowRecord pending = r;
        if (pending.state == RowState::Unchanged) {
            pending.changes().original = backup_->values;
            pending.state = RowState::Modified;
        }
        writeRow(pending, newId);
        if (newId)
            refreshInserted(r, *newId);
        r.state = RowState::Unchanged;
        r.change.reset();
    } else if (r.state == RowState::Unchanged) {
        r.changes().original = backup_->values;
        r.state = RowState::Modified;
    }
    finishEdit();
    notify(QueryEvent::Kind::RowChanged, current_);
}

void Query::finishEdit()
{
    editState_ = EditState::Browse;
    backup_.reset();
    notify(QueryEvent::Kind::StateChanged);
}

void Query::cancel()
{
    if (editState_ == EditState::Browse)
        return;
    if (editState_ == EditState::Insert) {
        const int row = current_;
        editState_ = EditState::Browse;
        notify(QueryEvent::Kind::AboutToRemove, row);
        rows_.erase(rows_.begin() + row);
        notify(QueryEvent::Kind::Removed, row);
        current_ = std::min(row, rowCount() - 1);
        notify(QueryEvent::Kind::CurrentChanged, current_);
        notify(QueryEvent::Kind::StateChanged);
        return;
    }
    RowRecord& r = rows_[static_cast<size_t>(current_)];
    r.values = backup_->values;
    r.state = backup_->state;
    if (r.change)
        r.change->assigned = backup_->assigned;
    finishEdit();
    notify(QueryEvent::Kind::RowChanged, current_);
}

void Query::deleteRow()
{
    requireCurrent();
    if (editState_ == EditState::Insert) {
        cancel();
        return;
    }
    cancel();
    if (table_.empty())
        throw Error(Error::Kind::Usage, designName_ + "：这个数据集不能删除记录");
    const int row = current_;
    if (!batch_)
        deleteFromTable(rows_[static_cast<size_t>(row)]);
    notify(QueryEvent::Kind::AboutToRemove, row);
    RowRecord record = std::move(rows_[static_cast<size_t>(row)]);
    rows_.erase(rows_.begin() + row);
    if (batch_ && record.state != RowState::Inserted)
        deleted_.push_back(std::move(record));
    notify(QueryEvent::Kind::Removed, row);
    current_ = std::min(row, rowCount() - 1);
    notify(QueryEvent::Kind::CurrentChanged, current_);
    notify(QueryEvent::Kind::StateChanged);
}

// ---- writing --------------------------------------------------------------------

std::vector<int> Query::writableFields() const
{
    std::vector<int> out;
    for (size_t i = 0; i < fields_.size(); ++i)
        if (isEditable(static_cast<int>(i)))
            out.push_back(static_cast<int>(i));
    return out;
}

namespace {

// WHERE clause naming the row as it was read: its key and every column of
// it the result holds, so a row changed meanwhile by another writer is not
// found (and the change is refused).
std::string rowCriteria(const std::vector<Field>& fields, const std::string& table, const Row& original,
                        std::vector<Value>& values)
{
    std::string where;
    for (size_t i = 0; i < fields.size(); ++i) {
        const Field& f = fields[i];
        if (f.baseTable.empty() || !jet::sameName(f.baseTable, table))
            continue;
        values.push_back(original[i]);
        where += (where.empty() ? " WHERE " : " AND ") + ident(f.baseColumn) + " IS ?" + std::to_string(values.size());
    }
    return where;
}

} // namespace

void Query::writeRow(RowRecord& record, std::optional<int64_t>& newId) const
{
    std::vector<Value> values;
    auto stored = [&](int field) {
        const Field& f = fields_[static_cast<size_t>(field)];
        return record.values[static_cast<size_t>(field)].convertedTo(f.type, "列“" + f.name + "”");
    };
    if (record.state == RowState::Inserted) {
        std::string columns, placeholders;
        for (int i : writableFields()) {
            if (!record.isAssigned(static_cast<size_t>(i)))
                continue;
            values.push_back(stored(i));
            columns += (columns.empty() ? "" : ", ") + ident(fields_[static_cast<size_t>(i)].baseColumn);
            placeholders += (placeholders.empty() ? "?" : ", ?") + std::to_string(values.size());
        }
        const std::string sql = columns.empty()
                                    ? "INSERT INTO " + ident(table_) + " DEFAULT VALUES"
                                    : "INSERT INTO " + ident(table_) + " (" + columns + ") VALUES (" + placeholders + ")";
        connection_.executeNative(sql, values);
        newId = connection_.lastInsertId();
        return;
    }
    if (record.state != RowState::Modified)
        return;
    std::string sets;
    for (int i : writableFields()) {
        if (record.values[static_cast<size_t>(i)] == (*record.original())[static_cast<size_t>(i)])
            continue;
        values.push_back(stored(i));
        sets += (sets.empty() ? "" : ", ") + ident(fields_[static_cast<size_t>(i)].baseColumn) + " = ?" +
                std::to_string(values.size());
    }
    if (sets.empty())
        return;
    const std::string where = rowCriteria(fields_, table_, *record.original(), values);
    if (connection_.executeNative("UPDATE " + ident(table_) + " SET " + sets + where, values) == 0)
        throw Error(Error::Kind::Conflict, "记录已被其他用户修改或删除，无法保存");
}

void Query::deleteFromTable(const RowRecord& record) const
{
    std::vector<Value> values;
    const std::string where = rowCriteria(fields_, table_, record.original() ? *record.original() : record.values, values);
    if (connection_.executeNative("DELETE FROM " + ident(table_) + where, values) == 0)
        throw Error(Error::Kind::Conflict, "记录已被其他用户修改或删除，无法删除");
}

// After an insert the row shows what the table gave it: its new id and the
// defaults of the columns nobody set.
void Query::refreshInserted(RowRecord& record, int64_t id) const
{
    std::string columns;
    std::vector<ColumnType> types;
    std::vector<size_t> targets;
    for (size_t i = 0; i < fields_.size(); ++i) {
        if (!jet::sameName(fields_[i].baseTable, table_))
            continue;
        columns += (columns.empty() ? "" : ", ") + ident(fields_[i].baseColumn);
        types.push_back(fields_[i].type);
        targets.push_back(i);
    }
    if (columns.empty())
        return;
    const std::vector<Row> rows =
        connection_.selectNative("SELECT " + columns + " FROM " + ident(table_) + " WHERE rowid = ?1", {Value(id)}, types);
    if (rows.empty())
        return;
    for (size_t k = 0; k < targets.size(); ++k)
        record.values[targets[k]] = rows[0][k];
}

bool Query::hasPendingChanges() const
{
    if (editState_ != EditState::Browse || !deleted_.empty())
        return true;
    return std::any_of(rows_.begin(), rows_.end(), [](const RowRecord& r) { return r.state != RowState::Unchanged; });
}

void Query::updateBatch()
{
    requireOpen();
    if (editState_ != EditState::Browse)
        post();
    if (!hasPendingChanges())
        return;
    // Work on copies of the changed rows: the local rows change only when
    // everything was written.
    std::vector<std::pair<size_t, RowRecord>> written;
    for (size_t i = 0; i < rows_.size(); ++i)
        if (rows_[i].state != RowState::Unchanged)
            written.emplace_back(i, rows_[i]);
    Transaction work(connection_);
    for (const RowRecord& d : deleted_)
        deleteFromTable(d);
    for (auto& [index, r] : written) {
        std::optional<int64_t> newId;
        writeRow(r, newId);
        if (newId)
            refreshInserted(r, *newId);
    }
    work.commit();
    // Inside a caller's transaction the rows stay pending until it commits,
    // so a rollback after this point leaves them to be sent again.
    connection_.whenCommitted(
        [this, alive = std::weak_ptr<Listeners>(listeners_), written = std::move(written), generation = generation_]() mutable {
            if (alive.expired() || generation != generation_)
                return; // gone or reopened meanwhile: these rows are no more
            deleted_.clear();
            for (auto& [index, r] : written) {
                r.state = RowState::Unchanged;
                r.change.reset();
                rows_[index] = std::move(r);
                notify(QueryEvent::Kind::RowChanged, static_cast<int>(index));
            }
            notify(QueryEvent::Kind::StateChanged);
        });
}

void Query::cancelBatch()
{
    requireOpen();
    if (editState_ != EditState::Browse)
        cancel();
    if (!hasPendingChanges())
        return;
    std::vector<RowRecord> restored;
    restored.reserve(rows_.size() + deleted_.size());
    for (RowRecord& r : rows_) {
        if (r.state == RowState::Inserted)
            continue;
        if (r.state == RowState::Modified) {
            r.values = *r.original();
            r.change.reset();
            r.state = RowState::Unchanged;
        }
        restored.push_back(std::move(r));
    }
    for (RowRecord& d : deleted_) {
        if (d.original())
            d.values = *d.original();
        d.change.reset();
        d.state = RowState::Unchanged;
        restored.push_back(std::move(d));
    }
    std::sort(restored.begin(), restored.end(), [](const RowRecord& a, const RowRecord& b) { return a.sequence < b.sequence; });
    const int keep = current_;
    setRows(std::move(restored), std::nullopt);
    if (keep >= 0 && keep < rowCount() && keep != current_) {
        current_ = keep;
        notify(QueryEvent::Kind::CurrentChanged, current_);
    }
}

} // namespace ledger
