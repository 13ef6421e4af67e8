#include "query_model.h"

#include "guarded.h"

#include "ledger/error.h"
#include "ledger/number_format.h"

#include <QDate>
#include <QDateTime>

namespace widgets {

namespace {

QString lowerName(const QString& name)
{
    // Field names match regardless of Latin case, as in the statements.
    QString out = name;
    for (QChar& c : out)
        if (c >= QLatin1Char('A') && c <= QLatin1Char('Z'))
            c = QChar(c.unicode() + 32);
    return out;
}

QString toQString(const std::string& s)
{
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

ledger::Value fromVariant(const QVariant& v)
{
    switch (v.typeId()) {
    case QMetaType::UnknownType: return {};
    case QMetaType::QDate: {
        const QDate d = v.toDate();
        if (!d.isValid())
            return {};
        auto made = ledger::DateTime::make(d.year(), d.month(), d.day());
        return made ? ledger::Value(*made) : ledger::Value(v.toString().toStdString());
    }
    case QMetaType::QDateTime: {
        const QDateTime dt = v.toDateTime();
        const QDate d = dt.date();
        const QTime t = dt.time();
        auto made = ledger::DateTime::make(d.year(), d.month(), d.day(), t.hour(), t.minute(), t.second());
        return made ? ledger::Value(*made) : ledger::Value();
    }
    case QMetaType::Int:
    case QMetaType::LongLong: return ledger::Value(static_cast<int64_t>(v.toLongLong()));
    default: {
        const QString text = v.toString();
        if (text.isEmpty())
            return {};
        return ledger::Value(text.toStdString());
    }
    }
}

} // namespace

QueryModel::QueryModel(ledger::Query& query, QObject* parent)
    : QAbstractTableModel(parent), query_(query), markedRow_(query.currentRow())
{
    subscription_ = query_.subscribe([this](const ledger::QueryEvent& e) { onQueryEvent(e); });
    resolveColumns();
}

QueryModel::~QueryModel() = default;

ColumnSpec& QueryModel::column(const QString& field)
{
    ColumnSpec& spec = specs_[lowerName(field)];
    if (spec.field.isEmpty())
        spec.field = field;
    return spec;
}

void QueryModel::addLookupColumn(const QString& name, const Lookup& lookup, const QString& after)
{
    column(name).lookup = lookup;
    auto placed = std::find_if(lookupPlaces_.begin(), lookupPlaces_.end(),
                               [&](const auto& p) { return lowerName(p.first) == lowerName(name); });
    if (placed == lookupPlaces_.end())
        lookupPlaces_.emplace_back(name, after);
    else
        placed->second = after;
    watchLookupLists();
    beginResetModel();
    resolveColumns();
    endResetModel();
}

void QueryModel::setColumnOrder(const QStringList& fields)
{
    beginResetModel();
    order_ = fields;
    resolveColumns();
    endResetModel();
}

void QueryModel::setReadOnly(bool readOnly)
{
    readOnly_ = readOnly;
}

void QueryModel::watchLookupLists()
{
    for (const auto& [name, spec] : specs_) {
        if (!spec.lookup || !spec.lookup->list || lookupSubscriptions_.count(spec.lookup->list))
            continue;
        ledger::Query* list = spec.lookup->list;
        lookupSubscriptions_[list] = list->subscribe([this](const ledger::QueryEvent& e) {
            if (e.kind == ledger::QueryEvent::Kind::CurrentChanged || e.kind == ledger::QueryEvent::Kind::StateChanged)
                return;
            lookupCache_.clear();
            if (rowCount() > 0 && columnCount() > 0)
                emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1));
        });
    }
}

