#include "entry_statements.h"

#include "ledger/error.h"
#include "ledger/sql_text.h"

namespace mainwindow::entry {

namespace {

// The class codes are the page's own "S" or "Z"; anything else is refused.
const std::string& code(const std::string& klass)
{
    if (klass != "S" && klass != "Z")
        throw ledger::Error(ledger::Error::Kind::Usage, "类别代码应为 S 或 Z");
    return klass;
}

const std::string& id(const std::string& text)
{
    if (!isWholeNumber(text))
        throw ledger::Error(ledger::Error::Kind::Type, "编号“" + text + "”不是整数");
    return text;
}

// A typed search text inside a LIKE pattern: quotes doubled, and the
// pattern's own characters bracketed so they match only themselves.
std::string likeText(const std::string& text)
{
    std::string out;
    for (char c : text) {
        if (c == '%' || c == '_' || c == '[')
            out += std::string("[") + c + "]";
        else
            out += c;
    }
    return ledger::escapeText(out);
}

std::string iso(const ledger::DateTime& d)
{
    return d.isoDate();
}

} // namespace

bool isWholeNumber(const std::string& text)
{
    return !text.empty() && text.size() <= 10 && text.find_first_not_of("0123456789") == std::string::npos;
}

std::optional<std::string> validAmount(const std::string& typed)
{
    const size_t a = typed.find_first_not_of(" \t");
    if (a == std::string::npos)
        return std::nullopt;
    const std::string t = typed.substr(a, typed.find_last_not_of(" \t") - a + 1);
    const size_t point = t.find('.');
    const std::string whole = t.substr(0, point);
    const std::string decimals = point == std::string::npos ? std::string() : t.substr(point + 1);
    const bool digitsOnly = whole.find_first_not_of("0123456789") == std::string::npos &&
                            decimals.find_first_not_of("0123456789") == std::string::npos;
    if (!digitsOnly || whole.size() + decimals.size() == 0 || decimals.size() > 2 || whole.size() > 15)
        return std::nullopt;
    return t;
}

std::string dayList(const std::string& klass, const ledger::DateTime& day)
{
    return "select id as 编号,s_date as 时间 ,f_name as 项目,sys_name as 收付款人,s_jine as 金额,z_name as 账户,s_other as 备注 "
           "from s_z_all where f_class='" +
           code(klass) + "' and s_date=#" + ledger::formatShortDate(day) + "#";
}

std::string itemSearch(const std::string& klass, const std::string& text)
{
    return itemList(klass) + " and f_name+f_pinyin like '%" + likeText(text) + "%'";
}

std::string itemList(const std::string& klass)
{
    return "select  f_name as 项目 ,f_pinyin as 助记码 ,f_id from s_fenlei where f_id<>0 and f_class='" + code(klass) + "'";
}

std::string itemIdByName(const std::string& name, const std::string& klass)
{
    return "Select id from s_fenlei where f_name=" + ledger::quoteText(name, '"') + " and f_id<>0 and f_class='" +
           code(klass) + "'";
}

std::string updateRecord(const RecordValues& v, const std::string& recordId)
{
    return "update  s_shouru set f_fenleiid=" + id(v.itemId) + ",s_jine=" + v.amount + ",s_userid=" + std::to_string(v.payer) +
           ", s_other='" + ledger::escapeText(v.note) + "', s_zhanghuid=" + std::to_string(v.account) + ",s_date='" +
           ledger::formatShortDate(v.date) + "' where id=" + id(recordId);
}

std::string insertRecord(const RecordValues& v, const std::string& klass)
{
    return "insert into s_shouru (f_fenleiid,s_jine,s_userid, s_other, s_zhanghuid,s_date,f_class) values (" + id(v.itemId) +
           "," + v.amount + "," + std::to_string(v.payer) + ",'" + ledger::escapeText(v.note) + "'," +
           std::to_string(v.account) + ",'" + ledger::formatShortDate(v.date) + "','" + code(klass) + "')";
}

std::string deleteRecord(const std::string& recordId)
{
    return "delete from s_shouru where id=" + id(recordId);
}

std::string categoryName(const std::string& categoryId)
{
    return "Select f_name from s_fenlei where id=" + id(categoryId);
}

std::string categoryBudget(const std::string& categoryId)
{
    return "Select y_money from y_yushuan where id=" + id(categoryId);
}

std::string categorySpending(const std::string& categoryId, const ledger::DateTime& first, const ledger::DateTime& last)
{
    return "Select sum(s_jine) as a from s_ys where xid=" + id(categoryId) + " and  s_date between #" + iso(first) +
           "#    and  #" + iso(last) + "#";
}

std::string incomeBetween(const std::string& klass, const ledger::DateTime& first, const ledger::DateTime& last, bool lastMonth)
{
    if (lastMonth)
        return "Select sum(s_jine) as a from s_shouru where f_class='" + code(klass) + "' and  s_date between #" + iso(first) +
               "#  and #" + iso(last) + "#";
    return "Select sum(s_jine) as a from s_shouru where f_class='" + code(klass) + "' and s_date between #" + iso(first) +
           "#  and #" + iso(last) + "#";
}

std::string chartTotals()
{
    // The seven latest dates, newest first; the chart shows them oldest on the left.
    return "select top 7 sum(s_jine) as aaa ,s_date from s_z_all where f_class =:fenlei group by s_date order by s_date desc";
}

} // namespace mainwindow::entry
