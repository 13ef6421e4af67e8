// What the calendar shows of a month: cells, colours, week numbers, title
// cells, labels, layout and menus.

#include <gtest/gtest.h>

#include <QAction>
#include <QLabel>
#include <QMenu>

#include "spin_button.h"
#include "widget_test_support.h"

namespace calendar {
namespace {

const QColor kRed(255, 0, 0);

TEST(CalendarMonth, February2004StartsOnASunday)
{
    auto widget = calendarOn(2004, 2, 29);
    EXPECT_EQ(widget->cell(1).Day, 1) << "1 February 2004 is in the first cell";
    EXPECT_EQ(widget->cell(29).DayNumberText, "29");
    EXPECT_FALSE(widget->cell(30).Active);
    EXPECT_EQ(widget->dayGrid()->currentRow(), 5) << "29 February is in row 5";
    EXPECT_EQ(widget->dayGrid()->currentColumn(), 1);
    const QString weeks[] = {"5", "6", "7", "8", "9", ""};
    for (int row = 1; row <= 6; ++row)
        EXPECT_EQ(widget->weekNumberText(row), weeks[row - 1]) << "row " << row;
}

TEST(CalendarMonth, January2005EndsInTheLastRowBesideTheTitleCells)
{
    auto widget = calendarOn(2005, 1, 31);
    EXPECT_EQ(widget->cell(7).Day, 1) << "1 January 2005 is a Saturday";
    EXPECT_EQ(cellOfDay(*widget, 30), QPoint(1, 6));
    EXPECT_EQ(cellOfDay(*widget, 31), QPoint(2, 6));
    EXPECT_FALSE(widget->cell(38).Active);
    EXPECT_FALSE(widget->cell(39).Active);
    EXPECT_EQ(widget->cell(40).DayNumberText, "宝瓶");
    EXPECT_EQ(widget->cell(41).DayNumberText, "甲申");
    EXPECT_EQ(widget->cell(42).DayNumberText, "猴年");
    for (int index = 40; index <= 42; ++index)
        EXPECT_TRUE(widget->cell(index).Active);
}

TEST(CalendarMonth, ColoursOfSpringFestivalWeek2004)
{
    auto widget = calendarOn(2004, 1, 22);
    const CalendarCell& festival = widget->cell(26); // Thursday 22 January
    ASSERT_EQ(festival.Day, 22);
    EXPECT_EQ(festival.DisplayText, "春节");
    EXPECT_EQ(festival.DayColor, widget->colorDate()) << "a Thursday's number";
    EXPECT_EQ(festival.LunarColor, widget->colorCnHolDay()) << "春节 is a lunar festival";
    EXPECT_EQ(widget->cell(28).Day, 24);
    EXPECT_EQ(widget->cell(28).DayColor, kRed) << "Saturday 24 January";
    EXPECT_EQ(widget->cell(29).LunarColor, widget->colorCnDate()) << "an ordinary lunar day";
    EXPECT_EQ(widget->cell(1 + 4).LunarColor, widget->colorHoliday()) << "元旦节, 1 January";
}

TEST(CalendarMonth, LeapSecondMonthBeginsOn21March2004)
{
    auto widget = calendarOn(2004, 3, 21);
    const QPoint at = cellOfDay(*widget, 21);
    const CalendarCell& cell = widget->cell((at.y() - 1) * 7 + at.x());
    EXPECT_EQ(cell.DisplayText, "闰二");
    EXPECT_EQ(cell.LunarColor, kRed) << "the first day of a lunar month";
    EXPECT_EQ(widget->cnDate(), "闰二初一");
    EXPECT_EQ(widget->cnMonth(), "闰二");
    EXPECT_EQ(widget->cnDay(), "初一");
    EXPECT_EQ(widget->selectedDateLabel()->text(), "2004-03-21 农历闰二初一");
    EXPECT_EQ(widget->yearLabel()->text(), "2004");
    EXPECT_EQ(widget->monthLabel()->text(), "3");
}

TEST(CalendarMonth, SelectedDateLineOf1930NamesTheEra)
{
    auto widget = calendarOn(1930, 5, 1);
    EXPECT_TRUE(widget->selectedDateLabel()->text().startsWith("[近、现代]中华民国  民国19年 农历"))
        << widget->selectedDateLabel()->text().toStdString();
}

TEST(CalendarMonth, ColourChangesRecolourAtOnce)
{
    auto widget = calendarOn(2004, 1, 10);
    int changes = 0;
    widget->OnChange = [&changes](TChnCalendar&) { ++changes; };
    widget->setColorHoliday(QColor(10, 20, 30));
    EXPECT_EQ(widget->cell(5).LunarColor, QColor(10, 20, 30)) << "元旦节 in the new colour";
    EXPECT_EQ(changes, 1) << "the month was filled again";
    const QRect newYear = cellRectInWidget(*widget, 5, 1);
    EXPECT_TRUE(hasColor(picture(*widget), newYear, QColor(10, 20, 30)));
    widget->setColorTitleMonth(QColor(1, 2, 3));
    EXPECT_EQ(widget->monthLabel()->palette().color(QPalette::WindowText), QColor(1, 2, 3));
    EXPECT_EQ(widget->colorTitleMonth(), QColor(1, 2, 3));
}

TEST(CalendarLayout, TheFormsSizeGivesItsRowsAndColumns)
{
    auto widget = calendarOn(2004, 2, 1, {766, 509});
    const DayGrid& grid = *widget->dayGrid();
    EXPECT_EQ(grid.geometry(), QRect(8, 40, 751, 442));
    EXPECT_EQ(grid.rowHeight(0), 18);
    for (int row = 1; row <= 5; ++row)
        EXPECT_EQ(grid.rowHeight(row), 69) << "row " << row;
    EXPECT_EQ(grid.rowHeight(6), 79);
    EXPECT_EQ(grid.columnWidth(0), 6);
    for (int column = 1; column <= 7; ++column)
        EXPECT_EQ(grid.columnWidth(column), 105);
    EXPECT_EQ(grid.columnWidth(8), 10);
}

TEST(CalendarLayout, DefaultSizeAndTheTitleSwitchedOff)
{
    TChnCalendar widget;
    EXPECT_EQ(widget.size(), QSize(313, 253));
    widget.show();
    EXPECT_TRUE(widget.showTitle()) << "switched on when the window is made";
    EXPECT_EQ(widget.dayGrid()->geometry(), QRect(8, 40, 298, 186));
    EXPECT_FALSE(widget.monthUpDown()->isHidden());
    widget.setShowTitle(false);
    EXPECT_EQ(widget.dayGrid()->geometry(), QRect(2, 2, 309, 249));
    EXPECT_TRUE(widget.monthUpDown()->isHidden());
    EXPECT_EQ(widget.dayGrid()->contextMenu(), widget.yearMenu());
    widget.resize(400, 300);
    EXPECT_EQ(widget.dayGrid()->geometry(), QRect(2, 2, 396, 296)) << "a resize lays out again";
}

TEST(CalendarLayout, WeekNumberColumnWidensOnlyWhenSwitchedOnAfterTheMenus)
{
    TChnCalendar widget;
    widget.setShowWeekNum(true);
    EXPECT_EQ(widget.dayGrid()->columnWidth(0), 18);
    widget.show(); // the menus are built now, and they narrow the column again
    EXPECT_EQ(widget.dayGrid()->columnWidth(0), 6);
    widget.setShowWeekNum(false);
    widget.setShowWeekNum(true);
    EXPECT_EQ(widget.dayGrid()->columnWidth(0), 18);
}

TEST(CalendarLayout, FormValuesAndPlacingOnAPanel)
{
    QWidget panel;
    panel.resize(768, 511);
    TChnCalendar* widget = TChnCalendar::placeOnPanel(&panel);
    panel.show();
    EXPECT_EQ(widget->objectName(), "ChnCalendar1");
    EXPECT_EQ(widget->size(), QSize(768, 511)) << "it fills the panel";
    panel.resize(766, 509);
    EXPECT_EQ(widget->dayGrid()->size(), QSize(751, 442)) << "and follows it";
}

TEST(CalendarMenus, MonthMenuNamesTagsAndCaptions)
{
    auto widget = calendarOn(2004, 5, 10);
    const QList<QAction*> items = widget->monthMenu()->actions();
    ASSERT_EQ(items.size(), 14);
    EXPECT_EQ(items[0]->objectName(), "MenuMonth_ToDay");
    EXPECT_EQ(items[0]->text(), "今日");
    EXPECT_EQ(widget->monthMenu()->defaultAction(), items[0]);
    EXPECT_EQ(items[1]->objectName(), "MenuMonth_ToDay_");
    EXPECT_TRUE(items[1]->isSeparator());
    EXPECT_EQ(items[2]->objectName(), "MenuMonth_0");
    EXPECT_EQ(items[2]->text(), "一月");
    EXPECT_EQ(items[13]->objectName(), "MenuMonth_11");
    EXPECT_EQ(items[13]->text(), "十二月");
    EXPECT_EQ(items[13]->data().toInt(), 12);
    items[4]->trigger(); // 三月
    EXPECT_EQ(widget->dateTime().date(), (SolarDate{2004, 3, 10}));
}

TEST(CalendarMenus, YearMenuGroups)
{
    auto widget = calendarOn(2004, 5, 10);
    QMenu* menu = widget->yearMenu();
    const auto years = [](QMenu* group) {
        QStringList captions;
        for (QAction* item : group->actions())
            captions << item->text();
        return captions.join(" ");
    };
    QMenu* history = nullptr;
    for (QAction* item : menu->actions())
        if (item->objectName() == "MenuYear_History")
            history = item->menu();
    ASSERT_NE(history, nullptr);
    EXPECT_EQ(history->title(), "历史日期");
    ASSERT_EQ(history->actions().size(), 19);
    QMenu* eighteenHundreds = history->actions()[18]->menu();
    EXPECT_EQ(eighteenHundreds->title(), "1800");
    EXPECT_EQ(years(eighteenHundreds), "1810 1820 1830 1840 1850 1860 1870 1880 1890 1900");
    EXPECT_EQ(history->actions()[0]->menu()->title(), "0");
    QMenu* nineteenHundreds = nullptr;
    for (QAction* item : menu->actions())
        if (item->objectName() == "MenuYear_1900")
            nineteenHundreds = item->menu();
    ASSERT_NE(nineteenHundreds, nullptr);
    EXPECT_EQ(years(nineteenHundreds), "1900 1901 1902 1903 1904 1905 1906 1907 1908 1909");
    EXPECT_EQ(menu->actions().back()->menu()->title(), "2090");
    EXPECT_EQ(years(menu->actions().back()->menu()).split(' ').back(), "2099") << "2100 has no item";
    nineteenHundreds->actions()[9]->trigger();
    EXPECT_EQ(widget->dateTime().date(), (SolarDate{1909, 5, 10}));
}

} // namespace
} // namespace calendar
