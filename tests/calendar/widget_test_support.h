#pragma once

// Helpers for the calendar widget tests: a shown calendar on a given day,
// cell positions and pixels of what it draws.

#include <QImage>
#include <QTest>
#include <memory>

#include "calendar_test_support.h"
#include "chn_calendar_picker.h"
#include "day_grid.h"

namespace calendar {

// A calendar at the given size, shown (so it has made itself ready) and
// set to the day.
inline std::unique_ptr<TChnCalendar> calendarOn(int year, int month, int day, QSize size = {313, 253})
{
    auto widget = std::make_unique<TChnCalendar>();
    widget->resize(size);
    widget->show();
    widget->SetDateTime(shownDay(year, month, day));
    return widget;
}

// The grid cell that shows a day of the shown month.
inline QPoint cellOfDay(const TChnCalendar& widget, int day)
{
    for (int index = 1; index <= 37; ++index)
        if (widget.cell(index).Active && widget.cell(index).Day == day)
            return {(index - 1) % 7 + 1, (index - 1) / 7 + 1}; // (column, row)
    return {-1, -1};
}

// Where a cell lies in the widget's own coordinates.
inline QRect cellRectInWidget(const TChnCalendar& widget, int column, int row)
{
    return widget.dayGrid()->cellRect(column, row).translated(widget.dayGrid()->pos());
}

inline QImage picture(const TChnCalendar& widget)
{
    return const_cast<TChnCalendar&>(widget).grab().toImage().convertToFormat(QImage::Format_RGB32);
}

inline bool hasColor(const QImage& image, const QRect& area, QColor color)
{
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (image.pixelColor(x, y) == color)
                return true;
    return false;
}

// The columns of area that hold anything but the background colour.
inline std::pair<int, int> inkExtent(const QImage& image, const QRect& area, QColor background)
{
    int first = -1;
    int last = -1;
    for (int x = area.left(); x <= area.right(); ++x) {
        for (int y = area.top(); y <= area.bottom(); ++y) {
            if (image.pixelColor(x, y) != background) {
                if (first < 0)
                    first = x;
                last = x;
                break;
            }
        }
    }
    return {first, last};
}

} // namespace calendar
