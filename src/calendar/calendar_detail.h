#pragma once

// Helpers shared by the calendar's source files; not part of its interface.

#include <climits>
#include <cmath>

namespace calendar::detail {

// The calendar rounds half to even.
inline double roundHalfEven(double x)
{
    if (std::fabs(x - std::trunc(x)) == 0.5)
        return 2.0 * std::round(x / 2.0);
    return std::round(x);
}

// A real turned into an int without undefined behaviour for wild values.
inline int toInt(double x)
{
    if (std::isnan(x))
        return 0;
    if (x <= static_cast<double>(INT_MIN))
        return INT_MIN;
    if (x >= static_cast<double>(INT_MAX))
        return INT_MAX;
    return static_cast<int>(x);
}

inline int floorToInt(double x)
{
    return toInt(std::floor(x));
}

// Year arithmetic without a year 0 (and without overflow at the ends).
inline int previousYear(int year)
{
    return year == 1 ? -1 : year == INT_MIN ? year : year - 1;
}
inline int nextYear(int year)
{
    return year == -1 ? 1 : year == INT_MAX ? year : year + 1;
}

// Days elapsed since the start of the year: the day of the year, except that
// the ten days dropped in October 1582 are not counted.
int elapsedDayOfYear(int year, int month, int day);
int elapsedYearLength(int year);

// The day of the year (elapsed) on which solar term n falls, with the
// official days of the correction table. Terms past 24 are those of the next
// year and terms below 1 those of the previous year, counted from this
// year's start (only a few terms either way are asked for).
int termDayOfYear(int year, int term);

// The official day of a solar term where the formula misses it, if any.
struct SolarTermCorrection {
    int year;
    int term; // 1 = 小寒 .. 24 = 冬至
    int month;
    int day;
};
const SolarTermCorrection* findSolarTermCorrection(int year, int term);

} // namespace calendar::detail
