#include "sql_text.h"

namespace ledger {

std::string escapeText(std::string_view text, char delimiter)
{
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        out += c;
        if (c == delimiter)
            out += c;
    }
    return out;
}

std::string quoteText(std::string_view text, char delimiter)
{
    return delimiter + escapeText(text, delimiter) + delimiter;
}

} // namespace ledger
