#include <algorithm>
#include <charconv>

#include "calendar_data.h"
#include "chn_calendar_use.h"

// Dynasty, ruler and era year of a solar year before 1949.

namespace calendar {

namespace {

constexpr int kFirstEraYear = -2069;
constexpr int kFirstYearWithoutEra = 1949;

struct Era {
    int startYear;
    std::string prefix; // "[dynasty]title name era"
};

bool isBlank(char c)
{
    return static_cast<unsigned char>(c) <= ' ';
}

const std::vector<Era>& eras()
{
    static const std::vector<Era> table = [] {
        std::vector<Era> built;
        for (const std::string& entry : EraTable()) {
            const std::string start = GetField(entry, ",", 1, false);
            Era era{};
            const auto [end, error] = std::from_chars(start.data(), start.data() + start.size(), era.startYear);
            if (error != std::errc() || end != start.data() + start.size())
                continue;
            era.prefix = "[" + GetField(entry, ",", 4, false) + "]" + GetField(entry, ",", 5, false) + " " +
                         GetField(entry, ",", 6, false) + " " + GetField(entry, ",", 7, false);
            built.push_back(std::move(era));
        }
        return built;
    }();
    return table;
}

} // namespace

const std::vector<std::string>& EraTable()
{
    static const std::vector<std::string> lines = [] {
        std::vector<std::string> built;
        for (std::string_view line : data::linesOf(data::eraText()))
            built.emplace_back(line);
        return built;
    }();
    return lines;
}

std::string GetField(std::string_view text, std::string_view separator, int n, bool skipEmpty)
{
    if (n < 1)
        return {};
    int counted = 0;
    size_t start = 0;
    while (true) {
        const size_t end = separator.empty() ? std::string_view::npos : text.find(separator, start);
        std::string_view field = text.substr(start, end == std::string_view::npos ? text.npos : end - start);
        while (!field.empty() && isBlank(field.front()))
            field.remove_prefix(1);
        while (!field.empty() && isBlank(field.back()))
            field.remove_suffix(1);
        if (!(skipEmpty && field.empty()) && ++counted == n)
            return std::string(field);
        if (end == std::string_view::npos)
            return {};
        start = end + separator.size();
    }
}

std::string GetEraText(int year)
{
    if (year < kFirstEraYear || year >= kFirstYearWithoutEra || year == 0)
        return {};
    const auto& table = eras();
    // The last entry starting at or before the year: of several entries that
    // share a start year, the one still in force at its end.
    const auto next = std::upper_bound(table.begin(), table.end(), year, [](int y, const Era& era) { return y < era.startYear; });
    if (next == table.begin())
        return {};
    const Era& era = *std::prev(next);
    const int n = year - era.startYear + 1;
    return era.prefix + (n == 1 ? std::string("元") : std::to_string(n)) + "年";
}

} // namespace calendar
