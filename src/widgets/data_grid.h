#pragma once

#include "query_model.h"

#include <QTableView>
#include <QWidget>

class QMenu;

namespace widgets {

class GridFooter;

// The row colour of the current row of every grid (light sky blue).
inline const QColor kCurrentRowColor(166, 202, 240);

// A grid over a recordset: the rows of the query, its current row followed
// both ways, cells edited in place (typing starts editing; leaving the row
// posts it; Escape drops the row's edits), look-up and date editors, an
// optional footer row with fixed texts and exact sums.
class DataGrid : public QWidget {
    Q_OBJECT

public:
    explicit DataGrid(QWidget* parent = nullptr);
    ~DataGrid() override;

    void setQuery(ledger::Query& query);
    QueryModel* model() const { return model_; }
    QTableView* view() const { return view_; }
    ledger::Query* query() const { return model_ ? &model_->query() : nullptr; }

    // Column settings by field name; they survive reopening the query.
    // Asking before the grid has its query is a usage error.
    ColumnSpec& column(const QString& field);
    // The settings of several columns at once, each replacing those of its
    // field; the query's fields keep their order, and a look-up column
    // stands right after the column named before it.
    void setColumns(const std::vector<ColumnSpec>& columns);
    void setRowHeight(int pixels);
    void setWholeRowSelection(bool on);
    void setReadOnly(bool on);
    // The visible columns share the whole width of the grid.
    void setFitColumns(bool on);
    void setFooterVisible(bool on);
    void setScrollBars(Qt::ScrollBarPolicy vertical, Qt::ScrollBarPolicy horizontal);

    // Applies hidden columns and widths now (done after every reopening too).
    void applyColumns();
    // Ends a cell editor, keeping what was typed, and posts the row.
    void commitEdits();
    // Ends a cell editor, dropping what was typed, and cancels the row's edits.
    void dropEdits();
    // The text a footer cell shows ("" when none).
    QString footerText(int column) const;
    int currentColumn() const;

    // Gives the grid a context menu (right click, the menu key, Shift+F10)
    // with "导出为 CSV…", which writes what the grid shows to a file
    // suggested as "<fileName>-<today>.csv" (an empty name: the grid's
    // design name; see grid_export.h).
    void enableCsvExport(const QString& fileName);
    // Opens the grid's context menu at a point of the screen; null when the
    // grid has none. The menu goes when it closes.
    QMenu* showContextMenu(const QPoint& globalPos);

signals:
    // A mouse click on a cell.
    void cellClicked(int row, int column);
    void currentRowChanged(int row);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void followQueryRow(int row);
    void followViewRow(const QModelIndex& current);
    void fitColumns();
    int nominalWidth(int column) const;
    // Where the menu key opens the menu: at the current cell, or at the top left.
    QPoint keyboardMenuPos() const;

    QTableView* view_;
    GridFooter* footer_;
    QueryModel* model_ = nullptr;
    bool fit_ = false;
    bool syncing_ = false;
    QString csvFileName_; // empty: no context menu
};

} // namespace widgets
