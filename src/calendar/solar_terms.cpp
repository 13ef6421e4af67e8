#include <cmath>

#include "calendar_detail.h"
#include "chn_calendar_math.h"

// The 24 solar terms from an astronomical formula (UTC+8), with the official
// days where the formula puts a term on the wrong side of midnight.

namespace calendar {

namespace {

// The month and day of an elapsed day of the year; false outside the year.
bool dateOfElapsedDay(int year, int elapsed, int& month, int& day)
{
    if (elapsed < 1 || elapsed > detail::elapsedYearLength(year))
        return false;
    // After 1582-10-04 the labels jump the ten dropped days.
    day = year == 1582 && elapsed > 277 ? elapsed + 10 : elapsed;
    month = 1;
    while (day > GetMonthDays(year, month))
        day -= GetMonthDays(year, month++);
    return true;
}

} // namespace

double GetSolarTermDayOfYear(int year, int term)
{
    const double y = year <= 0 ? year + 1.0 : year;
    const double n = term;
    const double a = (365.2423112 - 6.4e-14 * (y - 100) * (y - 100) - 3.047e-8 * (y - 100)) * y + 15.218427 * n + 1721050.71301;
    const double b = 0.0003 * y - 0.372781384 - 0.2617913325 * n;
    const double c = (1.945 * std::sin(b) - 0.01206 * std::sin(2 * b)) * (1.048994 - 2.583e-5 * y);
    const double d = -0.0018 * std::sin(2.313908653 * y - 0.439822951 - 3.0443 * n);
    return a + c + d - 1721425 - GetDayNumber(static_cast<int>(y), 1, 0);
}

namespace detail {

int termDayOfYear(int year, int term)
{
    // A term of the next or the previous year, counted from this year's start.
    if (term > 24) {
        const int next = nextYear(year);
        return termDayOfYear(next, term - 24) + elapsedYearLength(year);
    }
    if (term < 1) {
        const int previous = previousYear(year);
        return termDayOfYear(previous, term + 24) - elapsedYearLength(previous);
    }
    if (const auto* official = findSolarTermCorrection(year, term))
        return elapsedDayOfYear(year, official->month, official->day);
    return floorToInt(GetSolarTermDayOfYear(year, term));
}

} // namespace detail

bool GetSolarTermDate(int year, int index, SolarTermTime& time)
{
    if (index < 0 || index > 23)
        return false;
    const double t = GetSolarTermDayOfYear(year, index + 1);
    const int computedDay = detail::floorToInt(t);
    const int day = detail::termDayOfYear(year, index + 1);
    SolarTermTime result;
    if (!dateOfElapsedDay(year, day, result.month, result.day))
        return false;
    if (day != computedDay) {
        // The official day differs: keep the time within that day.
        result.hour = day > computedDay ? 0 : 23;
        result.minute = day > computedDay ? 0 : 59;
    } else {
        const double hours = 24 * (t - std::floor(t));
        result.hour = detail::floorToInt(hours);
        result.minute = detail::toInt(detail::roundHalfEven((hours - result.hour) * 60));
        if (result.minute == 60) {
            result.minute = 0;
            if (++result.hour == 24) { // rounding must not push the term into the next day
                result.hour = 23;
                result.minute = 59;
            }
        }
    }
    time = result;
    return true;
}

} // namespace calendar
