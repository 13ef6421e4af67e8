#pragma once

#include <QWidget>

#include <vector>

class QLabel;

namespace widgets {

class DataGrid;

// The one-line footer under a grid, cell for cell under its columns at
// every width and scroll position. Each cell is a label of its own, so
// accessibility tools and screen readers read its text.
class GridFooter : public QWidget {
    Q_OBJECT

public:
    explicit GridFooter(QWidget* parent = nullptr);
    void setGrid(DataGrid* grid);
    QString cellText(int column) const;
    // The label of a column's cell (nullptr for a hidden or missing column).
    QLabel* cell(int column) const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void refresh();

    DataGrid* grid_ = nullptr;
    std::vector<QLabel*> cells_;
    bool queued_ = false;
};

} // namespace widgets
