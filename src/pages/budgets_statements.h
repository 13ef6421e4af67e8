#pragma once

#include "ledger/connection.h"

namespace pages {

// The budget page: one month's spending per top-level category beside its
// budget, and the budget rows with their category names. The month is a
// range of days (":xfirst" its first day, ":xafter" the day after it), so
// only that month's records are read.
inline constexpr const char* kBudgetComparison = "SELECT s_ys_2.f_name, s_ys_2.xxmoney, s_yushuan.y_money, s_yushuan.y_x\n"
                                                 "FROM s_yushuan INNER JOIN (SELECT s_ys.xid, s_ys.f_name, Sum(s_ys.s_jine) "
                                                 "AS xxmoney\n"
                                                 "FROM s_ys where s_date>=:xfirst and s_date<:xafter\n"
                                                 "GROUP BY s_ys.xid, s_ys.f_name\n"
                                                 ") s_ys_2 ON s_yushuan.f_id = s_ys_2.xid;";
ledger::Params budgetMonth(int year, int month);
inline constexpr const char* kBudgetRows = "select * from s_yushuan";
inline constexpr const char* kBudgetCategoryNames = "select id,f_name as 项目名称 from s_fenlei where f_id=0 and f_class='Z'";

} // namespace pages
