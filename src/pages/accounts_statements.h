#pragma once

#include "statement_parts.h"

#include <string>

namespace pages {

// The accounts page. The income title carries a trailing ideographic space.
inline constexpr const char* kAccountsList =
    "select id as 编号,z_name as 账户名称,z_qcje as 起始金额,z_shouru as 收入\u3000,z_zhichu as 支出,z_jieru as 借入,"
    "z_jiechu as 借出,z_zhuanru as 转入,z_zhuanchu as 转出,z_yue as 余额,z_other as 备注 from z_zhanghu";
std::string deleteAccount(RowId account);
// How many records, loans and transfers still name the account ("n").
std::string recordsOnAccount(RowId account);
std::string loansOnAccount(RowId account);
std::string transfersOnAccount(RowId account);

} // namespace pages
