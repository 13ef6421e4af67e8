#pragma once

#include <QWidget>
#include <array>
#include <functional>

class QMenu;

namespace calendar {

// A grid of owner-drawn cells without lines, borders or scroll bars: the
// owner decides which cell may become current and draws every cell. The
// arrow keys and the mouse move the current cell, as far as the owner allows.
class DayGrid : public QWidget {
    Q_OBJECT

public:
    static constexpr int kColumns = 9;
    static constexpr int kRows = 7;

    explicit DayGrid(QWidget* parent = nullptr);

    // May (column, row) become the current cell?
    std::function<bool(int column, int row)> canSelect;
    // Draws one cell; selected: it is the current cell, focused: the grid has the focus.
    std::function<void(QPainter&, int column, int row, const QRect&, bool selected, bool focused)> drawCell;
    std::function<void()> mousePressed;
    // A click released over (column, row).
    std::function<void(int column, int row)> clicked;

    int columnWidth(int column) const { return columnWidths_[column]; }
    int rowHeight(int row) const { return rowHeights_[row]; }
    void setColumnWidth(int column, int width);
    void setRowHeight(int row, int height);
    QRect cellRect(int column, int row) const;
    // The cell at a point, or false outside every cell.
    bool cellAt(const QPoint& point, int& column, int& row) const;

    int currentColumn() const { return currentColumn_; }
    int currentRow() const { return currentRow_; }
    // Makes (column, row) current when the owner allows; true if it did.
    bool setCurrentCell(int column, int row);

    void setContextMenu(QMenu* menu) { contextMenu_ = menu; }
    QMenu* contextMenu() const { return contextMenu_; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    std::array<int, kColumns> columnWidths_;
    std::array<int, kRows> rowHeights_;
    int currentColumn_ = 0;
    int currentRow_ = 0;
    bool pressed_ = false;
    QMenu* contextMenu_ = nullptr;
};

} // namespace calendar
