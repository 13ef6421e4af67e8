#include "entry_statements.h"

#include "ledger/sql_text.h"

namespace pages {

namespace {

std::string code(ClassCode klass)
{
    return std::string(codeOf(klass));
}

} // namespace

std::string dayList(ClassCode klass, const ledger::DateTime& day)
{
    return "select id as 编号,s_date as 时间 ,f_name as 项目,sys_name as 收付款人,s_jine as 金额,z_name as 账户,s_other as 备注 "
           "from s_z_all where f_class='" +
           code(klass) + "' and s_date=#" + shortDate(day) + "#";
}

std::string itemSearch(ClassCode klass, const std::string& text)
{
    return itemList(klass) + " and f_name+f_pinyin like '%" + likeContains(text) + "%'";
}

std::string itemList(ClassCode klass)
{
    return "select  f_name as 项目 ,f_pinyin as 助记码 ,f_id from s_fenlei where f_id<>0 and f_class='" + code(klass) + "'";
}

std::string itemIdByName(const std::string& name, ClassCode klass)
{
    return "Select id from s_fenlei where f_name=" + ledger::quoteText(name, '"') + " and f_id<>0 and f_class='" + code(klass) +
           "'";
}

std::string updateRecord(const RecordValues& v, RowId record)
{
    return "update  s_shouru set f_fenleiid=" + v.item.text() + ",s_jine=" + v.amount.text() + ",s_userid=" + v.payer.text() +
           ", s_other='" + ledger::escapeText(v.note) + "', s_zhanghuid=" + v.account.text() + ",s_date='" + shortDate(v.date) +
           "' where id=" + record.text();
}

std::string insertRecord(const RecordValues& v, ClassCode klass)
{
    return "insert into s_shouru (f_fenleiid,s_jine,s_userid, s_other, s_zhanghuid,s_date,f_class) values (" + v.item.text() +
           "," + v.amount.text() + "," + v.payer.text() + ",'" + ledger::escapeText(v.note) + "'," + v.account.text() + ",'" +
           shortDate(v.date) + "','" + code(klass) + "')";
}

std::string deleteRecord(RowId record)
{
    return "delete from s_shouru where id=" + record.text();
}

std::string categoryName(RowId category)
{
    return "Select f_name from s_fenlei where id=" + category.text();
}

std::string categoryBudget(RowId category)
{
    return "Select y_money from y_yushuan where id=" + category.text();
}

std::string categorySpending(RowId category, const ledger::DateTime& first, const ledger::DateTime& last)
{
    return "Select sum(s_jine) as a from s_ys where xid=" + category.text() + " and  s_date between #" + isoDate(first) +
           "#    and  #" + isoDate(last) + "#";
}

std::string lastMonthIncome(ClassCode klass, const ledger::DateTime& first, const ledger::DateTime& last)
{
    return "Select sum(s_jine) as a from s_shouru where f_class='" + code(klass) + "' and  s_date between #" + isoDate(first) +
           "#  and #" + isoDate(last) + "#";
}

std::string monthIncomeToDate(ClassCode klass, const ledger::DateTime& first, const ledger::DateTime& day)
{
    return "Select sum(s_jine) as a from s_shouru where f_class='" + code(klass) + "' and s_date between #" + isoDate(first) +
           "#  and #" + isoDate(day) + "#";
}

} // namespace pages