void QueryModel::resolveColumns()
{
    columns_.clear();
    const auto& fields = query_.fields();
    std::vector<QString> names;
    for (const QString& f : order_)
        if (query_.fieldIndex(f.toStdString()) >= 0)
            names.push_back(toQString(query_.fields()[static_cast<size_t>(query_.fieldIndex(f.toStdString()))].name));
    for (const ledger::Field& f : fields) {
        const QString name = toQString(f.name);
        if (std::none_of(names.begin(), names.end(), [&](const QString& n) { return lowerName(n) == lowerName(name); }))
            names.push_back(name);
    }
    for (const QString& name : names)
        columns_.push_back({name, query_.fieldIndex(name.toStdString()), -1, &column(name)});
    if (!query_.isOpen())
        return;
    for (const auto& [name, after] : lookupPlaces_) {
        const ColumnSpec& spec = specs_.at(lowerName(name));
        Resolved r{name, -1, query_.fieldIndex(spec.lookup->keyField.toStdString()), &spec};
        if (r.keyField < 0)
            continue;
        auto place = std::find_if(columns_.begin(), columns_.end(),
                                  [&](const Resolved& c) { return lowerName(c.name) == lowerName(after); });
        columns_.insert(place == columns_.end() ? columns_.end() : place + 1, r);
    }
}

int QueryModel::columnOf(const QString& field) const
{
    for (size_t i = 0; i < columns_.size(); ++i)
        if (lowerName(columns_[i].name) == lowerName(field))
            return static_cast<int>(i);
    return -1;
}

const ColumnSpec& QueryModel::spec(int column) const
{
    static const ColumnSpec none;
    if (column < 0 || column >= static_cast<int>(columns_.size()))
        return none;
    return *columns_[static_cast<size_t>(column)].spec;
}

bool QueryModel::isLookup(int column) const
{
    return column >= 0 && column < columnCount() && columns_[static_cast<size_t>(column)].field < 0;
}

const Lookup* QueryModel::lookupOf(int column) const
{
    if (!isLookup(column))
        return nullptr;
    const ColumnSpec& s = spec(column);
    return s.lookup ? &*s.lookup : nullptr;
}

int QueryModel::fieldOf(int column) const
{
    if (column < 0 || column >= columnCount())
        return -1;
    return columns_[static_cast<size_t>(column)].field;
}

bool QueryModel::isDateColumn(int column) const
{
    const int f = fieldOf(column);
    return f >= 0 && query_.fields()[static_cast<size_t>(f)].type.type == ledger::Type::DateTime;
}

const QHash<QString, QString>& QueryModel::lookupMap(const ColumnSpec& spec) const
{
    const ledger::Query* list = spec.lookup->list;
    const QString cacheKey = lowerName(spec.field);
    auto it = lookupCache_.find(cacheKey);
    if (it != lookupCache_.end())
        return it->second;
    QHash<QString, QString>& map = lookupCache_[cacheKey];
    if (list && list->isOpen()) {
        const int keyField = list->fieldIndex(spec.lookup->listKeyField.toStdString());
        const int shownField = list->fieldIndex(spec.lookup->listShownField.toStdString());
        if (keyField >= 0 && shownField >= 0)
            for (int r = 0; r < list->rowCount(); ++r) {
                const QString k = key(list->value(r, keyField));
                if (!map.contains(k))
                    map.insert(k, toQString(list->value(r, shownField).toText()));
            }
    }
    return map;
}

QString QueryModel::displayText(int row, int column) const
{
    const Resolved& c = columns_[static_cast<size_t>(column)];
    if (c.field < 0) {
        const ledger::Value& k = query_.value(row, c.keyField);
        if (k.isNull())
            return {};
        return lookupMap(spec(column)).value(key(k));
    }
    const ledger::Value& v = query_.value(row, c.field);
    if (spec(column).format == DisplayFormat::Yuan && v.type() == ledger::Type::Currency)
        return toQString(ledger::formatYuan(v.asCurrency()));
    return toQString(v.toText());
}

ledger::Currency QueryModel::columnSum(int column) const
{
    const int f = fieldOf(column);
    ledger::Currency sum;
    if (f < 0)
        return sum;
    for (int r = 0; r < rowCount(); ++r) {
        const ledger::Value& v = query_.value(r, f);
        if (v.type() == ledger::Type::Currency)
            sum += v.asCurrency();
        else if (v.type() == ledger::Type::Long)
            sum += ledger::Currency::fromInt(v.asLong());
    }
    return sum;
}

int QueryModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() || !query_.isOpen() ? 0 : query_.rowCount();
}

int QueryModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(columns_.size());
}

