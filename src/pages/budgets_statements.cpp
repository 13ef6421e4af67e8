#include "budgets_statements.h"

namespace pages {

ledger::Params budgetMonth(int year, int month)
{
    return {{"xyear", ledger::Value(std::to_string(year))}, {"xmonth", ledger::Value(std::to_string(month))}};
}

} // namespace pages
