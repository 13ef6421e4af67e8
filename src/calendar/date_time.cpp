#include "date_time.h"

#include <algorithm>
#include <cmath>

namespace calendar {

namespace {

constexpr int kLastDayNumber = 3652059; // 9999-12-31
constexpr double kDayNumberOf18991230 = 693594;
constexpr int kDaysIn400Years = 146097;
constexpr int kDaysIn100Years = 36524; // a century without its leap day
constexpr int kDaysIn4Years = 1461;

int daysBeforeMonth(int year, int month)
{
    int days = 0;
    for (int m = 1; m < month; ++m)
        days += GregorianMonthDays(year, m);
    return days;
}

} // namespace

bool IsGregorianLeapYear(int year)
{
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int GregorianMonthDays(int year, int month)
{
    switch (month) {
    case 2: return IsGregorianLeapYear(year) ? 29 : 28;
    case 4:
    case 6:
    case 9:
    case 11: return 30;
    case 1:
    case 3:
    case 5:
    case 7:
    case 8:
    case 10:
    case 12: return 31;
    default: return 0;
    }
}

bool IsValidGregorianDate(int year, int month, int day)
{
    return year >= 1 && year <= 9999 && day >= 1 && day <= GregorianMonthDays(year, month);
}

std::optional<int> GregorianDayNumber(const SolarDate& date)
{
    if (!IsValidGregorianDate(date.year, date.month, date.day))
        return std::nullopt;
    const int e = date.year - 1;
    return 365 * e + e / 4 - e / 100 + e / 400 + daysBeforeMonth(date.year, date.month) + date.day;
}

std::optional<SolarDate> GregorianDateOf(int dayNumber)
{
    if (dayNumber < 1 || dayNumber > kLastDayNumber)
        return std::nullopt;
    // Peel off whole cycles: 400 years, then centuries, four-year runs and years.
    int rest = dayNumber - 1;
    const int cycles = rest / kDaysIn400Years;
    rest %= kDaysIn400Years;
    const int centuries = std::min(rest / kDaysIn100Years, 3);
    rest -= centuries * kDaysIn100Years;
    const int runs = std::min(rest / kDaysIn4Years, 24);
    rest -= runs * kDaysIn4Years;
    const int years = std::min(rest / 365, 3);
    rest -= years * 365;
    SolarDate date{1 + 400 * cycles + 100 * centuries + 4 * runs + years, 1, rest + 1};
    while (date.day > GregorianMonthDays(date.year, date.month)) {
        date.day -= GregorianMonthDays(date.year, date.month);
        ++date.month;
    }
    return date;
}

int DayOfWeek(const SolarDate& date)
{
    const auto n = GregorianDayNumber(date);
    return n ? *n % 7 + 1 : 0; // day 1 was a Monday
}

int IsoWeekNumber(const SolarDate& date)
{
    const auto n = GregorianDayNumber(date);
    if (!n)
        return 0;
    // The week belongs to the year of its Thursday.
    const int isoWeekday = (*n - 1) % 7 + 1;
    const int thursday = *n - isoWeekday + 4;
    const auto thursdayDate = GregorianDateOf(thursday);
    if (!thursdayDate)
        return 0;
    const int firstOfYear = *GregorianDayNumber({thursdayDate->year, 1, 1});
    return (thursday - firstOfYear) / 7 + 1;
}

std::optional<DateTime> DateTime::fromDate(int year, int month, int day)
{
    const auto n = GregorianDayNumber({year, month, day});
    if (!n)
        return std::nullopt;
    return DateTime(*n - kDayNumberOf18991230);
}

std::optional<int> DateTime::dayNumber() const
{
    if (!std::isfinite(value_))
        return std::nullopt;
    const double n = std::trunc(value_) + kDayNumberOf18991230;
    if (n < 1 || n > kLastDayNumber)
        return std::nullopt;
    return static_cast<int>(n);
}

std::optional<SolarDate> DateTime::date() const
{
    const auto n = dayNumber();
    return n ? GregorianDateOf(*n) : std::nullopt;
}

} // namespace calendar
