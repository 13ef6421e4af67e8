#pragma once

#include "accounts_statements.h"

#include "ledger/query.h"

namespace pages {

// What still names an account: deleting it leaves these pointing at a
// number with no account.
struct AccountUse {
    int64_t records = 0;
    int64_t loans = 0;
    int64_t transfers = 0;
    bool any() const { return records > 0 || loans > 0 || transfers > 0; }
};

// The counts, read through the command object.
AccountUse accountUse(ledger::Query& command, RowId account);

} // namespace pages
