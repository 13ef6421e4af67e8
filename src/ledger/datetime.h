#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace ledger {

// A date and time of day to the second, as the Date/Time columns hold it.
// Years run from 100 to 9999, as in the original file format. Stored as the
// canonical text "YYYY-MM-DD HH:MM:SS", which sorts chronologically.
struct DateTime {
    int year = 1899, month = 12, day = 30;
    int hour = 0, minute = 0, second = 0;

    static std::optional<DateTime> make(int year, int month, int day, int hour = 0, int minute = 0, int second = 0);
    static DateTime today();

    bool hasTime() const { return hour != 0 || minute != 0 || second != 0; }
    DateTime datePart() const { return {year, month, day, 0, 0, 0}; }
    DateTime addDays(int64_t days) const;

    // Days since 1899-12-30 (day 0); before that day the fraction still
    // counts forward from midnight, as the original serial dates do.
    double toSerial() const;
    static std::optional<DateTime> fromSerial(double serial);
    int64_t dayNumber() const; // whole days since 1899-12-30
    static DateTime fromDayNumber(int64_t days);

    std::string canonical() const; // YYYY-MM-DD HH:MM:SS
    std::string isoDate() const; // YYYY-MM-DD
    static std::optional<DateTime> fromCanonical(std::string_view text);

    // Chronological order.
    int64_t orderKey() const
    {
        return ((((static_cast<int64_t>(year) * 16 + month) * 32 + day) * 32 + hour) * 64 + minute) * 64 + second;
    }
    friend bool operator==(const DateTime& a, const DateTime& b) { return a.orderKey() == b.orderKey(); }
    friend bool operator!=(const DateTime& a, const DateTime& b) { return a.orderKey() != b.orderKey(); }
    friend bool operator<(const DateTime& a, const DateTime& b) { return a.orderKey() < b.orderKey(); }
    friend bool operator>(const DateTime& a, const DateTime& b) { return a.orderKey() > b.orderKey(); }
};

bool isLeapYear(int year);
int daysInMonth(int year, int month);

// A numeric short date form: the order of its parts and their separator;
// the year always has four digits.
enum class DateOrder { YearMonthDay, MonthDayYear, DayMonthYear };
struct ShortDateFormat {
    DateOrder order = DateOrder::YearMonthDay;
    char separator = '/';
    bool padMonth = false;
    bool padDay = false;
};

// The short date form of the program, the Chinese one whatever the
// system's locale: year/month/day without leading zeros ("2026/12/9").
// The pages' statements and the engine's reading of date texts use it.
inline constexpr ShortDateFormat kShortDateFormat{};

std::string formatShortDate(const DateTime& value);
// Short date, then the time when it is not midnight ("2024/3/5 14:30:00").
std::string formatDateTimeText(const DateTime& value);

// Reads a date text as the engine does for literals and parameters: a text
// that begins with a four-digit year is year, month, day (separated by "-",
// "/" or "."); anything else is read in the order of the form given (the
// program's by default). Either may be
// followed by a time "HH:MM[:SS]". Returns nothing for anything else.
std::optional<DateTime> parseDateText(std::string_view text);
std::optional<DateTime> parseDateText(std::string_view text, const ShortDateFormat& format);

} // namespace ledger
