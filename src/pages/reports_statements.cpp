#include "reports_statements.h"

namespace pages {

namespace {

ledger::Params isoPair(const char* a, const ledger::DateTime& first, const char* b, const ledger::DateTime& last)
{
    return {{a, ledger::Value(isoDate(first))}, {b, ledger::Value(isoDate(last))}};
}

} // namespace

ledger::Params flowPeriod(const ledger::DateTime& first, const ledger::DateTime& last)
{
    return isoPair("s1", first, "s2", last);
}

std::string flowDetails(ClassCode klass)
{
    return "select f_name as 项目,sys_name as 收付款人,s_jine as 金额,z_name as 账户,s_other as 备注 from s_z_all where "
           "s_date=:s_date and f_class='" +
           std::string(codeOf(klass)) + "'";
}

ledger::Params flowDay(const ledger::DateTime& day)
{
    return {{"s_date", ledger::Value(shortDate(day))}};
}

std::string categoryReport(ClassCode klass)
{
    // Each item's total first, from the records alone, then the totals of
    // items of one name added together: the same rows as grouping the
    // records of s_z_all by name, without looking up every record's item.
    return "SELECT s_fenlei.f_name AS 项目, Sum(t.xx) AS 金额\n"
           "FROM (SELECT f_fenleiid, Sum(s_jine) AS xx FROM s_shouru WHERE (s_date Between :t1 And :t2) and( f_class='" +
           std::string(codeOf(klass)) +
           "') GROUP BY f_fenleiid) t\n"
           "LEFT JOIN s_fenlei ON t.f_fenleiid = s_fenlei.id\nGROUP BY s_fenlei.f_name;";
}

ledger::Params reportPeriod(const ledger::DateTime& first, const ledger::DateTime& last)
{
    return isoPair("t1", first, "t2", last);
}

ledger::Params personMonths(const ledger::DateTime& first, const ledger::DateTime& last)
{
    const ledger::DateTime from = *ledger::DateTime::make(first.year, first.month, 1);
    // A period that ends before it starts has no months, even when both days
    // fall in one month.
    if (last < first)
        return isoPair("t1", from, "t2", from);
    const ledger::DateTime lastMonth = *ledger::DateTime::make(last.year, last.month, 1);
    const ledger::DateTime after = lastMonth.addDays(ledger::daysInMonth(last.year, last.month));
    return isoPair("t1", from, "t2", after);
}

} // namespace pages
