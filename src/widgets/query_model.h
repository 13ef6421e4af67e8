#pragma once

#include "ledger/query.h"

#include <QAbstractTableModel>
#include <QHash>
#include <QStringList>

#include <map>
#include <optional>
#include <vector>

namespace widgets {

enum class DisplayFormat {
    Plain, // as the field shows its value: money as a plain decimal, dates in the short form
    Yuan, // "￥#.00"
};

enum class FooterKind { None, Text, Sum };

// A column whose cell shows the name a key stands for, looked up in a list
// (an account name for z_id); choosing a name sets the key.
struct Lookup {
    ledger::Query* list = nullptr; // not owned
    QString keyField; // the grid query's field holding the key
    QString listKeyField; // the list's field with the keys
    QString listShownField; // the list's field shown for a key
};

// How one column shows and edits its field. Settings are kept by field name
// and survive reopening the query.
struct ColumnSpec {
    QString field;
    QString title; // empty: the field name
    bool hidden = false;
    bool readOnly = false;
    int width = 0; // 0: a width that fits the title and type
    std::optional<Qt::Alignment> alignment;
    DisplayFormat format = DisplayFormat::Plain;
    std::optional<Lookup> lookup;
    FooterKind footer = FooterKind::None;
    QString footerText;
    std::optional<Qt::Alignment> footerAlignment;
};

// A table model over a recordset: rows, current row and pending edits go
// both ways. Events of the query become the model's signals; edits made in
// a view become setValue on the query's current row.
class QueryModel : public QAbstractTableModel {
    Q_OBJECT

public:
    explicit QueryModel(ledger::Query& query, QObject* parent = nullptr);
    ~QueryModel() override;

    ledger::Query& query() const { return query_; }

    // Column settings by field name (created on first use).
    ColumnSpec& column(const QString& field);
    // A look-up column, placed right after the field `after` (or last).
    void addLookupColumn(const QString& name, const Lookup& lookup, const QString& after = {});
    // Shows the fields in this order; fields not named follow in query order.
    void setColumnOrder(const QStringList& fields);
    void setReadOnly(bool readOnly);
    bool isReadOnly() const { return readOnly_; }

    // The model column of a field or look-up column name; -1 when none.
    int columnOf(const QString& field) const;
    const ColumnSpec& spec(int column) const;
    bool isLookup(int column) const;
    // The lookup list's rows as (key, columns) for an editor.
    const Lookup* lookupOf(int column) const;
    // The query field behind a model column (-1 for a look-up column).
    int fieldOf(int column) const;
    bool isDateColumn(int column) const;
    // The text a cell shows, formatted.
    QString displayText(int row, int column) const;
    // The exact sum of a column's money or whole-number values.
    ledger::Currency columnSum(int column) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

signals:
    void currentRowChanged(int row);
    void editStateChanged();

private:
    struct Resolved {
        QString name;
        int field = -1; // query field, -1 for a look-up
        int keyField = -1; // look-up: the key's query field
        const ColumnSpec* spec = nullptr; // its settings (map entries stay put)
    };

    void onQueryEvent(const ledger::QueryEvent& event);
    void resolveColumns();
    void watchLookupLists();
    const QHash<QString, QString>& lookupMap(const ColumnSpec& spec) const;
    QString key(const ledger::Value& v) const { return QString::fromStdString(v.toText()); }

    ledger::Query& query_;
    ledger::Query::Subscription subscription_;
    bool readOnly_ = false;
    int markedRow_; // the row whose mark shows it is current
    std::map<QString, ColumnSpec> specs_; // by lower-case name
    QStringList order_;
    std::vector<std::pair<QString, QString>> lookupPlaces_; // name, after
    std::vector<Resolved> columns_;
    mutable std::map<QString, QHash<QString, QString>> lookupCache_; // by column name
    std::map<ledger::Query*, ledger::Query::Subscription> lookupSubscriptions_;
};

} // namespace widgets
