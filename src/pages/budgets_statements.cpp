#include "budgets_statements.h"

#include "ledger/datetime.h"

namespace pages {

namespace {

constexpr const char* kNoDay = "1899-12-30";

} // namespace

ledger::Params budgetMonth(int year, int month)
{
    const std::optional<ledger::DateTime> first = ledger::DateTime::make(year, month, 1);
    if (!first) // a month no calendar has: nothing was spent in it
        return {{"xfirst", ledger::Value(kNoDay)}, {"xafter", ledger::Value(kNoDay)}};
    const ledger::DateTime after = first->addDays(ledger::daysInMonth(year, month));
    return {{"xfirst", ledger::Value(first->isoDate())}, {"xafter", ledger::Value(after.isoDate())}};
}

} // namespace pages
