// Moving through the calendar: mouse, arrow keys, spin buttons, "今天".

#include <gtest/gtest.h>

#include <QDate>
#include <QLabel>
#include <QMenu>
#include <QTime>
#include <QToolButton>

#include "spin_button.h"
#include "widget_test_support.h"

namespace calendar {
namespace {

void clickCell(TChnCalendar& widget, QPoint cell)
{
    QTest::mouseClick(widget.dayGrid(), Qt::LeftButton, {}, widget.dayGrid()->cellRect(cell.x(), cell.y()).center());
}

SolarDate shownDate(const TChnCalendar& widget)
{
    return widget.dateTime().date().value_or(SolarDate{});
}

TEST(CalendarSelection, ClickingADayPicksItWithoutTimeOfDay)
{
    auto widget = calendarOn(2004, 2, 10);
    int clicks = 0;
    widget->OnDateClick = [&clicks](TChnCalendar&) { ++clicks; };
    clickCell(*widget, cellOfDay(*widget, 17));
    EXPECT_EQ(shownDate(*widget), (SolarDate{2004, 2, 17}));
    EXPECT_EQ(widget->dateTimeValue(), std::trunc(widget->dateTimeValue()));
    EXPECT_EQ(clicks, 1);
    clickCell(*widget, {0, 3}); // the week-number column
    clickCell(*widget, {3, 0}); // the weekday header
    clickCell(*widget, {5, 6}); // a title cell
    clickCell(*widget, {1, 6}); // an empty cell
    EXPECT_EQ(shownDate(*widget), (SolarDate{2004, 2, 17}));
    EXPECT_EQ(widget->dayGrid()->currentRow(), 3);
    EXPECT_EQ(widget->dayGrid()->currentColumn(), 3);
}

TEST(CalendarSelection, ClickingTheCurrentDayAgainChangesNothingButIsReported)
{
    auto widget = calendarOn(2004, 2, 10);
    int changes = 0;
    int selects = 0;
    widget->OnChange = [&changes](TChnCalendar&) { ++changes; };
    widget->OnDateSelect = [&selects](TChnCalendar&) { ++selects; };
    clickCell(*widget, cellOfDay(*widget, 10));
    EXPECT_EQ(changes, 0) << "same date, no new fill";
    EXPECT_EQ(selects, 1);
    clickCell(*widget, cellOfDay(*widget, 11));
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(selects, 2) << "the click landed on what became the current cell";
}

TEST(CalendarSelection, DayClicksNeedAMouseButtonDownSinceTheMouseCameIn)
{
    auto widget = calendarOn(2004, 2, 10);
    int clicks = 0;
    widget->OnDateClick = [&clicks](TChnCalendar&) { ++clicks; };
    widget->dayGrid()->setFocus();
    QTest::keyClick(widget->dayGrid(), Qt::Key_Right);
    EXPECT_EQ(shownDate(*widget), (SolarDate{2004, 2, 11}));
    EXPECT_EQ(clicks, 0) << "no mouse button went down";
    clickCell(*widget, cellOfDay(*widget, 12));
    EXPECT_EQ(clicks, 1);
    QTest::keyClick(widget->dayGrid(), Qt::Key_Right);
    EXPECT_EQ(clicks, 2) << "the mouse has not left since";
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(widget.get(), &leave);
    QTest::keyClick(widget->dayGrid(), Qt::Key_Right);
    EXPECT_EQ(clicks, 2);
}

struct KeyWalk {
    SolarDate start;
    Qt::Key key;
    SolarDate end;
};

TEST(CalendarKeyboard, ArrowsWalkOnlyOverTheDaysOfTheMonth)
{
    const KeyWalk walks[] = {
        {{2004, 2, 1}, Qt::Key_Left, {2004, 2, 1}}, // the week-number column
        {{2004, 2, 1}, Qt::Key_Up, {2004, 2, 1}}, // the header row
        {{2004, 2, 1}, Qt::Key_Right, {2004, 2, 2}},   {{2004, 2, 1}, Qt::Key_Down, {2004, 2, 8}},
        {{2004, 2, 29}, Qt::Key_Down, {2004, 2, 29}}, // an empty cell below
        {{2004, 2, 29}, Qt::Key_Right, {2004, 2, 29}}, // no 30 February
        {{2004, 2, 28}, Qt::Key_Right, {2004, 2, 28}}, // the spare column
        {{2004, 2, 22}, Qt::Key_Down, {2004, 2, 29}},  {{2005, 1, 1}, Qt::Key_Left, {2005, 1, 1}}, // December's place
        {{2005, 1, 31}, Qt::Key_Right, {2005, 1, 31}}, // a cell without a day
        {{2005, 1, 28}, Qt::Key_Down, {2005, 1, 28}}, // the title cells
    };
    for (const auto& walk : walks) {
        auto widget = calendarOn(walk.start.year, walk.start.month, walk.start.day);
        widget->dayGrid()->setFocus();
        QTest::keyClick(widget->dayGrid(), walk.key);
        EXPECT_EQ(shownDate(*widget), walk.end) << "key " << walk.key << " from " << text(walk.start);
    }
}

TEST(CalendarSpinButtons, MonthStepsCarryIntoTheYearAndKeepTheDay)
{
    auto widget = calendarOn(2004, 12, 15);
    widget->monthUpDown()->upButton()->click();
    EXPECT_EQ(shownDate(*widget), (SolarDate{2005, 1, 15}));
    widget->monthUpDown()->downButton()->click();
    EXPECT_EQ(shownDate(*widget), (SolarDate{2004, 12, 15}));
    widget->SetDateTime(shownDay(2004, 1, 31));
    widget->monthUpDown()->upButton()->click();
    EXPECT_EQ(shownDate(*widget), (SolarDate{2004, 2, 29})) << "31 January plus a month";
    widget->yearUpDown()->upButton()->click();
    EXPECT_EQ(shownDate(*widget), (SolarDate{2005, 2, 28})) << "29 February a year on";
}

TEST(CalendarSpinButtons, NoStepLeavesTheYears1To2100)
{
    auto widget = calendarOn(1, 1, 20);
    widget->monthUpDown()->downButton()->click();
    EXPECT_EQ(shownDate(*widget), (SolarDate{1, 1, 20})) << "there is no year 0";
    widget->monthUpDown()->upButton()->click();
    EXPECT_EQ(shownDate(*widget), (SolarDate{1, 2, 20})) << "the buttons stayed on January of year 1";
    widget->SetDateTime(shownDay(2100, 12, 5));
    widget->monthUpDown()->upButton()->click();
    EXPECT_EQ(shownDate(*widget), (SolarDate{2100, 12, 5}));
    widget->monthUpDown()->downButton()->click();
    EXPECT_EQ(shownDate(*widget), (SolarDate{2100, 11, 5})) << "not back to January";
    widget->yearUpDown()->upButton()->click();
    EXPECT_EQ(shownDate(*widget), (SolarDate{2100, 11, 5}));
    widget->SetDateTime(shownDay(2101, 1, 1));
    EXPECT_EQ(shownDate(*widget), (SolarDate{2100, 11, 5})) << "2101 is beyond the calendar";
}

TEST(CalendarToday, TheLinkAndTheMenusGoBackToToday)
{
    auto widget = calendarOn(2004, 2, 10);
    const QDate today = QDate::currentDate();
    const SolarDate expected{today.year(), today.month(), today.day()};
    QTest::mouseClick(widget->todayLabel(), Qt::LeftButton);
    EXPECT_EQ(shownDate(*widget), expected);
    const double timeOfDay = QTime::currentTime().msecsSinceStartOfDay() / 86400000.0;
    EXPECT_NEAR(widget->dateTimeValue() - std::trunc(widget->dateTimeValue()), timeOfDay, 0.01) << "keeps the time of day";
    widget->SetDateTime(shownDay(2004, 2, 10));
    widget->yearMenu()->actions().front()->trigger();
    EXPECT_EQ(shownDate(*widget), expected);
}

} // namespace
} // namespace calendar
