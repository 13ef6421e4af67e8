#pragma once

#include <QStyledItemDelegate>

class QTableView;

namespace widgets {

class QueryModel;

// Paints the current row on the row colour (the focused cell keeps the
// selection colours while the grid has the focus) and gives each column its
// editor: a drop-down list for look-up columns, a date box for dates.
class GridDelegate : public QStyledItemDelegate {
    Q_OBJECT

public:
    explicit GridDelegate(QTableView* view);

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    void setEditorData(QWidget* editor, const QModelIndex& index) const override;
    void setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const override;

private:
    const QueryModel* queryModel(const QModelIndex& index) const;
    QTableView* view_;
};

} // namespace widgets
