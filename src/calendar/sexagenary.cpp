#include "calendar_detail.h"
#include "chn_calendar_math.h"

// Stem-branch (干支) names of year, month and day, the zodiac and the
// Western constellation.

namespace calendar {

namespace {

// (year - offset) mod size made non-negative, in 64 bits for any year.
int cycleIndex(int year, int size)
{
    const long long y = year;
    const long long index = (y > 0 ? y - 4 : y - 3) % size;
    return static_cast<int>(index < 0 ? index + size : index);
}

} // namespace

int GetYearGanZhiIndex(int year)
{
    return cycleIndex(year, 60);
}
int GetZodiacIndex(int year)
{
    return cycleIndex(year, 12);
}

int GetYearGanZhiOfDate(int year, int month, int day)
{
    const bool beforeSpring = detail::elapsedDayOfYear(year, month, day) < detail::termDayOfYear(year, 3);
    return GetYearGanZhiIndex(beforeSpring ? detail::previousYear(year) : year);
}

SolarMonth GetSolarMonthOf(int year, int month, int day)
{
    const int t = detail::elapsedDayOfYear(year, month, day);
    if (t < detail::termDayOfYear(year, 3)) {
        // Before 立春: month 12 from this year's 小寒, month 11 before it.
        return {detail::previousYear(year), t < detail::termDayOfYear(year, 1) ? 11 : 12};
    }
    int solarMonth = 1;
    while (solarMonth < 12 && t >= detail::termDayOfYear(year, 2 * (solarMonth + 1) + 1))
        ++solarMonth;
    return {year, solarMonth};
}

int GetMonthGanZhiOfDate(int year, int month, int day)
{
    const SolarMonth sm = GetSolarMonthOf(year, month, day);
    // The stem of the first month follows the stem of the year (五虎遁).
    static constexpr int kFirstMonthStem[5] = {2, 4, 6, 8, 0};
    const int firstStem = kFirstMonthStem[GetYearGanZhiIndex(sm.year) % 10 % 5];
    const int stem = (firstStem + (sm.month - 1) % 10) % 10;
    return CombineGanZhi(stem, (sm.month + 1) % 12);
}

int GetDayGanZhiOfDate(int year, int month, int day)
{
    const long long index = (static_cast<long long>(GetCycleDayCount(year, month, day)) + 12) % 60;
    return static_cast<int>(index < 0 ? index + 60 : index);
}

int GetConstellationIndex(int month, int day)
{
    const long long c = 100LL * month + day;
    for (int i = 0; i < 12; ++i) {
        if (c < ConstellationBounds[i])
            return (i + 9) % 12;
        if (i == 11 || c < ConstellationBounds[i + 1])
            return (i + 10) % 12;
    }
    return -1;
}

int CombineGanZhi(int stem, int branch)
{
    if (stem < 0 || stem > 9 || branch < 0 || branch > 11)
        return -1;
    for (int i = 0; i <= 6; ++i)
        if ((stem + 10 * i) % 12 == branch)
            return stem + 10 * i;
    return -1;
}

bool SplitGanZhi(int index, int& stem, int& branch)
{
    if (index < 0 || index > 59) {
        stem = branch = -1;
        return false;
    }
    stem = index % 10;
    branch = index % 12;
    return true;
}

} // namespace calendar
