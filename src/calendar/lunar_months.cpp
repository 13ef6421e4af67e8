#include <cmath>

#include "calendar_detail.h"
#include "chn_calendar_math.h"
#include "new_moons.h"

// Lunar days from the new moons (UTC+8), lunar months from the leap-month
// table, and the search back from a lunar date to its solar date.

namespace calendar {

namespace {

// Far enough out that the arithmetic stays in range; the formula means
// nothing there anyway.
constexpr int kLargestYear = 1'000'000;

int correctedLunarDay(int year, int month, int day, int lunarDay)
{
    for (const auto& c : LunarDayCorrections()) {
        if (c.year != year || CompareDates({year, month, day}, {year, c.firstMonth, c.firstDay}) < 0 ||
            CompareDates({year, month, day}, {year, c.lastMonth, c.lastDay}) > 0)
            continue;
        lunarDay += c.change;
        if (lunarDay == 31)
            lunarDay = 1;
        if (lunarDay == 0)
            lunarDay = 30;
    }
    return lunarDay;
}

bool inLunarYears(int year)
{
    return year >= kFirstLunarYear && year <= kLastLunarYear;
}

// A date of the lunar years; the days of the reform's gap pass as dates
// (they have no lunar day, which their lunar day of -1 tells).
bool isLunarYearDate(int year, int month, int day)
{
    return inLunarYears(year) && day >= 1 && day <= GetMonthDays(year, month);
}

} // namespace

int GetLunarDayOfMonth(int year, int month, int day)
{
    if (year < -kLargestYear || year > kLargestYear)
        return -1;
    const detail::NewMoons moons(year);
    const int n = GetDayNumber(year, month, day);
    int first, last;
    moons.candidates(n, first, last);
    int result = -1;
    for (int v = first; v <= last; ++v) { // a later new moon overrides an earlier one
        const long long l = n - static_cast<long long>(std::floor(moons.at(v)));
        if (l >= 0 && l <= 29)
            result = static_cast<int>(l) + 1;
    }
    return result == -1 ? -1 : correctedLunarDay(year, month, day, result);
}

int GetLunarMonthOf(int year, int month, int day)
{
    if (!isLunarYearDate(year, month, day))
        return 0;
    const int lunarDay = GetLunarDayOfMonth(year, month, day);
    const int p = GetDayNumber(year, month, day) - GetDayNumber(kFirstLunarYear, 1, 21);
    // The totals carry one extra for 1200..1499 that fits an older leap-month
    // table; with the published leap months it would put every month of those
    // years one too early (冬至 in the tenth month, the new year a month late).
    const int leapMonthsSoFar = GetLeapMonthTotal(year) - (year >= 1200 && year <= 1499 ? 1 : 0);
    int g = detail::toInt(detail::roundHalfEven((p - lunarDay) / 29.530588)) - leapMonthsSoFar;
    // Era corrections that keep the month count in step with the old calendars.
    if (year <= 240)
        ++g;
    if (year <= 237)
        --g;
    if (year < 24)
        ++g;
    if (year < 9)
        --g;
    if (year <= -255)
        ++g;
    if (year <= -256)
        g += 2;
    if (year <= -722)
        ++g;
    g -= 3;
    int m = (g % 12 + 12) % 12 + 1;
    if (GetLeapMonth(year - 1) == m && month == 1 && day < lunarDay)
        return -m;
    const int leap = GetLeapMonth(year);
    if (leap == m)
        return (month == 1 || month == 2) && leap != 12 ? m + 1 : -m;
    if (leap > m || (month < m && leap > 0))
        m = m % 12 + 1;
    return m;
}

bool GetLunarMonthDay(int year, int month, int day, LunarDate& lunar)
{
    if (!isLunarYearDate(year, month, day))
        return false;
    const int m = GetLunarMonthOf(year, month, day);
    lunar.day = GetLunarDayOfMonth(year, month, day);
    lunar.month = std::abs(m);
    lunar.leap = m < 0;
    return true;
}

bool GetLunarDate(int year, int month, int day, LunarDate& lunar)
{
    LunarDate result;
    if (!GetLunarMonthDay(year, month, day, result))
        return false;
    result.year = year;
    SolarDate newYear;
    if (GetSolarDateOfLunar({year, 1, 1, false}, newYear) && CompareDates({year, month, day}, newYear) < 0)
        result.year = detail::previousYear(year);
    lunar = result;
    return true;
}

bool GetSolarDateOfLunar(const LunarDate& lunar, SolarDate& date)
{
    if (!inLunarYears(lunar.year))
        return false;
    if (lunar.leap && GetLeapMonth(lunar.year) != lunar.month)
        return false;
    enum class Move { none, forward, backward };
    int lo = GetDayNumber(lunar.year, 1, 1);
    // The search runs over two solar years, but never past the last lunar year.
    int hi = std::min(GetDayNumber(detail::nextYear(lunar.year), 12, 31), GetDayNumber(kLastLunarYear, 12, 31));
    int yearGuess = lunar.year;
    Move lastMove = Move::none;
    int previousMonth = 0;
    bool roundUp = false;
    for (int steps = 1; hi > lo && steps <= 100; ++steps) {
        const int mid = static_cast<int>((static_cast<long long>(lo) + hi) / 2) + (roundUp ? 1 : 0);
        if (hi - lo == 1)
            roundUp = true;
        SolarDate probe;
        LunarDate found;
        if (!DayNumberToDate(mid, probe) || !GetLunarMonthDay(probe.year, probe.month, probe.day, found))
            return false;
        if (lastMove == Move::forward && found.month < previousMonth)
            yearGuess = detail::nextYear(yearGuess);
        if (lastMove == Move::backward && found.month > previousMonth)
            yearGuess = detail::previousYear(yearGuess);
        found.year = yearGuess;
        const int c = CompareLunarDates(found, lunar);
        if (c == 0) {
            date = probe;
            return true;
        }
        if (c < 0) {
            lo = mid;
            lastMove = Move::forward;
        } else {
            hi = mid;
            lastMove = Move::backward;
        }
        previousMonth = found.month;
    }
    return false;
}

} // namespace calendar
