#pragma once

#include "currency.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace ledger {

class Connection;

// The passes that keep the account columns derived from other tables. Each
// runs in one transaction (or inside the caller's, when one is open) and
// starts and ends with an empty scratch table xtablex, so a failure leaves
// neither half-updated totals nor stray scratch rows. Every pass ends by
// bringing the balance up to date.

// 借入 / 借出: the outstanding balances of the account's loans of class S / Z.
void RefreshLoanTotals(Connection& connection);
// Its statements, in order, between the emptying of the scratch table.
const std::vector<std::string>& loanTotalsPass();

// 转入 / 转出: the transfers into / out of the account.
void RefreshTransferTotals(Connection& connection);
const std::vector<std::string>& transferTotalsPass();

// 收入 / 支出: the account's income / expenditure records.
void RefreshRecordTotals(Connection& connection);

// 余额 = 起始金额 + 收入 − 支出 + 借入 − 借出 + 转入 − 转出.
void RefreshBalances(Connection& connection);

// What one record adds to its account's totals.
struct RecordEffect {
    int64_t account = 0;
    bool income = false;
    Currency amount;
};

// The record's effect as stored now; nothing when there is no such record.
std::optional<RecordEffect> readRecordEffect(Connection& connection, int64_t recordId);

// Keeps 收入, 支出 and 余额 current when one record is inserted (no
// before), changed, or deleted (no after): the same result as
// RefreshRecordTotals, without reading every record. Run it in the
// transaction of the change.
void ApplyRecordChange(Connection& connection, const std::optional<RecordEffect>& before,
                       const std::optional<RecordEffect>& after);

} // namespace ledger
