#pragma once

#include <QFont>

namespace calendar {

// A font of the calendar: the widget's font with the family, size and weight
// the calendar names. Sizes are the design's point sizes in pixels at 96 dots
// an inch (9 points are 12 pixels), so the fixed layout holds on any screen.
inline QFont calendarFont(const QFont& base, const QString& family, int pixelSize, QFont::Weight weight)
{
    QFont font = base;
    font.setFamilies({family});
    font.setPixelSize(pixelSize);
    font.setWeight(weight);
    return font;
}

} // namespace calendar
