#include <cstdio>

#include "chn_calendar_use.h"

// Filling the texts of one day, and what the calendar shows of them.

namespace calendar {

std::optional<SolarDate> ReckoningDate(DateTime x)
{
    const auto n = x.dayNumber();
    SolarDate date;
    if (!n || !DayNumberToDate(*n, date))
        return std::nullopt;
    return date;
}

bool FillDayInfo(TChnCal& info, DateTime x)
{
    info.DateValue = x;
    const auto shown = x.date();
    const auto date = ReckoningDate(x);
    LunarDate lunar;
    if (!shown || !date || !GetLunarDate(date->year, date->month, date->day, lunar))
        return false;
    const auto [y, m, d] = *date;

    info.LunarYearText = std::to_string(lunar.year);
    info.YearGanZhiText = GetGanZhiName(GetYearGanZhiOfDate(y, m, d));
    info.ZodiacText = GetZodiacName(GetZodiacIndex(lunar.year));
    info.EraText = GetEraText(y);

    const std::string monthName = lunar.month >= 1 && lunar.month <= 12 ? std::string(LunarMonthNames[lunar.month - 1]) : "";
    info.MonthText = lunar.leap ? "闰" + monthName : monthName + "月";
    info.MonthGanZhiText = GetGanZhiName(GetMonthGanZhiOfDate(y, m, d));

    info.DayText = GetLunarDayName(lunar.day);
    info.DayGanZhiText = GetGanZhiName(GetDayGanZhiOfDate(y, m, d));
    info.ConstellationText = GetConstellationName(GetConstellationIndex(shown->month, shown->day));

    info.HolidayText = GetHolidayText(shown->day, x);
    info.LunarHolidayText = GetLunarHolidayText(lunar.month, lunar.day, x);
    info.SolarTermText = GetSolarTermText(x);
    return true;
}

CellText ChooseCellText(const TChnCal& info)
{
    CellText choice{info.DayText, CellTextKind::LunarDay};
    if (info.DayText == "初一")
        choice = {info.MonthText, CellTextKind::MonthFirst};
    // A lunar festival wins over a solar term, a solar term over a Gregorian festival.
    if (!info.HolidayText.empty())
        choice = {info.HolidayText, CellTextKind::Holiday};
    if (!info.SolarTermText.empty())
        choice = {info.SolarTermText, CellTextKind::SolarTerm};
    if (!info.LunarHolidayText.empty())
        choice = {info.LunarHolidayText, CellTextKind::LunarHoliday};
    return choice;
}

std::string FormatLunarDateLine(const TChnCal& info, DateTime x)
{
    const auto shown = x.date();
    if (!shown)
        return {};
    const std::string lunarPart = " 农历" + info.MonthText + info.DayText;
    if (shown->year < 1949)
        return info.EraText + lunarPart;
    char date[32];
    std::snprintf(date, sizeof date, "%04d-%02d-%02d", shown->year, shown->month, shown->day);
    return date + lunarPart;
}

} // namespace calendar
