// Calendar types, day numbers, the reform of 1582 and the date-time type.

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "calendar_test_support.h"
#include "chn_calendar_use.h"

namespace calendar {
namespace {

TEST(CalendarReform, DatesBeforeTheGapAreJulianAfterItGregorian)
{
    EXPECT_EQ(GetCalendarType(1582, 10, 4), ctJulian);
    EXPECT_EQ(GetCalendarType(1582, 9, 30), ctJulian);
    EXPECT_EQ(GetCalendarType(1582, 10, 5), ctGap);
    EXPECT_EQ(GetCalendarType(1582, 10, 14), ctGap);
    EXPECT_EQ(GetCalendarType(1582, 10, 15), ctGregorian);
    EXPECT_EQ(GetCalendarType(1582, 11, 1), ctGregorian);
    EXPECT_EQ(GetCalendarType(-849, 1, 1), ctJulian);
}

TEST(CalendarReform, LeapYearsFollowTheCalendarInForce)
{
    EXPECT_TRUE(IsCalendarLeapYear(1500)) << "1500 is a Julian leap year";
    EXPECT_FALSE(IsCalendarLeapYear(1900)) << "1900 is no Gregorian leap year";
    EXPECT_TRUE(IsCalendarLeapYear(2000));
    EXPECT_TRUE(IsCalendarLeapYear(-1)) << "years -1, -5, -9 … are leap years";
    EXPECT_TRUE(IsCalendarLeapYear(-5));
    EXPECT_FALSE(IsCalendarLeapYear(-2));
    EXPECT_EQ(GetMonthDays(1500, 2), 29);
    EXPECT_EQ(GetMonthDays(1900, 2), 28);
    EXPECT_EQ(GetMonthDays(1582, 10), 31) << "the gap is left to the day numbers";
}

TEST(CalendarReform, DayNumbersJoinWithoutAGap)
{
    EXPECT_EQ(GetDayNumber(1582, 10, 4), 577735);
    EXPECT_EQ(GetDayNumber(1582, 10, 15), 577736);
    EXPECT_EQ(GetDayNumber(1582, 10, 10), 0) << "a day dropped by the reform has no number";
    EXPECT_EQ(GetDayNumber(1, 1, 1), -1) << "Julian 0001-01-01 is two days before Gregorian";
    EXPECT_EQ(GetCycleDayCount(1, 1, 1), 1);
    EXPECT_EQ(GetCycleDayCount(1582, 10, 4), 577735 + 2);
    EXPECT_EQ(GetCycleDayCount(1582, 10, 15), 577735 + 3);
}

TEST(CalendarReform, DayNumberToDateUndoesGetDayNumber)
{
    for (const SolarDate date : {SolarDate{2002, 1, 1}, SolarDate{2006, 1, 1}}) {
        SolarDate back;
        ASSERT_TRUE(DayNumberToDate(GetDayNumber(date.year, date.month, date.day), back));
        EXPECT_EQ(back, date);
    }
    // Every day from Julian 0001-01-02 to 2200, across the reform and the
    // Julian century years whose leap days the Gregorian calendar drops.
    for (int n = 0; n <= 803533; ++n) {
        SolarDate date;
        ASSERT_TRUE(DayNumberToDate(n, date)) << "day number " << n;
        ASSERT_EQ(GetDayNumber(date.year, date.month, date.day), n) << "day number " << n << " came back as " << text(date);
    }
    SolarDate untouched{7, 7, 7};
    EXPECT_FALSE(DayNumberToDate(-1, untouched));
    EXPECT_EQ(untouched, (SolarDate{7, 7, 7}));
}

TEST(DateOrder, SolarAndLunarDatesCompare)
{
    EXPECT_EQ(CompareDates({2004, 1, 22}, {2004, 1, 21}), 1);
    EXPECT_EQ(CompareDates({2004, 1, 22}, {2004, 1, 22}), 0);
    EXPECT_EQ(CompareDates({2003, 12, 31}, {2004, 1, 1}), -1);
    const LunarDate second{2004, 2, 30, false};
    const LunarDate leapSecond{2004, 2, 1, true};
    EXPECT_EQ(CompareLunarDates(leapSecond, second), 1) << "闰二初一 comes after 二月三十";
    EXPECT_EQ(CompareLunarDates(second, leapSecond), -1);
    EXPECT_EQ(CompareLunarDates({2004, 3, 1, false}, leapSecond), 1);
    EXPECT_EQ(CompareLunarDates(second, second), 0);
}

TEST(CalendarDateTime, CountsDaysFromThe30thOfDecember1899)
{
    EXPECT_EQ(DateTime::fromDate(1899, 12, 30)->value(), 0);
    EXPECT_EQ(DateTime::fromDate(2004, 1, 22)->value(), 38008);
    EXPECT_EQ(DateTime(40273.664254375).date(), (SolarDate{2010, 4, 5}));
    EXPECT_EQ(DateTime(-1.25).date(), (SolarDate{1899, 12, 29})) << "time in the fraction's size";
    EXPECT_EQ(DateTime(-0.5).date(), (SolarDate{1899, 12, 30}));
    EXPECT_EQ(DateTime::fromDate(1, 1, 1)->date(), (SolarDate{1, 1, 1}));
    EXPECT_EQ(DateTime::fromDate(9999, 12, 31)->date(), (SolarDate{9999, 12, 31}));
}

TEST(CalendarDateTime, RefusesWhatIsNoDate)
{
    EXPECT_FALSE(DateTime::fromDate(2003, 2, 29));
    EXPECT_FALSE(DateTime::fromDate(0, 1, 1));
    EXPECT_FALSE(DateTime::fromDate(2004, 13, 1));
    EXPECT_FALSE(DateTime(std::numeric_limits<double>::quiet_NaN()).date());
    EXPECT_FALSE(DateTime(std::numeric_limits<double>::infinity()).date());
    EXPECT_FALSE(DateTime(1e300).date());
    EXPECT_FALSE(DateTime(-693594).date()) << "the day before 0001-01-01";
}

TEST(CalendarDateTime, WeekdaysAndIsoWeeks)
{
    EXPECT_EQ(DayOfWeek({2004, 2, 1}), 1) << "2004-02-01 is a Sunday";
    EXPECT_EQ(DayOfWeek({2005, 1, 1}), 7) << "2005-01-01 is a Saturday";
    EXPECT_EQ(DayOfWeek({1, 1, 1}), 2) << "0001-01-01 is a Monday";
    EXPECT_EQ(IsoWeekNumber({2004, 2, 1}), 5);
    EXPECT_EQ(IsoWeekNumber({2004, 2, 2}), 6);
    EXPECT_EQ(IsoWeekNumber({2004, 2, 29}), 9);
    EXPECT_EQ(IsoWeekNumber({2005, 1, 1}), 53) << "belongs to the last week of 2004";
    EXPECT_EQ(IsoWeekNumber({2008, 12, 29}), 1) << "belongs to the first week of 2009";
    EXPECT_EQ(IsoWeekNumber({2004, 2, 30}), 0);
}

TEST(CalendarDateTime, ShownDatesBeforeTheReformAreReckonedAsJulianDates)
{
    EXPECT_EQ(ReckoningDate(shownDay(1582, 10, 15)), (SolarDate{1582, 10, 15}));
    EXPECT_EQ(ReckoningDate(shownDay(1582, 10, 14)), (SolarDate{1582, 10, 4}));
    EXPECT_EQ(ReckoningDate(shownDay(1582, 10, 5)), (SolarDate{1582, 9, 25}));
    EXPECT_EQ(ReckoningDate(shownDay(1, 1, 1)), (SolarDate{1, 1, 3}));
    EXPECT_EQ(ReckoningDate(shownDay(1500, 3, 1)), (SolarDate{1500, 2, 20}));
}

} // namespace
} // namespace calendar
