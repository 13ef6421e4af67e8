#pragma once

#include <QWidget>

namespace widgets {

class DataGrid;

// The one-line footer under a grid, cell for cell under its columns at
// every width and scroll position.
class GridFooter : public QWidget {
    Q_OBJECT

public:
    explicit GridFooter(QWidget* parent = nullptr);
    void setGrid(DataGrid* grid);
    QString cellText(int column) const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    DataGrid* grid_ = nullptr;
};

} // namespace widgets
