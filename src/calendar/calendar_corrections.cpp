#include <charconv>
#include <string_view>
#include <vector>

#include "calendar_data.h"
#include "calendar_detail.h"
#include "chn_calendar_math.h"

// Reads the correction table compiled in from data/calendar-corrections.txt.

namespace calendar {

namespace {

struct Corrections {
    std::vector<LunarDayCorrection> lunarDays;
    std::vector<detail::SolarTermCorrection> solarTerms;
};

std::vector<std::string_view> splitTabs(std::string_view line)
{
    std::vector<std::string_view> fields;
    size_t start = 0;
    for (size_t tab; (tab = line.find('\t', start)) != std::string_view::npos; start = tab + 1)
        fields.push_back(line.substr(start, tab - start));
    fields.push_back(line.substr(start));
    return fields;
}

bool readInt(std::string_view text, int& value)
{
    if (!text.empty() && text.front() == '+')
        text.remove_prefix(1);
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return error == std::errc() && end == text.data() + text.size();
}

// "MM-DD" or "YYYY-MM-DD".
bool readMonthDay(std::string_view text, int& month, int& day)
{
    if (text.size() == 10)
        text.remove_prefix(5);
    return text.size() == 5 && text[2] == '-' && readInt(text.substr(0, 2), month) && readInt(text.substr(3), day);
}

int termNumberOf(std::string_view name)
{
    for (int i = 0; i < 24; ++i)
        if (SolarTermNames[i] == name)
            return (i + 3) % 24 == 0 ? 24 : (i + 3) % 24;
    return 0;
}

Corrections parse(std::string_view text)
{
    Corrections result;
    std::string_view section;
    for (std::string_view line : data::linesOf(text)) {
        if (line.front() == '#')
            continue;
        if (line.front() == '[') {
            section = line;
            continue;
        }
        const auto f = splitTabs(line);
        if (section == "[lunar-day]" && f.size() >= 4) {
            LunarDayCorrection c{};
            if (readInt(f[0], c.year) && readMonthDay(f[1], c.firstMonth, c.firstDay) &&
                readMonthDay(f[2], c.lastMonth, c.lastDay) && readInt(f[3], c.change))
                result.lunarDays.push_back(c);
        } else if (section == "[solar-term]" && f.size() >= 3) {
            detail::SolarTermCorrection c{};
            c.term = termNumberOf(f[1]);
            if (readInt(f[0], c.year) && c.term != 0 && readMonthDay(f[2], c.month, c.day))
                result.solarTerms.push_back(c);
        }
    }
    return result;
}

const Corrections& corrections()
{
    static const Corrections table = parse(data::correctionText());
    return table;
}

} // namespace

const std::vector<LunarDayCorrection>& LunarDayCorrections()
{
    return corrections().lunarDays;
}

namespace detail {

const SolarTermCorrection* findSolarTermCorrection(int year, int term)
{
    for (const auto& c : corrections().solarTerms)
        if (c.year == year && c.term == term)
            return &c;
    return nullptr;
}

} // namespace detail

} // namespace calendar
