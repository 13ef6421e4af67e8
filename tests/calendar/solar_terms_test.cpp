// Solar terms, their official days, and the year and month stem-branches
// that change on them.

#include <gtest/gtest.h>

#include "calendar_test_support.h"
#include "chn_calendar_use.h"

namespace calendar {
namespace {

std::string termDate(int year, int index)
{
    SolarTermTime t;
    if (!GetSolarTermDate(year, index, t))
        return "none";
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%02d-%02d %02d:%02d", t.month, t.day, t.hour, t.minute);
    return buffer;
}

int termIndexOf(std::string_view name)
{
    for (int k = 0; k < 24; ++k)
        if (GetSolarTermName((k + 22) % 24) == name)
            return k;
    return -1;
}

TEST(SolarTerms, WorkedValuesOf2004)
{
    EXPECT_NEAR(GetSolarTermDayOfYear(2004, 3), 35.8286, 5e-5) << "立春 2004";
    EXPECT_EQ(termDate(2004, 2), "02-04 19:53");
    EXPECT_EQ(GetSolarTermName((2 + 22) % 24), "立春");
    EXPECT_EQ(termDate(2004, 0).substr(0, 5), "01-06") << "小寒";
    EXPECT_EQ(termDate(2004, 6).substr(0, 5), "04-04") << "清明";
    EXPECT_EQ(termDate(2004, 23).substr(0, 5), "12-21") << "冬至";
    EXPECT_EQ(termDate(2024, 1).substr(0, 5), "01-20") << "大寒";
    EXPECT_EQ(termDate(2024, 22).substr(0, 5), "12-06") << "大雪";
    EXPECT_EQ(termDate(2004, 24), "none");
    EXPECT_EQ(termDate(2004, -1), "none");
}

TEST(SolarTerms, AMinuteOfSixtyCarriesIntoTheHour)
{
    EXPECT_EQ(termDate(2020, termIndexOf("惊蛰")), "03-05 11:00") << "computed as 10:60";
    EXPECT_EQ(termDate(2020, termIndexOf("大雪")), "12-07 00:00") << "computed as 12-06 23:60";
}

// The official days of the terms that the formula puts on the wrong side of
// midnight: the term date, the day's text and the day before or after.
TEST(SolarTerms, OfficialDaysWhereTheFormulaMissesMidnight)
{
    const struct {
        int year;
        const char* term;
        int month, day, formulaDay;
        const char* time;
    } rows[] = {
        {1911, "立夏", 5, 7, 6, "00:00"},   {1912, "寒露", 10, 9, 8, "00:00"},  {1923, "雨水", 2, 19, 20, "23:59"},
        {1927, "白露", 9, 9, 8, "00:00"},   {1928, "夏至", 6, 22, 21, "00:00"}, {1979, "大寒", 1, 20, 21, "23:59"},
        {2016, "小暑", 7, 7, 6, "00:00"},   {2020, "大雪", 12, 7, 6, "00:00"},  {2037, "秋分", 9, 23, 22, "00:00"},
        {2040, "寒露", 10, 8, 7, "00:00"},  {2042, "大暑", 7, 23, 22, "00:00"}, {2051, "春分", 3, 20, 21, "23:59"},
        {2059, "雨水", 2, 19, 18, "00:00"}, {2083, "立春", 2, 3, 4, "23:59"},   {2084, "春分", 3, 19, 20, "23:59"},
        {2085, "小寒", 1, 4, 5, "23:59"},   {2097, "立夏", 5, 5, 4, "00:00"},
    };
    for (const auto& row : rows) {
        const std::string when = std::to_string(row.year) + " " + row.term;
        char expected[32];
        std::snprintf(expected, sizeof expected, "%02d-%02d %s", row.month, row.day, row.time);
        EXPECT_EQ(termDate(row.year, termIndexOf(row.term)), expected) << when;
        EXPECT_EQ(GetSolarTermText(shownDay(row.year, row.month, row.day)), row.term) << when;
        EXPECT_EQ(GetSolarTermText(shownDay(row.year, row.month, row.formulaDay)), "") << when;
    }
}

TEST(SolarTerms, EveryYearShowsEachTermOnceAlsoBeforeTheReform)
{
    // Before 1583 the Julian date of a term can fall in the month next to its
    // usual one (小寒 of 1500 falls on Julian 1499-12-27, shown as 1500-01-05).
    EXPECT_EQ(GetSolarTermText(shownDay(1500, 1, 5)), "小寒");
    EXPECT_EQ(GetSolarTermText(shownDay(1582, 11, 8)), "立冬") << "just after the reform";
    for (int year = 1; year <= 2100; ++year) {
        std::vector<std::string> seen;
        for (DateTime x = shownDay(year, 1, 1); x.value() <= shownDay(year, 12, 31).value(); x = x.addDays(1))
            if (auto term = GetSolarTermText(x); !term.empty())
                seen.push_back(term);
        ASSERT_EQ(seen.size(), 24u) << "solar terms shown in " << year;
    }
}

// The year's stem-branch changes on 立春, the month's on the first term of
// each solar month (立春, 惊蛰 … 大雪, 小寒), official days included.
TEST(SolarTerms, StemBranchesChangeExactlyOnTheirTerms)
{
    TChnCal info;
    TChnCal before;
    ASSERT_TRUE(FillDayInfo(before, shownDay(1900, 12, 31)));
    for (DateTime x = shownDay(1901, 1, 1); x.value() <= shownDay(2100, 12, 31).value(); x = x.addDays(1)) {
        ASSERT_TRUE(FillDayInfo(info, x));
        const SolarDate day = *x.date();
        const int k = termIndexOf(info.SolarTermText);
        const bool monthTerm = k >= 0 && k % 2 == 0; // 小寒, 立春, 惊蛰 …
        EXPECT_EQ(info.MonthGanZhiText != before.MonthGanZhiText, monthTerm)
            << text(day) << " (" << info.SolarTermText << "): month " << before.MonthGanZhiText << " -> " << info.MonthGanZhiText;
        EXPECT_EQ(info.YearGanZhiText != before.YearGanZhiText, info.SolarTermText == "立春")
            << text(day) << ": year " << before.YearGanZhiText << " -> " << info.YearGanZhiText;
        before = info;
    }
}

TEST(SolarTerms, MonthOfTheDayOf小寒IsThe12thWhateverLastYearsDay)
{
    // 小寒 2021 is on January 5 while 2020's was on January 6.
    EXPECT_EQ(termDate(2021, 0).substr(0, 5), "01-05");
    EXPECT_EQ(termDate(2020, 0).substr(0, 5), "01-06");
    EXPECT_EQ(GetSolarMonthOf(2021, 1, 5).month, 12);
    EXPECT_EQ(GetSolarMonthOf(2021, 1, 4).month, 11);
    EXPECT_EQ(GetSolarMonthOf(2021, 1, 5).year, 2020);
    EXPECT_EQ(GetMonthGanZhiOfDate(2021, 1, 5), CombineGanZhi(5, 1)) << "己丑 month";
}

} // namespace
} // namespace calendar
