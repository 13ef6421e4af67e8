#pragma once

#include <string_view>

namespace ledger::jet {

// An upper estimate of how deep SQLite's parser must stack to read the
// text: its stack holds about a hundred entries, and a statement nested
// deeper is refused ("parser stack overflow"). Each open parenthesis, CASE
// or SELECT counts with the few symbols pending before it on its level.
int sqliteNesting(std::string_view sql);

// The most the engine writes; what SQLite needs for its own
// bookkeeping stays below its limit.
constexpr int kMaxSqliteNesting = 90;

} // namespace ledger::jet
