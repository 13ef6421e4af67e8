// Stem-branch names, zodiac, constellations and the name tables.

#include <gtest/gtest.h>

#include "calendar_test_support.h"

namespace calendar {
namespace {

TEST(StemBranch, WorkedDays)
{
    EXPECT_EQ(GetGanZhiName(GetDayGanZhiOfDate(1949, 10, 1)), "甲子");
    EXPECT_EQ(GetGanZhiName(GetMonthGanZhiOfDate(1949, 10, 1)), "癸酉");
    EXPECT_EQ(GetGanZhiName(GetYearGanZhiOfDate(1949, 10, 1)), "己丑");
    EXPECT_EQ(GetGanZhiName(GetDayGanZhiOfDate(2000, 1, 1)), "戊午");
    EXPECT_EQ(GetGanZhiName(GetYearGanZhiOfDate(2004, 2, 3)), "癸未") << "the day before 立春";
    EXPECT_EQ(GetGanZhiName(GetYearGanZhiOfDate(2004, 2, 4)), "甲申") << "立春";
}

TEST(StemBranch, YearsAndZodiac)
{
    const struct {
        int year;
        const char* ganZhi;
        const char* zodiac;
    } rows[] = {{4, "甲子", "鼠"}, {2004, "甲申", "猴"}, {1, "辛酉", "鸡"}, {-1, "庚申", "猴"}, {1949, "己丑", "牛"}};
    for (const auto& row : rows) {
        EXPECT_EQ(GetGanZhiName(GetYearGanZhiIndex(row.year)), row.ganZhi) << "year " << row.year;
        EXPECT_EQ(GetZodiacName(GetZodiacIndex(row.year)), row.zodiac) << "year " << row.year;
    }
}

TEST(StemBranch, CombineAndSplitAreInverse)
{
    for (int index = 0; index < 60; ++index) {
        int stem, branch;
        ASSERT_TRUE(SplitGanZhi(index, stem, branch));
        EXPECT_EQ(CombineGanZhi(stem, branch), index) << GetGanZhiName(index);
    }
    EXPECT_EQ(CombineGanZhi(0, 1), -1) << "甲 never pairs with 丑";
    EXPECT_EQ(CombineGanZhi(10, 0), -1);
    EXPECT_EQ(CombineGanZhi(0, 12), -1);
    EXPECT_EQ(CombineGanZhi(-1, 0), -1);
    int stem = 5, branch = 5;
    EXPECT_FALSE(SplitGanZhi(60, stem, branch));
    EXPECT_EQ(stem, -1);
    EXPECT_EQ(branch, -1);
}

TEST(Constellations, BoundaryDays)
{
    const struct {
        int month, day;
        const char* name;
    } rows[] = {{1, 1, "摩羯"},  {1, 19, "摩羯"}, {1, 20, "宝瓶"},  {3, 20, "双鱼"},  {3, 21, "白羊"},
                {6, 21, "双子"}, {6, 22, "巨蟹"}, {12, 21, "射手"}, {12, 22, "摩羯"}, {12, 31, "摩羯"}};
    for (const auto& row : rows)
        EXPECT_EQ(GetConstellationName(GetConstellationIndex(row.month, row.day)), row.name) << row.month << "-" << row.day;
}

TEST(NameTables, StemBranchNamesAreBuiltInCycleOrder)
{
    ASSERT_EQ(GanZhiNames().size(), 60u);
    EXPECT_EQ(GanZhiNames().front(), "甲子");
    EXPECT_EQ(GanZhiNames()[1], "乙丑");
    EXPECT_EQ(GanZhiNames()[10], "甲戌");
    EXPECT_EQ(GanZhiNames().back(), "癸亥");
}

TEST(NameTables, LunarDayNames)
{
    const struct {
        int day;
        const char* name;
    } rows[] = {{1, "初一"},  {9, "初九"},  {10, "初十"}, {11, "十一"}, {19, "十九"}, {20, "二十"},
                {21, "廿一"}, {29, "廿九"}, {30, "三十"}, {0, ""},      {31, ""},     {-1, ""}};
    for (const auto& row : rows)
        EXPECT_EQ(GetLunarDayName(row.day), row.name) << "day " << row.day;
}

} // namespace
} // namespace calendar
