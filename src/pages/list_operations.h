#pragma once

#include "ledger/query.h"

#include <functional>
#include <string>
#include <vector>

namespace pages {

// What must follow a change of a list in the same unit of work, such as
// bringing the account totals up to date after loans change.
using Pass = std::function<void(ledger::Connection&)>;

// Sends every pending change of an editable list, then the pass, in one
// transaction. On failure nothing is written, the list keeps its pending
// changes and the error goes on to the caller.
void saveList(ledger::Query& list, const Pass& pass = {});

// Drops every pending change of the list (a row being edited first).
void discardList(ledger::Query& list);

// Issues the statements through the command object, then the pass, in one
// transaction.
void deleteWith(ledger::Query& command, const std::vector<std::string>& statements, const Pass& pass = {});

// One value of a look-up through the command object, as text: empty for
// Null or no row.
std::string lookUp(ledger::Query& command, const std::string& statement, const std::string& column);

} // namespace pages
