// Any integer input gives the documented failure value, never a crash or an
// endless loop; every day of the lunar years goes through.

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <limits>

#include "calendar_test_support.h"
#include "chn_calendar_use.h"

namespace calendar {
namespace {

// Years outside the lunar years, and numbers that are no month, day or index.
const int kWildYears[] = {INT_MIN, INT_MIN + 1, -1000000, -2070, -850, 2101, 1000000, INT_MAX};
const int kWildNumbers[] = {INT_MIN, -1000000, -1, 0, 61, 1000000, INT_MAX};

TEST(HostileInputs, WildYearsGiveFailureValues)
{
    for (int year : kWildYears) {
        SCOPED_TRACE("year " + std::to_string(year));
        LunarDate lunar{7, 7, 7, true};
        SolarDate date{7, 7, 7};
        EXPECT_FALSE(GetLunarDate(year, 1, 1, lunar));
        EXPECT_FALSE(GetLunarMonthDay(year, 6, 15, lunar));
        EXPECT_EQ(text(lunar), text(LunarDate{7, 7, 7, true})) << "a failure writes nothing";
        EXPECT_FALSE(GetSolarDateOfLunar({year, 1, 1, false}, date));
        EXPECT_EQ(date, (SolarDate{7, 7, 7}));
        EXPECT_EQ(GetLunarMonthOf(year, 6, 15), 0);
        EXPECT_EQ(GetLeapMonth(year), 0);
        EXPECT_EQ(GetLeapMonthTotal(year), -1);
        EXPECT_EQ(GetEraText(year), year == -850 ? GetEraText(-850) : "");
        // Whatever these give, they give without undefined behaviour.
        SolarTermTime time;
        for (int k : {0, 23})
            GetSolarTermDate(year, k, time);
        for (int month : {1, 12}) {
            GetDayNumber(year, month, 31);
            GetCycleDayCount(year, month, 31);
            GetLunarDayOfMonth(year, month, 31);
            GetSolarMonthOf(year, month, 31);
            EXPECT_GE(GetMonthGanZhiOfDate(year, month, 31), 0);
            EXPECT_LT(GetYearGanZhiOfDate(year, month, 31), 60);
            EXPECT_LT(GetDayGanZhiOfDate(year, month, 31), 60);
            EXPECT_GE(GetDayGanZhiOfDate(year, month, 31), 0);
        }
        EXPECT_LT(GetYearGanZhiIndex(year), 60);
        EXPECT_GE(GetZodiacIndex(year), 0);
    }
    EXPECT_EQ(GetEraText(0), "") << "there is no year 0";
}

TEST(HostileInputs, WildMonthsDaysAndIndexesGiveFailureValues)
{
    for (int n : kWildNumbers) {
        SCOPED_TRACE("number " + std::to_string(n));
        LunarDate lunar{7, 7, 7, true};
        SolarDate date{7, 7, 7};
        EXPECT_EQ(GetMonthDays(2004, n), 0);
        EXPECT_FALSE(GetLunarDate(2004, n, 1, lunar)) << "month " << n;
        EXPECT_FALSE(GetLunarDate(2004, 1, n, lunar)) << "day " << n;
        EXPECT_EQ(GetLunarMonthOf(2004, n, 1), 0);
        EXPECT_FALSE(GetSolarDateOfLunar({2004, n, 1, false}, date));
        EXPECT_FALSE(GetSolarDateOfLunar({2004, 1, n, false}, date));
        EXPECT_FALSE(GetSolarDateOfLunar({2004, n, 1, true}, date));
        EXPECT_EQ(date, (SolarDate{7, 7, 7}));
        SolarTermTime time;
        EXPECT_FALSE(GetSolarTermDate(2004, n == 0 ? -1 : n, time));
        EXPECT_EQ(CombineGanZhi(n == 0 ? -1 : n, 0), -1);
        EXPECT_EQ(CombineGanZhi(0, n == 0 ? 12 : n), -1);
        EXPECT_EQ(GetGanZhiName(n == 0 ? 60 : n), "");
        EXPECT_EQ(GetZodiacName(n == 0 ? 12 : n), "");
        EXPECT_EQ(GetConstellationName(n == 0 ? 12 : n), "");
        EXPECT_EQ(GetSolarTermName(n == 0 ? 24 : n), "");
        EXPECT_EQ(GetLunarDayName(n), "");
        EXPECT_EQ(GetHolidayText(n, shownDay(2004, 1, 1)), "");
        EXPECT_EQ(GetLunarHolidayText(n, n, shownDay(2004, 1, 1)), "");
        EXPECT_EQ(DayNumberToDate(n, date), n >= 0 && n <= 3652059);
        // Any result will do, as long as there is one.
        GetDayOfYear(2004, n, n);
        GetDayNumber(2004, n, n);
        GetCycleDayCount(2004, n, n);
        GetConstellationIndex(n, n);
        GetSolarTermDayOfYear(2004, n);
        GetLunarDayOfMonth(2004, n, n);
        EXPECT_GE(GetMonthGanZhiOfDate(2004, n, n), -1);
    }
}

TEST(HostileInputs, DateTimesThatAreNoDates)
{
    for (double value : {std::numeric_limits<double>::quiet_NaN(), std::numeric_limits<double>::infinity(),
                         -std::numeric_limits<double>::infinity(), 1e300, -1e300, -693594.0, 2958466.0}) {
        TChnCal info;
        info.DayText = "初一";
        EXPECT_FALSE(FillDayInfo(info, DateTime(value))) << value;
        EXPECT_EQ(info.DayText, "初一");
        EXPECT_EQ(GetSolarTermText(DateTime(value)), "");
        EXPECT_EQ(GetHolidayText(1, DateTime(value)), "");
        EXPECT_EQ(FormatLunarDateLine(info, DateTime(value)), "");
    }
}

// Every day of every lunar year, Julian and Gregorian, the reform's gap included.
TEST(HostileInputs, EveryDayOfTheLunarYearsGoesThrough)
{
    long days = 0;
    long lunarDays = 0;
    for (int year = -849; year <= 2100; ++year) {
        if (year == 0)
            continue;
        for (int month = 1; month <= 12; ++month) {
            for (int day = 1; day <= GetMonthDays(year, month); ++day) {
                ++days;
                LunarDate lunar;
                ASSERT_TRUE(GetLunarDate(year, month, day, lunar)) << text(SolarDate{year, month, day});
                if (lunar.day >= 1 && lunar.month >= 1 && lunar.month <= 12)
                    ++lunarDays;
                ASSERT_GE(GetMonthGanZhiOfDate(year, month, day), 0) << text(SolarDate{year, month, day});
                ASSERT_FALSE(GetGanZhiName(GetYearGanZhiOfDate(year, month, day)).empty());
            }
        }
        SolarTermTime time;
        for (int k = 0; k < 24; ++k)
            GetSolarTermDate(year, k, time);
    }
    EXPECT_EQ(lunarDays, days - 10) << "every day but the ten of the reform's gap has a lunar day";
}

} // namespace
} // namespace calendar