QVariant QueryModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount() || index.column() >= columnCount())
        return {};
    const Resolved& c = columns_[static_cast<size_t>(index.column())];
    switch (role) {
    case Qt::DisplayRole: return displayText(index.row(), index.column());
    case Qt::EditRole: {
        if (c.field < 0)
            return key(query_.value(index.row(), c.keyField));
        const ledger::Value& v = query_.value(index.row(), c.field);
        if (v.type() == ledger::Type::DateTime) {
            const ledger::DateTime d = v.asDateTime();
            return QDateTime(QDate(d.year, d.month, d.day), QTime(d.hour, d.minute, d.second));
        }
        return toQString(v.toText());
    }
    case Qt::TextAlignmentRole: {
        const ColumnSpec& s = spec(index.column());
        if (s.alignment)
            return static_cast<int>(*s.alignment);
        const ledger::Type t = c.field < 0 ? ledger::Type::Text : query_.fields()[static_cast<size_t>(c.field)].type.type;
        const bool number = t == ledger::Type::Long || t == ledger::Type::Currency || t == ledger::Type::Double;
        return static_cast<int>((number ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter);
    }
    default: return {};
    }
}

bool QueryModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (role != Qt::EditRole || !(flags(index) & Qt::ItemIsEditable))
        return false;
    const Resolved& c = columns_[static_cast<size_t>(index.column())];
    return runGuarded(nullptr, [&] {
        query_.setCurrentRow(index.row());
        if (c.field < 0) {
            const QString k = value.toString();
            query_.setValue(c.keyField, k.isEmpty() ? ledger::Value() : ledger::Value(k.toStdString()));
        } else {
            query_.setValue(c.field, fromVariant(value));
        }
    });
}

QVariant QueryModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole)
        return {};
    if (orientation == Qt::Vertical) {
        // The row indicator of a data grid: the current row, and how it is being edited.
        if (section != query_.currentRow())
            return QString();
        switch (query_.editState()) {
        case ledger::Query::EditState::Insert: return QStringLiteral("*");
        case ledger::Query::EditState::Edit: return QStringLiteral("I");
        default: return QStringLiteral("▸");
        }
    }
    if (section < 0 || section >= columnCount())
        return {};
    const ColumnSpec& s = spec(section);
    return s.title.isEmpty() ? columns_[static_cast<size_t>(section)].name : s.title;
}

Qt::ItemFlags QueryModel::flags(const QModelIndex& index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    Qt::ItemFlags f = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    const ColumnSpec& s = spec(index.column());
    if (readOnly_ || s.readOnly || s.hidden)
        return f;
    const Resolved& c = columns_[static_cast<size_t>(index.column())];
    if (query_.isEditable(c.field < 0 ? c.keyField : c.field))
        f |= Qt::ItemIsEditable;
    return f;
}

void QueryModel::onQueryEvent(const ledger::QueryEvent& e)
{
    using Kind = ledger::QueryEvent::Kind;
    switch (e.kind) {
    case Kind::AboutToReset: beginResetModel(); break;
    case Kind::Reset:
        lookupCache_.clear();
        resolveColumns();
        markedRow_ = query_.currentRow();
        endResetModel();
        break;
    case Kind::AboutToInsert: beginInsertRows({}, e.row, e.row); break;
    case Kind::Inserted: endInsertRows(); break;
    case Kind::AboutToRemove: beginRemoveRows({}, e.row, e.row); break;
    case Kind::Removed: endRemoveRows(); break;
    case Kind::RowChanged:
        if (e.row >= 0 && e.row < rowCount() && columnCount() > 0)
            emit dataChanged(index(e.row, 0), index(e.row, columnCount() - 1));
        break;
    case Kind::CurrentChanged:
        // The marks of the row left and of the row entered: telling of every
        // row costs the view a walk over all of them at each move.
        for (int row : {markedRow_, e.row})
            if (row >= 0 && row < rowCount())
                emit headerDataChanged(Qt::Vertical, row, row);
        markedRow_ = e.row;
        emit currentRowChanged(e.row);
        break;
    case Kind::StateChanged:
        if (query_.currentRow() >= 0 && query_.currentRow() < rowCount())
            emit headerDataChanged(Qt::Vertical, query_.currentRow(), query_.currentRow());
        emit editStateChanged();
        break;
    }
}

} // namespace widgets
