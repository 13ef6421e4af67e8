#include "accounts_operations.h"

#include "list_operations.h"

namespace pages {

namespace {

int64_t count(ledger::Query& command, const std::string& statement)
{
    const std::string n = lookUp(command, statement, "n");
    return n.empty() ? 0 : std::stoll(n);
}

} // namespace

AccountUse accountUse(ledger::Query& command, RowId account)
{
    return {count(command, recordsOnAccount(account)), count(command, loansOnAccount(account)),
            count(command, transfersOnAccount(account))};
}

} // namespace pages
