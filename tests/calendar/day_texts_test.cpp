// The texts of a day: lunar month and day, festivals, solar terms, eras,
// the cell text and the selected-date line.

#include <gtest/gtest.h>

#include "calendar_test_support.h"
#include "chn_calendar_use.h"

namespace calendar {
namespace {

TChnCal filled(int year, int month, int day)
{
    TChnCal info;
    EXPECT_TRUE(FillDayInfo(info, shownDay(year, month, day))) << text(SolarDate{year, month, day});
    return info;
}

TEST(DayTexts, SpringFestival2004)
{
    const TChnCal info = filled(2004, 1, 22);
    EXPECT_EQ(info.LunarYearText, "2004");
    EXPECT_EQ(info.MonthText, "正月");
    EXPECT_EQ(info.DayText, "初一");
    EXPECT_EQ(info.LunarHolidayText, "春节");
    EXPECT_EQ(info.ZodiacText, "猴");
    EXPECT_EQ(info.YearGanZhiText, "癸未") << "the year's stem-branch waits for 立春";
    EXPECT_EQ(info.MonthGanZhiText, "乙丑");
    EXPECT_EQ(info.DayGanZhiText, "庚子");
    EXPECT_EQ(info.ConstellationText, "宝瓶");
    EXPECT_EQ(info.EraText, "");
    EXPECT_EQ(info.DateValue, shownDay(2004, 1, 22));
    const CellText cell = ChooseCellText(info);
    EXPECT_EQ(cell.text, "春节") << "a lunar festival wins over the first day's month name";
    EXPECT_EQ(cell.kind, CellTextKind::LunarHoliday);
    EXPECT_EQ(FormatLunarDateLine(info, info.DateValue), "2004-01-22 农历正月初一");
}

TEST(DayTexts, LeapMonthFirstDay)
{
    const TChnCal info = filled(2004, 3, 21);
    EXPECT_EQ(info.MonthText, "闰二") << "a leap month has no 月";
    const CellText cell = ChooseCellText(info);
    EXPECT_EQ(cell.text, "闰二");
    EXPECT_EQ(cell.kind, CellTextKind::MonthFirst);
    EXPECT_EQ(FormatLunarDateLine(info, info.DateValue), "2004-03-21 农历闰二初一");
}

TEST(DayTexts, YearStemBranchAndZodiacAround立春)
{
    EXPECT_EQ(filled(2004, 2, 4).SolarTermText, "立春");
    EXPECT_EQ(filled(2004, 2, 4).YearGanZhiText, "甲申");
    const TChnCal before = filled(2004, 2, 3);
    EXPECT_EQ(before.YearGanZhiText, "癸未");
    EXPECT_EQ(before.ZodiacText, "猴") << "the lunar year 2004 began on January 22";
}

struct FestivalCase {
    SolarDate day;
    const char* holiday;
    const char* lunarHoliday;
    const char* cell;
};

TEST(DayTexts, FestivalsAndWhichOneTheCellShows)
{
    const FestivalCase cases[] = {
        {{2004, 1, 21}, "", "除夕", "除夕"}, // 腊月三十
        {{2004, 1, 20}, "", "", "廿九"}, // 腊月廿九 of a 30-day month
        {{1902, 2, 7}, "", "除夕", "除夕"}, // 腊月廿九 of a 29-day month
        {{2004, 5, 9}, "母亲节", "", "母亲节"}, // the second Sunday of May
        {{2004, 5, 2}, "", "", "十四"}, // a Sunday, but the first one
        {{2004, 6, 20}, "父亲节", "", "父亲节"}, {{2004, 11, 25}, "感恩节", "", "感恩节"}, // the fourth Thursday
        {{2004, 1, 1}, "元旦节", "", "元旦节"},  {{2004, 10, 31}, "万圣节", "", "万圣节"},
        {{2003, 11, 8}, "记者日", "", "立冬"}, // a solar term wins over a festival
        {{2009, 6, 21}, "父亲节", "", "夏至"},   {{2006, 8, 30}, "", "七夕节", "七夕节"}, // 闰七月初七 counts as well
        {{2004, 9, 28}, "", "中秋节", "中秋节"}, {{2005, 1, 17}, "", "腊八节", "腊八节"},
    };
    for (const auto& c : cases) {
        const TChnCal info = filled(c.day.year, c.day.month, c.day.day);
        EXPECT_EQ(info.HolidayText, c.holiday) << text(c.day);
        EXPECT_EQ(info.LunarHolidayText, c.lunarHoliday) << text(c.day);
        EXPECT_EQ(ChooseCellText(info).text, c.cell) << text(c.day);
    }
}

TEST(DayTexts, EveryTextComesFromTheDateBeingFilled)
{
    TChnCal info = filled(2004, 1, 22);
    ASSERT_TRUE(FillDayInfo(info, shownDay(2004, 1, 23)));
    EXPECT_EQ(info.LunarHolidayText, "");
    EXPECT_EQ(info.DayText, "初二");
}

TEST(DayTexts, ADateWithoutLunarDateKeepsTheTexts)
{
    TChnCal info = filled(2004, 1, 22);
    EXPECT_FALSE(FillDayInfo(info, shownDay(2101, 1, 1)));
    EXPECT_EQ(info.DayText, "初一");
    EXPECT_EQ(info.LunarHolidayText, "春节");
    EXPECT_EQ(info.DateValue, shownDay(2101, 1, 1));
}

TEST(Eras, YearsOfTheRepublicAndBefore)
{
    const struct {
        int year;
        const char* era;
    } rows[] = {
        {1911, "[清]宣统帝 溥仪 宣统3年"},
        {1912, "[近、现代]中华民国  民国元年"},
        {1930, "[近、现代]中华民国  民国19年"},
        {1948, "[近、现代]中华民国  民国37年"},
        {1949, ""},
        {2004, ""},
        {1368, "[明]太祖 朱元璋 洪武元年"},
        {465, "[南朝/宋]明帝 刘彧 泰始元年"}, // the last of three eras begun in 465
        {1, "[西汉]平帝 刘衎 元始元年"},
        {-1, "[西汉]哀帝 刘欣 元寿2年"},
        {-2069, "[夏]  夏元年"},
        {-2070, ""},
    };
    for (const auto& row : rows)
        EXPECT_EQ(GetEraText(row.year), row.era) << "year " << row.year;
    ASSERT_EQ(EraTable().size(), 415u);
    EXPECT_EQ(EraTable().back(), "1949,9999,1948,当代,中国,,公历");
}

TEST(Eras, SelectedDateLineBefore1949)
{
    const TChnCal info = filled(1930, 5, 1);
    EXPECT_EQ(FormatLunarDateLine(info, info.DateValue), "[近、现代]中华民国  民国19年 农历四月初三");
}

TEST(Fields, SplitTrimAndCount)
{
    EXPECT_EQ(GetField("1912,37,0,近、现代,中华民国,,民国", ",", 5, false), "中华民国");
    EXPECT_EQ(GetField("1912,37,0,近、现代,中华民国,,民国", ",", 6, false), "");
    EXPECT_EQ(GetField("1912,37,0,近、现代,中华民国,,民国", ",", 6, true), "民国");
    EXPECT_EQ(GetField(" a ;  b  ; c d ", ";", 3, false), "c d") << "the last field is the rest";
    EXPECT_EQ(GetField("a::b::c", "::", 2, false), "b");
    EXPECT_EQ(GetField("a,b", ",", 3, false), "");
    EXPECT_EQ(GetField("a,b", ",", 0, false), "");
    EXPECT_EQ(GetField("a,b", "", 1, false), "a,b") << "no separator, one field";
    EXPECT_EQ(GetField("a,b", "", 2, false), "");
}

// Before 1583 each shown day is reckoned by its Julian date, so the lunar
// days, the solar terms and the day's stem-branch run on without a break.
TEST(ShownDatesBeforeTheReform, EveryDayHasItsOwnLunarTexts)
{
    TChnCal previous = filled(1, 1, 1);
    for (DateTime x = shownDay(1, 1, 2); x.value() <= shownDay(1600, 12, 31).value(); x = x.addDays(1)) {
        TChnCal info;
        ASSERT_TRUE(FillDayInfo(info, x)) << text(*x.date());
        ASSERT_FALSE(info.DayText.empty()) << text(*x.date()) << " has no lunar day";
        ASSERT_EQ(
            GanZhiNames()[(GetDayGanZhiOfDate(ReckoningDate(x)->year, ReckoningDate(x)->month, ReckoningDate(x)->day) + 59) % 60],
            previous.DayGanZhiText)
            << text(*x.date()) << " breaks the 60-day cycle";
        previous = std::move(info);
    }
}

TEST(ShownDatesBeforeTheReform, TextsOfKnownDays)
{
    // The first day of 洪武, 1368-01-20 in the Julian calendar.
    const TChnCal hongwu = filled(1368, 1, 28);
    EXPECT_EQ(hongwu.MonthText + hongwu.DayText, "正月初一");
    EXPECT_EQ(hongwu.LunarHolidayText, "春节");
    EXPECT_EQ(filled(1368, 1, 31).DayGanZhiText, "乙亥") << "the day 洪武 was proclaimed";
    // The Gregorian festivals and the constellation go by the shown date.
    EXPECT_EQ(filled(1500, 1, 1).HolidayText, "元旦节");
    EXPECT_EQ(filled(1500, 3, 21).ConstellationText, "白羊");
    EXPECT_EQ(filled(1500, 3, 21).SolarTermText, "春分");
    // The ten days the reform dropped are ordinary days of the proleptic calendar.
    EXPECT_EQ(filled(1582, 10, 5).DayText, "初九");
}

// (In a year with a leap eleventh month, such as 1498, it may fall in the leap month.)
TEST(ShownDatesBeforeTheReform, 冬至FallsInTheEleventhMonthFrom1200To1499)
{
    for (int year = 1200; year <= 1499; ++year) {
        for (DateTime x = shownDay(year, 12, 10); x.value() <= shownDay(year, 12, 31).value(); x = x.addDays(1)) {
            TChnCal info;
            ASSERT_TRUE(FillDayInfo(info, x));
            if (info.SolarTermText == "冬至") {
                EXPECT_NE(info.MonthText.find("冬"), std::string::npos) << text(*x.date()) << " is 冬至 in " << info.MonthText;
            }
        }
    }
}

} // namespace
} // namespace calendar
