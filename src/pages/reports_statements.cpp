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
    return "SELECT f_name AS 项目, Sum(s_jine) AS 金额\nFROM s_z_all\nWHERE (s_date Between :t1 And :t2) and( f_class='" +
           std::string(codeOf(klass)) + "')\nGROUP BY s_z_all.f_name;";
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
