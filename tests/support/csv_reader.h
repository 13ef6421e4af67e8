#pragma once

// A strict CSV reader for the tests of exports.

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace testsupport {

using Table = std::vector<std::vector<std::string>>;

// RFC 4180 as a spreadsheet reads it, strictly: a byte-order mark first,
// every record ended by CRLF, quotes only around whole fields.
inline Table readCsv(const std::string& file)
{
    std::ifstream in(file, std::ios::binary);
    std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    EXPECT_EQ(text.substr(0, 3), "\xEF\xBB\xBF") << "no byte-order mark";
    text.erase(0, 3);
    Table table(1, std::vector<std::string>(1));
    size_t i = 0;
    auto failAt = [&](const char* what) {
        ADD_FAILURE() << what << " at byte " << i;
        return table;
    };
    while (i < text.size()) {
        std::string& field = table.back().back();
        if (text[i] == '"' && field.empty()) {
            for (++i;; ++i) {
                if (i >= text.size())
                    return failAt("an open quote");
                if (text[i] == '"' && i + 1 < text.size() && text[i + 1] == '"')
                    field += text[++i];
                else if (text[i] == '"')
                    break;
                else
                    field += text[i];
            }
            ++i;
            if (i < text.size() && text[i] != ',' && text[i] != '\r')
                return failAt("text after a closing quote");
        } else if (text[i] == ',') {
            table.back().emplace_back();
            ++i;
        } else if (text[i] == '\r') {
            if (i + 1 >= text.size() || text[i + 1] != '\n')
                return failAt("a CR without LF");
            i += 2;
            if (i < text.size())
                table.emplace_back(1);
        } else if (text[i] == '\n' || text[i] == '"') {
            return failAt("a bare LF or quote");
        } else {
            field += text[i++];
        }
    }
    EXPECT_TRUE(text.size() >= 2 && text.substr(text.size() - 2) == "\r\n") << "the last line has no CRLF";
    return table;
}

} // namespace testsupport
