#pragma once

#include "statement_parts.h"

#include "ledger/connection.h"

namespace pages {

// The daily flow report: every day of the period (":s1", ":s2") with a
// record, its income total (a) and its expenditure total (b), 0 for the
// class it lacks, in date order.
inline constexpr const char* kDailyFlow =
    "SELECT s_shouru.s_date AS x_d, Sum(iif(s_shouru.f_class='Z',s_shouru.s_jine,0)) AS b,"
    "Sum(iif(s_shouru.f_class='S',s_shouru.s_jine,0)) AS a\n"
    "FROM s_shouru where s_shouru.s_date between :s1 and :s2 GROUP BY s_shouru.s_date ORDER BY s_shouru.s_date;";
ledger::Params flowPeriod(const ledger::DateTime& first, const ledger::DateTime& last);
// The records of one day (":s_date") of a class.
std::string flowDetails(ClassCode klass);
ledger::Params flowDay(const ledger::DateTime& day);

// The category report: a class's total per item name over a period (":t1", ":t2"),
// items of one name under different categories added together.
std::string categoryReport(ClassCode klass);
ledger::Params reportPeriod(const ledger::DateTime& first, const ledger::DateTime& last);

// The person report: per user and month, the income (收入) and the
// expenditure (支出), 0 for the side a month lacks; the months that overlap
// the period (":t1" the first day of the first month, ":t2" the first day
// after the last month; none for a reversed period), in order of user and month.
// Users come in the order they were added, so the months of two users who
// share a name never interleave.
inline constexpr const char* kPersonReport =
    "SELECT s_user.sys_name, t.s_month, t.收入, t.支出\n"
    "FROM (SELECT s_userid, Format(s_date, 'yyyy-mm') AS s_month, Sum(iif(f_class='S',s_jine,0)) AS 收入, "
    "Sum(iif(f_class='Z',s_jine,0)) AS 支出 FROM s_shouru where s_date >= :t1 and s_date < :t2 "
    "GROUP BY s_userid, Format(s_date, 'yyyy-mm')) t\n"
    "INNER JOIN s_user ON t.s_userid = s_user.id ORDER BY s_user.id, t.s_month;";
ledger::Params personMonths(const ledger::DateTime& first, const ledger::DateTime& last);

} // namespace pages
