#include "datetime.h"

#include <cmath>
#include <ctime>

namespace ledger {

namespace {

// Days from 0000-03-01 style civil calendar (proleptic Gregorian).
int64_t daysFromCivil(int64_t y, unsigned m, unsigned d)
{
    y -= m <= 2;
    const int64_t era = (y >= 0 ? y : y - 399) / 400;
    const unsigned yoe = static_cast<unsigned>(y - era * 400);
    const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + static_cast<int64_t>(doe) - 719468;
}

void civilFromDays(int64_t z, int& year, int& month, int& day)
{
    z += 719468;
    const int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const unsigned doe = static_cast<unsigned>(z - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const int64_t y = static_cast<int64_t>(yoe) + era * 400;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    year = static_cast<int>(y + (month <= 2));
}

const int64_t kEpoch = daysFromCivil(1899, 12, 30);

struct Cursor {
    std::string_view text;
    size_t pos = 0;
    bool atEnd() const { return pos >= text.size(); }
    char peek() const { return atEnd() ? '\0' : text[pos]; }
    void skipBlanks()
    {
        while (!atEnd() && (text[pos] == ' ' || text[pos] == '\t'))
            ++pos;
    }
    // Reads 1..maxDigits digits; returns -1 when there is none.
    int number(int maxDigits, int* count = nullptr)
    {
        int value = 0, n = 0;
        while (!atEnd() && n < maxDigits && text[pos] >= '0' && text[pos] <= '9') {
            value = value * 10 + (text[pos++] - '0');
            ++n;
        }
        if (count)
            *count = n;
        return n == 0 ? -1 : value;
    }
};

bool isDateSeparator(char c)
{
    return c == '-' || c == '/' || c == '.';
}

// Optional " HH:MM[:SS]" after a date; true when the rest is consumed.
bool readTime(Cursor& c, DateTime& out)
{
    c.skipBlanks();
    if (c.atEnd())
        return true;
    const int hour = c.number(2);
    if (hour < 0 || c.peek() != ':')
        return false;
    ++c.pos;
    const int minute = c.number(2);
    if (minute < 0)
        return false;
    int second = 0;
    if (c.peek() == ':') {
        ++c.pos;
        second = c.number(2);
        if (second < 0)
            return false;
    }
    c.skipBlanks();
    if (!c.atEnd() || hour > 23 || minute > 59 || second > 59)
        return false;
    out.hour = hour;
    out.minute = minute;
    out.second = second;
    return true;
}

void appendPadded(std::string& out, int value, int width)
{
    std::string digits = std::to_string(value);
    if (static_cast<int>(digits.size()) < width)
        out.append(static_cast<size_t>(width) - digits.size(), '0');
    out += digits;
}

} // namespace

bool isLeapYear(int year)
{
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int daysInMonth(int year, int month)
{
    static const int lengths[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month < 1 || month > 12)
        return 0;
    return month == 2 && isLeapYear(year) ? 29 : lengths[month - 1];
}

std::optional<DateTime> DateTime::make(int year, int month, int day, int hour, int minute, int second)
{
    if (year < 100 || year > 9999 || month < 1 || month > 12 || day < 1 || day > daysInMonth(year, month))
        return std::nullopt;
    if (hour < 0 || hour > 23 || minute < 0 || minute > 59 || second < 0 || second > 59)
        return std::nullopt;
    return DateTime{year, month, day, hour, minute, second};
}

DateTime DateTime::today()
{
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, 0, 0, 0};
}

int64_t DateTime::dayNumber() const
{
    return daysFromCivil(year, static_cast<unsigned>(month), static_cast<unsigned>(day)) - kEpoch;
}

DateTime DateTime::fromDayNumber(int64_t days)
{
    DateTime out;
    civilFromDays(days + kEpoch, out.year, out.month, out.day);
    return out;
}

DateTime DateTime::addDays(int64_t days) const
{
    DateTime out = fromDayNumber(dayNumber() + days);
    out.hour = hour;
    out.minute = minute;
    out.second = second;
    return out;
}

double DateTime::toSerial() const
{
    const double fraction = (hour * 3600 + minute * 60 + second) / 86400.0;
    const auto days = static_cast<double>(dayNumber());
    // Before day 0 the whole part counts back while the fraction counts forward.
    return days < 0 ? days - fraction : days + fraction;
}

std::optional<DateTime> DateTime::fromSerial(double serial)
{
    if (!std::isfinite(serial) || std::fabs(serial) > 3.0e6)
        return std::nullopt;
    const double whole = std::trunc(serial);
    int64_t seconds = std::llround(std::fabs(serial - whole) * 86400.0);
    auto days = static_cast<int64_t>(whole);
    if (seconds >= 86400) { // rounding reached the next midnight
        seconds -= 86400;
        days += serial < 0 ? -1 : 1;
    }
    DateTime out = fromDayNumber(days);
    out.hour = static_cast<int>(seconds / 3600);
    out.minute = static_cast<int>(seconds / 60 % 60);
    out.second = static_cast<int>(seconds % 60);
    if (out.year < 100 || out.year > 9999)
        return std::nullopt;
    return out;
}

std::string DateTime::canonical() const
{
    std::string out = isoDate();
    out += ' ';
    appendPadded(out, hour, 2);
    out += ':';
    appendPadded(out, minute, 2);
    out += ':';
    appendPadded(out, second, 2);
    return out;
}

std::string DateTime::isoDate() const
{
    std::string out;
    out.reserve(10);
    appendPadded(out, year, 4);
    out += '-';
    appendPadded(out, month, 2);
    out += '-';
    appendPadded(out, day, 2);
    return out;
}

std::optional<DateTime> DateTime::fromCanonical(std::string_view t)
{
    // Fast path for the stored form; falls back to the general reader.
    auto digit = [&](size_t i) { return t[i] >= '0' && t[i] <= '9'; };
    if (t.size() == 19 && t[4] == '-' && t[7] == '-' && t[10] == ' ' && t[13] == ':' && t[16] == ':') {
        bool ok = true;
        for (size_t i : {0, 1, 2, 3, 5, 6, 8, 9, 11, 12, 14, 15, 17, 18})
            ok = ok && digit(i);
        if (ok) {
            auto two = [&](size_t i) { return (t[i] - '0') * 10 + (t[i + 1] - '0'); };
            return make(two(0) * 100 + two(2), two(5), two(8), two(11), two(14), two(17));
        }
    }
    return parseDateText(t);
}

std::string formatShortDate(const DateTime& value)
{
    const ShortDateFormat& f = kShortDateFormat;
    std::string year, month, day;
    appendPadded(year, value.year, 4);
    appendPadded(month, value.month, f.padMonth ? 2 : 1);
    appendPadded(day, value.day, f.padDay ? 2 : 1);
    const std::string s(1, f.separator);
    switch (f.order) {
    case DateOrder::YearMonthDay: return year + s + month + s + day;
    case DateOrder::MonthDayYear: return month + s + day + s + year;
    case DateOrder::DayMonthYear: return day + s + month + s + year;
    }
    return {};
}

std::string formatDateTimeText(const DateTime& value)
{
    std::string out = formatShortDate(value);
    if (value.hasTime()) {
        out += ' ';
        appendPadded(out, value.hour, 1);
        out += ':';
        appendPadded(out, value.minute, 2);
        out += ':';
        appendPadded(out, value.second, 2);
    }
    return out;
}

std::optional<DateTime> parseDateText(std::string_view text)
{
    return parseDateText(text, kShortDateFormat);
}

std::optional<DateTime> parseDateText(std::string_view text, const ShortDateFormat& format)
{
    Cursor c{text};
    c.skipBlanks();
    int parts[3];
    int counts[3];
    char separator = 0;
    for (int i = 0; i < 3; ++i) {
        if (i > 0) {
            const char s = c.peek();
            if (!isDateSeparator(s) || (separator && s != separator))
                return std::nullopt;
            separator = s;
            ++c.pos;
        }
        parts[i] = c.number(i == 0 ? 4 : 4, &counts[i]);
        if (parts[i] < 0)
            return std::nullopt;
    }
    int year = 0, month = 0, day = 0, yearDigits = 0;
    if (counts[0] == 4) {
        year = parts[0], month = parts[1], day = parts[2], yearDigits = counts[0];
        if (counts[1] > 2 || counts[2] > 2)
            return std::nullopt;
    } else {
        switch (format.order) {
        case DateOrder::YearMonthDay: return std::nullopt; // a year-first text must start with four digits
        case DateOrder::MonthDayYear: month = parts[0], day = parts[1], year = parts[2], yearDigits = counts[2]; break;
        case DateOrder::DayMonthYear: day = parts[0], month = parts[1], year = parts[2], yearDigits = counts[2]; break;
        }
        if (counts[0] > 2 || counts[1] > 2)
            return std::nullopt;
    }
    if (yearDigits != 4)
        return std::nullopt;
    DateTime out{year, month, day, 0, 0, 0};
    if (c.peek() == 'T')
        ++c.pos;
    else if (!c.atEnd() && c.peek() != ' ' && c.peek() != '\t')
        return std::nullopt;
    if (!readTime(c, out))
        return std::nullopt;
    return DateTime::make(out.year, out.month, out.day, out.hour, out.minute, out.second);
}

} // namespace ledger
