#pragma once

// Small helpers that let the calendar tests speak in dates.

#include <cstdio>
#include <ostream>
#include <string>

#include "chn_calendar_math.h"
#include "date_time.h"

namespace calendar {

inline std::string text(const SolarDate& d)
{
    char buffer[40];
    std::snprintf(buffer, sizeof buffer, "%04d-%02d-%02d", d.year, d.month, d.day);
    return buffer;
}

inline std::string text(const LunarDate& l)
{
    return "lunar " + std::to_string(l.year) + (l.leap ? " leap month " : " month ") + std::to_string(l.month) + " day " +
           std::to_string(l.day);
}

inline void PrintTo(const SolarDate& d, std::ostream* os)
{
    *os << text(d);
}
inline void PrintTo(const LunarDate& l, std::ostream* os)
{
    *os << text(l);
}

// The date-time of a shown (Gregorian) date that the test knows to be valid.
inline DateTime shownDay(int year, int month, int day)
{
    return DateTime::fromDate(year, month, day).value_or(DateTime(-1e9));
}

} // namespace calendar
