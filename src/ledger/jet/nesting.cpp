#include "nesting.h"

#include <algorithm>
#include <vector>

namespace ledger::jet {

namespace {

// Reduced symbols pending on one level before the next opening: "x + (" leaves
// two, a function's earlier arguments "f(a, b, (" three or four.
constexpr int kPendingCap = 4;

bool isWordChar(unsigned char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_' || c >= 0x80;
}

bool sameWord(std::string_view word, std::string_view upper)
{
    if (word.size() != upper.size())
        return false;
    for (size_t i = 0; i < word.size(); ++i) {
        const char c = word[i] >= 'a' && word[i] <= 'z' ? static_cast<char>(word[i] - 'a' + 'A') : word[i];
        if (c != upper[i])
            return false;
    }
    return true;
}

// Words after which "(" is a grouping, not a function's argument list.
bool isKeyword(std::string_view w)
{
    static const char* const words[] = {"IN",   "EXISTS", "AND",    "OR",      "NOT",  "WHEN",   "THEN",     "ELSE",
                                        "FROM", "WHERE",  "SELECT", "BETWEEN", "ON",   "JOIN",   "VALUES",   "AS",
                                        "BY",   "HAVING", "CASE",   "IS",      "LIKE", "ESCAPE", "DISTINCT", "SET"};
    return std::any_of(std::begin(words), std::end(words), [&](const char* k) { return sameWord(w, k); });
}

struct Level {
    int open;
    int pending = 0;
};

} // namespace

int sqliteNesting(std::string_view sql)
{
    std::vector<Level> levels{{0}};
    int total = 0, deepest = 0;
    auto pend = [&] {
        if (levels.back().pending++ < kPendingCap)
            ++total;
    };
    auto push = [&](int cost) {
        levels.push_back({cost});
        total += cost;
    };
    auto pop = [&] {
        if (levels.size() > 1) {
            total -= levels.back().open + std::min(levels.back().pending, kPendingCap);
            levels.pop_back();
        }
        pend();
    };
    std::string_view previousWord;
    bool previousIsWord = false;
    for (size_t i = 0; i < sql.size();) {
        const unsigned char c = static_cast<unsigned char>(sql[i]);
        if (c == ' ' || c == '\n' || c == '\t' || c == '\r') {
            ++i;
            continue;
        }
        bool word = false;
        if (c == '\'' || c == '"') {
            size_t j = i + 1;
            while (j < sql.size() &&
                   !(sql[j] == static_cast<char>(c) && (j + 1 >= sql.size() || sql[j + 1] != static_cast<char>(c))))
                j += sql[j] == static_cast<char>(c) ? 2 : 1;
            i = j + 1;
            pend();
        } else if (isWordChar(c)) {
            size_t j = i;
            while (j < sql.size() && (isWordChar(static_cast<unsigned char>(sql[j])) || sql[j] == '.'))
                ++j;
            const std::string_view w = sql.substr(i, j - i);
            i = j;
            word = true;
            if (sameWord(w, "CASE")) {
                push(2);
            } else if (sameWord(w, "END")) {
                pop();
            } else if (sameWord(w, "SELECT")) {
                levels.back().open += 4;
                total += 4;
            } else {
                pend();
            }
            previousWord = w;
        } else if (c == '(') {
            ++i;
            push(previousIsWord && !isKeyword(previousWord) ? 2 : 1);
        } else if (c == ')') {
            ++i;
            pop();
        } else {
            ++i;
            pend();
        }
        previousIsWord = word;
        deepest = std::max(deepest, total);
    }
    return deepest;
}

} // namespace ledger::jet
