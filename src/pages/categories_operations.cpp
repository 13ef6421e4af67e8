#include "categories_operations.h"

namespace pages {

void addMissingBudgets(ledger::Connection& connection)
{
    connection.execute(kAddMissingBudgets);
}

} // namespace pages
