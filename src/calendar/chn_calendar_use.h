#pragma once

// The texts of one day for the calendar page: lunar month and day, the
// stem-branch names, zodiac, constellation, festivals, solar term and era,
// the text a calendar cell shows and the selected-date line.
//
// Shown dates are proleptic Gregorian. The arithmetic reckons a date before
// 1582-10-15 in the Julian calendar, so for those days the lunar texts,
// lunar festivals, solar terms, stem-branch names and era are worked out from
// the Julian date of the very same day; the Gregorian festivals and the
// constellation go by the shown date.

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "chn_calendar_math.h"
#include "date_time.h"

namespace calendar {

inline constexpr std::array<std::string_view, 12> LunarMonthNames{"正", "二", "三", "四", "五", "六",
                                                                  "七", "八", "九", "十", "冬", "腊"};

// All texts of one date; refilled for every date shown.
struct TChnCal {
    DateTime DateValue;
    std::string LunarYearText;
    std::string YearGanZhiText; // changes on 立春
    std::string ZodiacText; // of the lunar year
    std::string EraText; // empty from 1949 on
    std::string MonthText; // 正月 … 腊月, 闰二 for a leap month
    std::string MonthGanZhiText;
    std::string DayText; // 初一 … 三十
    std::string DayGanZhiText;
    std::string ConstellationText;
    std::string HolidayText; // Gregorian festival
    std::string LunarHolidayText;
    std::string SolarTermText;
};

enum class CellTextKind { LunarDay, MonthFirst, Holiday, SolarTerm, LunarHoliday };

struct CellText {
    std::string text;
    CellTextKind kind = CellTextKind::LunarDay;
};

// Fills every text of the date of x; false (texts left as they were, only
// DateValue set) when the date has no lunar date.
bool FillDayInfo(TChnCal& info, DateTime x);

std::string GetHolidayText(int day, DateTime x);
std::string GetLunarHolidayText(int lunarMonth, int lunarDay, DateTime x);
std::string GetSolarTermText(DateTime x);
std::string GetEraText(int year);
// The n-th (from 1) field of text split at separator, trimmed; empty if missing.
std::string GetField(std::string_view text, std::string_view separator, int n, bool skipEmpty);
CellText ChooseCellText(const TChnCal& info);
std::string FormatLunarDateLine(const TChnCal& info, DateTime x);

// The date of x as the arithmetic reckons it: Julian before 1582-10-15.
std::optional<SolarDate> ReckoningDate(DateTime x);

// The era chronology, one text of seven comma-separated fields per entry:
// start year, years, 0, dynasty, ruler's title, personal name, era name.
const std::vector<std::string>& EraTable();

} // namespace calendar
