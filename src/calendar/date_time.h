#pragma once

#include <optional>

namespace calendar {

// A date as three numbers; which calendar it belongs to depends on who made it.
struct SolarDate {
    int year = 0;
    int month = 0;
    int day = 0;
    friend bool operator==(const SolarDate&, const SolarDate&) = default;
};

// Proleptic Gregorian helpers (the calendar every shown date is in).
bool IsGregorianLeapYear(int year);
int GregorianMonthDays(int year, int month); // 0 for a month outside 1..12
bool IsValidGregorianDate(int year, int month, int day);
// Day 1 is 0001-01-01; the date must be valid and in the years 1..9999.
std::optional<int> GregorianDayNumber(const SolarDate& date);
std::optional<SolarDate> GregorianDateOf(int dayNumber);
int DayOfWeek(const SolarDate& date); // 1 = Sunday .. 7 = Saturday; 0 when invalid
int IsoWeekNumber(const SolarDate& date); // ISO 8601 week, 0 when invalid

// The calendar's date-time: days since 1899-12-30, the time of day as the
// fraction. As is usual for this format, a value before that day keeps its
// date in the integral part and its time in the fraction's absolute value,
// so -1.25 is 1899-12-29 06:00.
class DateTime {
public:
    constexpr DateTime() = default;
    constexpr explicit DateTime(double value) : value_(value) {}

    // Midnight of a valid Gregorian date in the years 1..9999.
    static std::optional<DateTime> fromDate(int year, int month, int day);

    constexpr double value() const { return value_; }
    // The proleptic Gregorian date, when it lies in the years 1..9999.
    std::optional<SolarDate> date() const;
    std::optional<int> dayNumber() const; // of that date, day 1 = 0001-01-01
    constexpr DateTime addDays(int days) const { return DateTime(value_ + days); }

    friend constexpr bool operator==(DateTime a, DateTime b) { return a.value_ == b.value_; }

private:
    double value_ = 0;
};

} // namespace calendar
