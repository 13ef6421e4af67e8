#pragma once

#include <string_view>
#include <vector>

// The calendar's data files, compiled into the program (see embed_text.cmake).
namespace calendar::data {

std::string_view leapMonthText(); // one character per year, -849 .. 2100
std::string_view eraText(); // the era chronology, one entry per line
std::string_view correctionText(); // days where the arithmetic is corrected

// The non-empty lines of a data text, without their line ends.
inline std::vector<std::string_view> linesOf(std::string_view text)
{
    std::vector<std::string_view> lines;
    while (!text.empty()) {
        const size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        if (!line.empty())
            lines.push_back(line);
    }
    return lines;
}

} // namespace calendar::data
