// Pictures of a few months at the main window's size and at the widget's own
// size, kept for a person to look at; each must show every day of its month.

#include <gtest/gtest.h>

#include <QDir>

#include "widget_test_support.h"

namespace calendar {
namespace {

TEST(CalendarScreenshots, SeveralMonthsAtBothSizes)
{
    QDir().mkpath(CALENDAR_SCREENSHOT_DIR);
    const struct {
        SolarDate day;
        QSize size;
    } shots[] = {
        {{2004, 1, 22}, {766, 509}}, {{2004, 2, 29}, {766, 509}}, {{2005, 1, 31}, {766, 509}},  {{1930, 5, 1}, {766, 509}},
        {{2004, 3, 21}, {313, 253}}, {{1930, 5, 1}, {313, 253}},  {{2033, 12, 22}, {313, 253}}, {{1582, 10, 15}, {313, 253}},
    };
    for (const auto& shot : shots) {
        auto widget = calendarOn(shot.day.year, shot.day.month, shot.day.day, shot.size);
        const QImage image = picture(*widget);
        const QString name = QString("%1/%2-%3x%4.png")
                                 .arg(CALENDAR_SCREENSHOT_DIR, QString::fromStdString(text(shot.day)))
                                 .arg(shot.size.width())
                                 .arg(shot.size.height());
        EXPECT_TRUE(image.save(name)) << name.toStdString();
        for (int day = 1; day <= GregorianMonthDays(shot.day.year, shot.day.month); ++day) {
            const QPoint cell = cellOfDay(*widget, day);
            ASSERT_NE(cell.x(), -1) << text(shot.day) << ": day " << day << " is missing";
            const QRect area = cellRectInWidget(*widget, cell.x(), cell.y());
            const auto [first, last] = inkExtent(image, area.adjusted(1, 1, -1, -area.height() / 2), QColor(255, 255, 255));
            EXPECT_NE(first, -1) << text(shot.day) << ": day " << day << " shows no number";
        }
    }
}

} // namespace
} // namespace calendar
