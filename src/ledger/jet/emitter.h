#pragma once

// Writes a bound statement as SQLite text. It knows SQLite's spelling of
// each computation and nothing of the dialect's syntax.

#include "bound.h"

#include <string>

namespace ledger::jet {

// Throws Error(Syntax) when SQLite could not read the text for its nesting.
std::string emit(const BoundStatement& statement);

} // namespace ledger::jet
