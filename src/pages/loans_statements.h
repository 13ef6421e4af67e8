#pragma once

#include "statement_parts.h"

#include "ledger/connection.h"

#include <string>

namespace pages {

// The loans page: money borrowed (class S) or lent (class Z), all of them
// or only those not yet settled (":j_ZorS").
inline constexpr const char* kLoansList =
    "select id,j_class,j_date as 日期,z_id,j_chuMoney as 借出金额,j_ruMoney as 已还金额,j_yuMoney as 余额,j_shoudate as "
    "预计回收期,j_jiege as 借给,j_jiekuanren as 借款人,j_other as 备注 from s_jie where j_class=:j_ZorS";
inline constexpr const char* kUnsettledLoansList =
    "select id,j_class,j_date as 日期,z_id,j_chuMoney as 借出金额,j_ruMoney as 已还金额,j_yuMoney as 余额,j_shoudate as "
    "预计回收期,j_jiege as 借给,j_jiekuanren as 借款人,j_other as 备注 from s_jie where j_yuMoney<>0 and j_class=:j_ZorS";
ledger::Params loansOf(ClassCode klass);
std::string deleteLoan(RowId loan);

// The outstanding balance of a loan, 借出金额 − 已还金额, in exact money:
// an empty amount counts as 0. Nothing when an amount is not money at all.
std::optional<ledger::Currency> loanBalance(const ledger::Value& lent, const ledger::Value& repaid);

// The account names the loans and transfers pages look up.
inline constexpr const char* kAccountNames = "select id,z_name as 账户 from z_zhanghu";

} // namespace pages
