#include "calendar_detail.h"
#include "chn_calendar_use.h"

// Gregorian festivals, lunar festivals and solar-term days.

namespace calendar {

std::string GetHolidayText(int day, DateTime x)
{
    const auto shown = x.date();
    if (!shown || day < 1 || day > 31)
        return {};
    const int weekday = DayOfWeek({shown->year, shown->month, day});
    const int week = (day - 1) / 7; // 0 for the first seven days of the month
    const bool sunday = weekday == 1;
    switch (shown->month) {
    case 1:
        if (day == 1)
            return "元旦节";
        break;
    case 2:
        if (day == 14)
            return "情人节";
        break;
    case 3:
        if (day == 8)
            return "妇女节";
        break;
    case 4:
        if (day == 1)
            return "愚人节";
        break;
    case 5:
        if (day == 1)
            return "劳动节";
        if (day == 4)
            return "青年节";
        if (sunday && week == 1)
            return "母亲节";
        break;
    case 6:
        if (day == 1)
            return "儿童节";
        if (sunday && week == 2)
            return "父亲节";
        break;
    case 7:
        if (day == 1)
            return "建党节";
        break;
    case 8:
        if (day == 1)
            return "建军节";
        break;
    case 9:
        if (day == 10)
            return "教师节";
        break;
    case 10:
        if (day == 1)
            return "国庆节";
        if (day == 6)
            return "老人节";
        if (day == 31)
            return "万圣节";
        break;
    case 11:
        if (day == 8)
            return "记者日";
        if (weekday == 5 && week == 3)
            return "感恩节";
        break;
    case 12:
        if (day == 25)
            return "圣诞节";
        break;
    }
    return {};
}

std::string GetLunarHolidayText(int lunarMonth, int lunarDay, DateTime x)
{
    if (lunarMonth < 1 || lunarMonth > 12 || lunarDay < 1 || lunarDay > 30)
        return {};
    switch (lunarMonth * 100 + lunarDay) {
    case 101: return "春节";
    case 115: return "元宵节";
    case 505: return "端午节";
    case 707: return "七夕节";
    case 815: return "中秋节";
    case 909: return "重阳节";
    case 1208: return "腊八节";
    }
    if (lunarMonth != 12)
        return {};
    switch (lunarDay) {
    case 1:
    case 5:
    case 7:
    case 9:
    case 15: return {};
    }
    // The last day of the year, whether the twelfth month has 29 or 30 days.
    const auto tomorrow = ReckoningDate(x.addDays(1));
    LunarDate next;
    if (tomorrow && GetLunarDate(tomorrow->year, tomorrow->month, tomorrow->day, next) && next.month == 1 && next.day == 1 &&
        !next.leap)
        return "除夕";
    return {};
}

std::string GetSolarTermText(DateTime x)
{
    const auto date = ReckoningDate(x);
    if (!date)
        return {};
    const int t = detail::elapsedDayOfYear(date->year, date->month, date->day);
    // The two terms of the month first; in the Julian centuries a term can
    // drift into the month before or after, so its neighbours are looked at too.
    const int first = 2 * date->month - 1;
    for (int term : {first, first + 1, first - 1, first + 2, first - 2, first + 3}) {
        if (detail::termDayOfYear(date->year, term) == t)
            return std::string(GetSolarTermName(((term + 21) % 24 + 24) % 24));
    }
    return {};
}

} // namespace calendar
