#pragma once

#include "categories_statements.h"

namespace pages {

// The pass of a save of top-level categories, in its transaction: every
// top-level expenditure category gets its budget row, whichever class was
// saved.
void addMissingBudgets(ledger::Connection& connection);

} // namespace pages
