#pragma once

// The arithmetic of the Chinese calendar: calendar types and day numbers,
// solar terms, new moons and lunar months, the sexagenary cycle, zodiac and
// constellation, with their name tables.
//
// Dates are (year, month, day) in the calendar in force: Julian up to
// 1582-10-04, Gregorian from 1582-10-15. Years have no year 0: -1 is followed
// by 1. The lunar conversion covers the years -849 .. 2100. No function
// throws: failures are false, -1, 0 for a month or an empty text.

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "date_time.h"

namespace calendar {

enum CalendarType { ctGap = 0, ctJulian = 1, ctGregorian = 2 };

inline constexpr int kFirstLunarYear = -849;
inline constexpr int kLastLunarYear = 2100;

// A lunar date; where one integer carries a lunar month, a negative value
// means the leap month of that number.
struct LunarDate {
    int year = 0;
    int month = 0; // 1..12
    int day = 0; // 1..30
    bool leap = false;
};

struct SolarTermTime {
    int month = 0;
    int day = 0;
    int hour = 0;
    int minute = 0;
};

// A solar month (月建): month 1 begins at 立春; its year changes there too.
struct SolarMonth {
    int year = 0;
    int month = 0;
};

// A stretch of days whose computed lunar day is one off the official calendar.
struct LunarDayCorrection {
    int year;
    int firstMonth, firstDay;
    int lastMonth, lastDay;
    int change; // +1 or -1
};

// --- name tables ---------------------------------------------------------
inline constexpr std::array<std::string_view, 10> StemNames{"甲", "乙", "丙", "丁", "戊", "己", "庚", "辛", "壬", "癸"};
inline constexpr std::array<std::string_view, 12> BranchNames{"子", "丑", "寅", "卯", "辰", "巳",
                                                              "午", "未", "申", "酉", "戌", "亥"};
inline constexpr std::array<std::string_view, 12> ZodiacNames{"鼠", "牛", "虎", "兔", "龙", "蛇",
                                                              "马", "羊", "猴", "鸡", "狗", "猪"};
inline constexpr std::array<std::string_view, 12> ConstellationNames{"白羊", "金牛", "双子", "巨蟹", "狮子", "处女",
                                                                     "天秤", "天蝎", "射手", "摩羯", "宝瓶", "双鱼"};
inline constexpr std::array<std::string_view, 24> SolarTermNames{"立春", "雨水", "惊蛰", "春分", "清明", "谷雨", "立夏", "小满",
                                                                 "芒种", "夏至", "小暑", "大暑", "立秋", "处暑", "白露", "秋分",
                                                                 "寒露", "霜降", "立冬", "小雪", "大雪", "冬至", "小寒", "大寒"};
inline constexpr std::array<std::string_view, 10> DigitNames{"一", "二", "三", "四", "五", "六", "七", "八", "九", "十"};
inline constexpr std::array<std::string_view, 6> TensNames{"初", "十", "廿", "卅", "二", "三"};
// Month·100 + day of the first day of each constellation after 摩羯 (宝瓶 ...).
inline constexpr std::array<int, 12> ConstellationBounds{120, 219, 321, 421, 521, 622, 723, 823, 923, 1023, 1123, 1222};

const std::array<std::string, 60>& GanZhiNames(); // 甲子, 乙丑 ... 癸亥
std::string_view LeapMonthTable(); // 2950 characters, position = year + 849
const std::vector<int>& LeapMonthTotals(); // 2949 counts, -849 .. 2100 without year 0
const std::vector<LunarDayCorrection>& LunarDayCorrections();

// --- solar dates -----------------------------------------------------------
int GetCalendarType(int year, int month, int day);
bool IsCalendarLeapYear(int year);
int GetMonthDays(int year, int month); // 0 for a month outside 1..12
int GetDayOfYear(int year, int month, int day);
// Day 1 is 0001-01-01 Gregorian; 0 for a date in the reform's gap (and for
// a date too far out to number).
int GetDayNumber(int year, int month, int day);
int GetCycleDayCount(int year, int month, int day);
// The date (Julian or Gregorian, as in force) of a day number; false when negative.
bool DayNumberToDate(int dayNumber, SolarDate& date);
int CompareDates(const SolarDate& a, const SolarDate& b);
int CompareLunarDates(const LunarDate& a, const LunarDate& b);

// --- solar terms -------------------------------------------------------------
// Term n = 1 for 小寒, 2 for 大寒, 3 for 立春 ... 24 for 冬至; the integer part is
// the day of the year, the fraction the time of day (UTC+8).
double GetSolarTermDayOfYear(int year, int term);
// Term index k = 0 for 小寒 ... 23 for 冬至; false for k outside 0..23 and for
// a term that falls outside the year (only in the Julian centuries).
bool GetSolarTermDate(int year, int index, SolarTermTime& time);

// --- lunar dates ---------------------------------------------------------------
int GetLunarDayOfMonth(int year, int month, int day); // 1..30, -1 when no new moon is found
// These three fail (0, false) for a year outside -849..2100 and for what is no date.
int GetLunarMonthOf(int year, int month, int day); // ±1..12
bool GetLunarMonthDay(int year, int month, int day, LunarDate& lunar); // leaves lunar.year
bool GetLunarDate(int year, int month, int day, LunarDate& lunar);
bool GetSolarDateOfLunar(const LunarDate& lunar, SolarDate& date);
int GetLeapMonth(int year); // 0 when the year has none
int GetLeapMonthTotal(int year); // -1 outside -849 .. 2100

// --- sexagenary cycle, zodiac, constellation -------------------------------------
int GetYearGanZhiIndex(int year);
int GetYearGanZhiOfDate(int year, int month, int day); // changes on 立春
SolarMonth GetSolarMonthOf(int year, int month, int day);
int GetMonthGanZhiOfDate(int year, int month, int day);
int GetDayGanZhiOfDate(int year, int month, int day);
int GetZodiacIndex(int year);
int GetConstellationIndex(int month, int day);
int CombineGanZhi(int stem, int branch);
bool SplitGanZhi(int index, int& stem, int& branch);

std::string_view GetGanZhiName(int index);
std::string_view GetZodiacName(int index);
std::string_view GetSolarTermName(int index);
std::string_view GetConstellationName(int index);
std::string GetLunarDayName(int day); // 初一 … 三十

} // namespace calendar
