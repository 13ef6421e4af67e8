#pragma once

#include "statement_parts.h"

#include "ledger/connection.h"

#include <string>

namespace pages {

// The transfers page: the transfers of a period (":t1", ":t2", whole days,
// compared with midnight at their start).
inline constexpr const char* kTransfersList =
    "select id,zh1,zh2,zdate as 转账时间,zXmoney as 转账金额,other as 备注 from s_zhanghistory where zdate between :t1 and :t2";
ledger::Params transfersBetween(const ledger::DateTime& first, const ledger::DateTime& last);
std::string deleteTransfer(RowId transfer);

} // namespace pages
