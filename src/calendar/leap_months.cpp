#include "calendar_data.h"
#include "chn_calendar_math.h"

// Which month of a lunar year is doubled, and how many leap months came before.

namespace calendar {

namespace {

constexpr int kTableLength = kLastLunarYear - kFirstLunarYear + 1; // year 0 has a place

int leapMonthAt(int position)
{
    const std::string_view table = LeapMonthTable();
    if (position < 0 || position >= static_cast<int>(table.size()))
        return 0;
    const char c = table[position];
    if (c >= '1' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'c')
        return c - 'a' + 10;
    return 0;
}

} // namespace

std::string_view LeapMonthTable()
{
    static const std::string_view table = data::leapMonthText().substr(0, kTableLength);
    return table;
}

int GetLeapMonth(int year)
{
    if (year < kFirstLunarYear || year > kLastLunarYear)
        return 0;
    return leapMonthAt(year - kFirstLunarYear);
}

// The running count of years with a leap month, without year 0, plus one for
// every year from 1200 to 1499: the month arithmetic is tuned to these values.
const std::vector<int>& LeapMonthTotals()
{
    static const std::vector<int> totals = [] {
        std::vector<int> built;
        built.reserve(kTableLength - 1);
        int count = 0;
        for (int year = kFirstLunarYear; year <= kLastLunarYear; ++year) {
            if (year == 0)
                continue;
            if (GetLeapMonth(year) != 0)
                ++count;
            built.push_back(count + (year >= 1200 && year <= 1499 ? 1 : 0));
        }
        return built;
    }();
    return totals;
}

int GetLeapMonthTotal(int year)
{
    if (year < kFirstLunarYear || year > kLastLunarYear)
        return -1;
    if (year == 0)
        year = -1;
    return LeapMonthTotals()[year < 0 ? year - kFirstLunarYear : year - kFirstLunarYear - 1];
}

} // namespace calendar
