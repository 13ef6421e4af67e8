#include "day_grid.h"

#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <numeric>

namespace calendar {

DayGrid::DayGrid(QWidget* parent) : QWidget(parent)
{
    columnWidths_.fill(24);
    rowHeights_.fill(24);
    setFocusPolicy(Qt::StrongFocus);
    // Every cell paints its whole rectangle; what lies outside the cells is
    // the owner's face, which shows through.
    setAttribute(Qt::WA_NoSystemBackground);
}

void DayGrid::setColumnWidth(int column, int width)
{
    if (column < 0 || column >= kColumns)
        return;
    columnWidths_[column] = std::max(0, width);
    update();
}

void DayGrid::setRowHeight(int row, int height)
{
    if (row < 0 || row >= kRows)
        return;
    rowHeights_[row] = std::max(0, height);
    update();
}

QRect DayGrid::cellRect(int column, int row) const
{
    const int left = std::accumulate(columnWidths_.begin(), columnWidths_.begin() + column, 0);
    const int top = std::accumulate(rowHeights_.begin(), rowHeights_.begin() + row, 0);
    return QRect(left, top, columnWidths_[column], rowHeights_[row]);
}

bool DayGrid::cellAt(const QPoint& point, int& column, int& row) const
{
    for (int r = 0; r < kRows; ++r) {
        for (int c = 0; c < kColumns; ++c) {
            if (cellRect(c, r).contains(point)) {
                column = c;
                row = r;
                return true;
            }
        }
    }
    return false;
}

bool DayGrid::setCurrentCell(int column, int row)
{
    if (column < 0 || column >= kColumns || row < 0 || row >= kRows)
        return false;
    if (canSelect && !canSelect(column, row))
        return false;
    currentColumn_ = column;
    currentRow_ = row;
    update();
    return true;
}

void DayGrid::paintEvent(QPaintEvent* event)
{
    if (!drawCell)
        return;
    QPainter painter(this);
    for (int row = 0; row < kRows; ++row) {
        for (int column = 0; column < kColumns; ++column) {
            const QRect rect = cellRect(column, row);
            if (rect.isEmpty() || !rect.intersects(event->rect()))
                continue;
            const bool current = column == currentColumn_ && row == currentRow_;
            drawCell(painter, column, row, rect, current, hasFocus());
        }
    }
}

void DayGrid::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return;
    if (mousePressed)
        mousePressed();
    pressed_ = true;
    setFocus(Qt::MouseFocusReason);
    int column, row;
    if (cellAt(event->position().toPoint(), column, row))
        setCurrentCell(column, row);
}

void DayGrid::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton || !pressed_)
        return;
    pressed_ = false;
    int column, row;
    if (clicked && rect().contains(event->position().toPoint()) && cellAt(event->position().toPoint(), column, row))
        clicked(column, row);
}

void DayGrid::keyPressEvent(QKeyEvent* event)
{
    int column = currentColumn_;
    int row = currentRow_;
    switch (event->key()) {
    case Qt::Key_Left: --column; break;
    case Qt::Key_Right: ++column; break;
    case Qt::Key_Up: --row; break;
    case Qt::Key_Down: ++row; break;
    default: QWidget::keyPressEvent(event); return;
    }
    // A move onto a cell the owner refuses is no move at all.
    setCurrentCell(column, row);
}

void DayGrid::contextMenuEvent(QContextMenuEvent* event)
{
    if (contextMenu_)
        contextMenu_->popup(event->globalPos());
    else
        event->ignore();
}

void DayGrid::focusInEvent(QFocusEvent* event)
{
    QWidget::focusInEvent(event);
    update();
}

void DayGrid::focusOutEvent(QFocusEvent* event)
{
    QWidget::focusOutEvent(event);
    update();
}

} // namespace calendar
