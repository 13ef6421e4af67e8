// lunar-dump START END: prints, for every day from START to END (YYYY-MM-DD,
// proleptic Gregorian, years 1..2100), its lunar date and all its calendar
// texts as one tab-separated line, so whole centuries can be checked at once.

#include <cstdio>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>

#include "chn_calendar_use.h"

namespace {

using namespace calendar;

std::optional<DateTime> parseDate(std::string_view text)
{
    int year, month, day;
    char extra;
    if (text.size() != 10 || std::sscanf(std::string(text).c_str(), "%4d-%2d-%2d%c", &year, &month, &day, &extra) != 3)
        return std::nullopt;
    if (year < 1 || year > 2100)
        return std::nullopt;
    return DateTime::fromDate(year, month, day);
}

const char* kindName(CellTextKind kind)
{
    switch (kind) {
    case CellTextKind::LunarDay: return "lunarday";
    case CellTextKind::MonthFirst: return "monthfirst";
    case CellTextKind::Holiday: return "holiday";
    case CellTextKind::SolarTerm: return "solarterm";
    case CellTextKind::LunarHoliday: return "lunarholiday";
    }
    return "";
}

void printDay(DateTime x)
{
    const SolarDate shown = *x.date();
    std::printf("%04d-%02d-%02d", shown.year, shown.month, shown.day);
    TChnCal info;
    const auto date = ReckoningDate(x);
    LunarDate lunar;
    if (!date || !GetLunarDate(date->year, date->month, date->day, lunar) || !FillDayInfo(info, x)) {
        std::printf("%s\n", std::string(18, '\t').c_str());
        return;
    }
    const CellText cell = ChooseCellText(info);
    std::printf("\t%d\t%d\t%d", lunar.year, lunar.leap ? -lunar.month : lunar.month, lunar.day);
    for (const std::string* text :
         std::initializer_list<const std::string*>{&info.LunarYearText, &info.YearGanZhiText, &info.ZodiacText, &info.EraText,
                                                   &info.MonthText, &info.MonthGanZhiText, &info.DayText, &info.DayGanZhiText,
                                                   &info.ConstellationText, &info.HolidayText, &info.LunarHolidayText,
                                                   &info.SolarTermText, &cell.text})
        std::printf("\t%s", text->c_str());
    std::printf("\t%s\t%s\n", kindName(cell.kind), FormatLunarDateLine(info, x).c_str());
}

} // namespace

int main(int argc, char** argv)
{
    const auto start = argc == 3 ? parseDate(argv[1]) : std::nullopt;
    const auto end = argc == 3 ? parseDate(argv[2]) : std::nullopt;
    if (!start || !end) {
        std::fprintf(stderr, "usage: lunar-dump START END\n"
                             "  dates as YYYY-MM-DD (proleptic Gregorian), years 1..2100\n");
        return 2;
    }
    for (DateTime x = *start; x.value() <= end->value(); x = x.addDays(1))
        printDay(x);
    return 0;
}
