#include <algorithm>
#include <climits>

#include "calendar_detail.h"
#include "chn_calendar_math.h"

// Calendar types, day numbers and their inverse.

namespace calendar {

namespace {

constexpr int kLastJulianDayNumber = 577735; // 1582-10-04, the last Julian day

// Sums in 64 bits so that no integer input can overflow; the public
// functions bring the result back into an int.
long long dayOfYear64(int year, int month, int day)
{
    long long sum = day;
    for (int m = 1; m < std::min(month, 13); ++m)
        sum += GetMonthDays(year, m);
    return sum;
}

int fitOrZero(long long value)
{
    return value < INT_MIN || value > INT_MAX ? 0 : static_cast<int>(value);
}

bool julianDateOf(int dayNumber, SolarDate& date)
{
    // Julian 0001-01-01 is day -1; from there the calendar repeats every 1461 days.
    const int rest = dayNumber + 1;
    int year = 1 + 4 * (rest / 1461);
    int day = rest % 1461 + 1;
    while (day > (IsCalendarLeapYear(year) ? 366 : 365)) {
        day -= IsCalendarLeapYear(year) ? 366 : 365;
        ++year;
    }
    int month = 1;
    while (day > GetMonthDays(year, month))
        day -= GetMonthDays(year, month++);
    date = {year, month, day};
    return true;
}

} // namespace

int GetCalendarType(int year, int month, int day)
{
    if (year != 1582)
        return year < 1582 ? ctJulian : ctGregorian;
    if (month != 10)
        return month < 10 ? ctJulian : ctGregorian;
    if (day <= 4)
        return ctJulian;
    return day <= 14 ? ctGap : ctGregorian;
}

bool IsCalendarLeapYear(int year)
{
    if (GetCalendarType(year, 1, 1) == ctGregorian)
        return IsGregorianLeapYear(year);
    const long long y = year;
    return y >= 0 ? y % 4 == 0 : (y - 3) % 4 == 0; // -1, -5, -9 … are leap years
}

int GetMonthDays(int year, int month)
{
    if (month == 2)
        return IsCalendarLeapYear(year) ? 29 : 28;
    return GregorianMonthDays(year, month);
}

int GetDayOfYear(int year, int month, int day)
{
    return fitOrZero(dayOfYear64(year, month, day));
}

int GetDayNumber(int year, int month, int day)
{
    const long long e = static_cast<long long>(year) - 1;
    switch (GetCalendarType(year, month, day)) {
    case ctJulian: return fitOrZero(dayOfYear64(year, month, day) + 365 * e + e / 4 - 2);
    case ctGregorian: return fitOrZero(dayOfYear64(year, month, day) + 365 * e + e / 4 - e / 100 + e / 400);
    default: return 0;
    }
}

int GetCycleDayCount(int year, int month, int day)
{
    const long long y = year;
    const long long base = y > 0 ? 365 * (y - 1) : 365 * y;
    long long leapDays;
    if (y < 0) {
        leapDays = -((3 - y) / 4);
    } else {
        long long dropped = 0; // leap days the Gregorian calendar left out
        if (GetCalendarType(year, month, day) == ctGregorian)
            dropped = y > 1700 ? 10 + (y - 1701) / 100 + 1 - (y - 1601) / 400 : 10;
        leapDays = (y - 1) / 4 - dropped;
    }
    return fitOrZero(base + dayOfYear64(year, month, day) + leapDays);
}

bool DayNumberToDate(int dayNumber, SolarDate& date)
{
    if (dayNumber < 0)
        return false;
    if (dayNumber <= kLastJulianDayNumber)
        return julianDateOf(dayNumber, date);
    const auto gregorian = GregorianDateOf(dayNumber);
    if (!gregorian)
        return false;
    date = *gregorian;
    return true;
}

int CompareDates(const SolarDate& a, const SolarDate& b)
{
    if (a.year != b.year)
        return a.year > b.year ? 1 : -1;
    if (a.month != b.month)
        return a.month > b.month ? 1 : -1;
    if (a.day != b.day)
        return a.day > b.day ? 1 : -1;
    return 0;
}

int CompareLunarDates(const LunarDate& a, const LunarDate& b)
{
    if (a.year != b.year)
        return a.year > b.year ? 1 : -1;
    if (a.month != b.month)
        return a.month > b.month ? 1 : -1;
    if (a.leap != b.leap)
        return a.leap ? 1 : -1; // the leap month follows its namesake
    if (a.day != b.day)
        return a.day > b.day ? 1 : -1;
    return 0;
}

namespace detail {

int elapsedDayOfYear(int year, int month, int day)
{
    const int dayOfYear = GetDayOfYear(year, month, day);
    const bool afterReform = year == 1582 && GetCalendarType(year, month, day) == ctGregorian;
    return afterReform ? dayOfYear - 10 : dayOfYear;
}

int elapsedYearLength(int year)
{
    if (year == 1582)
        return 355;
    return IsCalendarLeapYear(year) ? 366 : 365;
}

} // namespace detail

} // namespace calendar
