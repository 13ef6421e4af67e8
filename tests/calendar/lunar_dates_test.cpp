// Solar to lunar dates and back, the leap-month tables and the corrections.

#include <gtest/gtest.h>

#include <cmath>

#include "calendar_test_support.h"
#include "new_moons.h"

namespace calendar {
namespace {

struct LunarCase {
    SolarDate solar;
    LunarDate lunar;
};

// Worked values, and the official calendar where the corrections mend the
// arithmetic (2025, 1914, 1916, 1920) or the search reaches the last year.
const LunarCase kLunarCases[] = {
    {{2004, 1, 21}, {2003, 12, 30, false}},
    {{2004, 1, 22}, {2004, 1, 1, false}},
    {{2004, 2, 19}, {2004, 1, 29, false}},
    {{2004, 3, 20}, {2004, 2, 30, false}},
    {{2004, 3, 21}, {2004, 2, 1, true}},
    {{2006, 8, 24}, {2006, 7, 1, true}},
    {{2033, 12, 22}, {2033, 11, 1, true}},
    {{2025, 4, 6}, {2025, 3, 9, false}},
    {{2025, 4, 7}, {2025, 3, 10, false}},
    {{2025, 4, 27}, {2025, 3, 30, false}},
    {{2025, 4, 28}, {2025, 4, 1, false}},
    {{2025, 5, 27}, {2025, 5, 1, false}},
    {{1914, 11, 16}, {1914, 9, 29, false}},
    {{1914, 11, 17}, {1914, 10, 1, false}},
    {{1914, 12, 17}, {1914, 11, 1, false}},
    {{1916, 2, 2}, {1915, 12, 29, false}},
    {{1916, 2, 3}, {1916, 1, 1, false}},
    {{1916, 3, 4}, {1916, 2, 1, false}},
    {{1920, 11, 9}, {1920, 9, 29, false}},
    {{1920, 11, 10}, {1920, 10, 1, false}},
    {{1924, 3, 5}, {1924, 2, 1, false}},
    {{2018, 11, 7}, {2018, 9, 30, false}},
    // A leap first month: its days in February read as month 2, in March as leap 1.
    {{1640, 2, 22}, {1640, 2, 1, false}},
    {{1640, 3, 1}, {1640, 1, 9, true}},
    {{1659, 2, 28}, {1659, 2, 8, false}},
    {{1659, 3, 1}, {1659, 1, 9, true}},
    // January of the last year still belongs to the lunar year before.
    {{2100, 1, 1}, {2099, 11, 21, false}},
    {{2100, 2, 8}, {2099, 12, 30, false}},
    {{2100, 2, 9}, {2100, 1, 1, false}},
};

TEST(LunarDates, KnownDays)
{
    for (const auto& c : kLunarCases) {
        LunarDate lunar;
        ASSERT_TRUE(GetLunarDate(c.solar.year, c.solar.month, c.solar.day, lunar)) << text(c.solar);
        EXPECT_EQ(text(lunar), text(c.lunar)) << "on " << text(c.solar);
    }
}

TEST(LunarDates, OutsideTheLunarYearsThereIsNoLunarDate)
{
    LunarDate lunar{1, 2, 3, true};
    EXPECT_FALSE(GetLunarDate(2101, 1, 1, lunar));
    EXPECT_FALSE(GetLunarDate(-850, 12, 31, lunar));
    EXPECT_EQ(text(lunar), text(LunarDate{1, 2, 3, true})) << "a failure writes nothing";
    EXPECT_EQ(GetLunarMonthOf(2101, 1, 1), 0);
}

TEST(LunarDates, NewMoonOf2004WorkedValues)
{
    const detail::NewMoons moons(2004);
    EXPECT_DOUBLE_EQ(moons.centuries(), 1.045);
    EXPECT_EQ(moons.firstLunation(), 1286);
    EXPECT_EQ(moons.base(), 730889);
    const double newMoon = moons.at(1);
    EXPECT_EQ(std::floor(newMoon), GetDayNumber(2004, 1, 22)) << "new moon on 2004-01-22";
    EXPECT_NEAR(newMoon - std::floor(newMoon), 0.2114, 5e-5) << "at about 05:04";
    EXPECT_EQ(GetLunarDayOfMonth(2004, 1, 22), 1);
    EXPECT_EQ(GetLunarDayOfMonth(2004, 2, 19), 29);
    EXPECT_EQ(GetLunarDayOfMonth(1582, 10, 10), -1) << "a day of the reform's gap";
}

TEST(LunarDates, SolarDateOfLunarRefusesWhatDoesNotExist)
{
    SolarDate date{9, 9, 9};
    EXPECT_FALSE(GetSolarDateOfLunar({2004, 3, 1, true}, date)) << "2004 has no leap third month";
    EXPECT_FALSE(GetSolarDateOfLunar({2004, 1, 30, false}, date)) << "正月 of 2004 has 29 days";
    EXPECT_FALSE(GetSolarDateOfLunar({2101, 1, 1, false}, date));
    EXPECT_EQ(date, (SolarDate{9, 9, 9}));
    ASSERT_TRUE(GetSolarDateOfLunar({2004, 2, 1, true}, date));
    EXPECT_EQ(date, (SolarDate{2004, 3, 21})) << "闰二初一 of 2004";
}

// Each day of 1901..2100 has a lunar date; days count up without gaps, months
// follow in order with the leap month after its namesake, and every lunar date
// leads back to its own day.
TEST(LunarDates, EveryDayOf1901To2100FollowsOnAndLeadsBack)
{
    SolarDate day{1901, 1, 1};
    LunarDate previous;
    ASSERT_TRUE(GetLunarDate(1900, 12, 31, previous));
    for (int n = GetDayNumber(1901, 1, 1); n <= GetDayNumber(2100, 12, 31); ++n) {
        ASSERT_TRUE(DayNumberToDate(n, day));
        LunarDate lunar;
        ASSERT_TRUE(GetLunarDate(day.year, day.month, day.day, lunar)) << text(day);
        if (lunar.day != 1) {
            ASSERT_EQ(lunar.day, previous.day + 1) << text(day) << " after " << text(previous);
            ASSERT_TRUE(lunar.month == previous.month && lunar.leap == previous.leap && lunar.year == previous.year)
                << text(day) << " is " << text(lunar) << " after " << text(previous);
        } else {
            ASSERT_GE(previous.day, 29) << text(day) << ": the month before ended on day " << previous.day;
            const bool leapFollows = !previous.leap && GetLeapMonth(previous.year) == previous.month;
            const LunarDate expected = leapFollows            ? LunarDate{previous.year, previous.month, 1, true}
                                       : previous.month == 12 ? LunarDate{previous.year + 1, 1, 1, false}
                                                              : LunarDate{previous.year, previous.month + 1, 1, false};
            ASSERT_EQ(text(lunar), text(expected)) << "new month on " << text(day);
        }
        SolarDate back;
        ASSERT_TRUE(GetSolarDateOfLunar(lunar, back)) << text(lunar) << " of " << text(day);
        ASSERT_EQ(back, day) << text(lunar) << " led back to another day";
        previous = lunar;
    }
}

TEST(LeapMonths, TableTellingRows)
{
    ASSERT_EQ(LeapMonthTable().size(), 2950u);
    const struct {
        int year, leapMonth;
    } rows[] = {{-849, 0}, {-848, 12}, {-845, 8}, {-1, 11},  {0, 0},    {1, 0},    {1640, 1},  {1659, 1},
                {1900, 8}, {1949, 7},  {2004, 2}, {2006, 7}, {2023, 2}, {2025, 6}, {2033, 11}, {2100, 0}};
    for (const auto& row : rows)
        EXPECT_EQ(GetLeapMonth(row.year), row.leapMonth) << row.year;
    EXPECT_EQ(LeapMonthTable().substr(1900 + 849, 50), "80050040020600500207005004002060050030700600400207");
    EXPECT_EQ(GetLeapMonth(-850), 0);
    EXPECT_EQ(GetLeapMonth(2101), 0);
}

TEST(LeapMonths, TotalsFollowTheTableAndTheirTellingValues)
{
    EXPECT_EQ(LeapMonthTotals().size(), 2949u);
    const struct {
        int year, total;
    } rows[] = {{-849, 0},   {-848, 1},   {1, 311},     {1199, 752},  {1200, 754},
                {1499, 864}, {1500, 863}, {1900, 1011}, {2004, 1049}, {2100, 1084}};
    for (const auto& row : rows)
        EXPECT_EQ(GetLeapMonthTotal(row.year), row.total) << row.year;
    EXPECT_EQ(GetLeapMonthTotal(0), GetLeapMonthTotal(-1)) << "year 0 reads the value of -1";
    EXPECT_EQ(GetLeapMonthTotal(2101), -1);
}

TEST(LunarDayCorrections, AreTheOfficialCalendarsStretches)
{
    const auto& table = LunarDayCorrections();
    ASSERT_EQ(table.size(), 5u);
    const int years[] = {1914, 1916, 1920, 1924, 2018};
    for (size_t i = 0; i < table.size(); ++i)
        EXPECT_EQ(table[i].year, years[i]);
    EXPECT_EQ(table[1].firstMonth * 100 + table[1].firstDay, 203);
    EXPECT_EQ(table[4].change, -1);
}

} // namespace
} // namespace calendar
