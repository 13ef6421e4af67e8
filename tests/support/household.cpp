#include "household.h"

#include "ledger/sql_text.h"

namespace testsupport {

using ledger::quoteText;

int64_t Household::addUser(const std::string& name, const std::string& password)
{
    db_.execute("insert into s_user (sys_name, sys_pwd) values (" + quoteText(name) + ", " + quoteText(password) + ")");
    return db_.lastInsertId();
}

int64_t Household::addCategory(const std::string& klass, const std::string& name)
{
    db_.execute("insert into s_fenlei (f_class, f_name) values (" + quoteText(klass) + ", " + quoteText(name) + ")");
    return db_.lastInsertId();
}

int64_t Household::addItem(int64_t category, const std::string& klass, const std::string& name, const std::string& quickCode)
{
    db_.execute("insert into s_fenlei (f_id, f_class, f_name, f_pinyin) values (" + std::to_string(category) + ", " +
                quoteText(klass) + ", " + quoteText(name) + ", " + quoteText(quickCode) + ")");
    return db_.lastInsertId();
}

int64_t Household::addAccount(const std::string& name, const std::string& opening)
{
    db_.execute("insert into z_zhanghu (z_name, z_qcje) values (" + quoteText(name) + ", " + opening + ")");
    return db_.lastInsertId();
}

int64_t Household::addRecord(const std::string& klass, int64_t item, const std::string& amount, const std::string& date,
                             int64_t user, int64_t account, const std::string& note)
{
    db_.execute("insert into s_shouru (f_fenleiid,s_jine,s_userid, s_other, s_zhanghuid,s_date,f_class) values (" +
                std::to_string(item) + "," + amount + "," + std::to_string(user) + "," + quoteText(note) + "," +
                std::to_string(account) + "," + quoteText(date) + "," + quoteText(klass) + ")");
    return db_.lastInsertId();
}

int64_t Household::addLoan(const std::string& klass, int64_t account, const std::string& lent, const std::string& repaid,
                           const std::string& date)
{
    db_.execute("insert into s_jie (j_class, z_id, j_chuMoney, j_ruMoney, j_yuMoney, j_date) values (" + quoteText(klass) + ", " +
                std::to_string(account) + ", " + lent + ", " + repaid + ", " + lent + " - " + repaid + ", " + quoteText(date) +
                ")");
    return db_.lastInsertId();
}

int64_t Household::addTransfer(int64_t from, int64_t to, const std::string& amount, const std::string& date)
{
    db_.execute("insert into s_zhanghistory (zh1, zh2, zXmoney, zdate) values (" + std::to_string(from) + ", " +
                std::to_string(to) + ", " + amount + ", " + quoteText(date) + ")");
    return db_.lastInsertId();
}

void Household::setBudget(int64_t category, const std::string& amount, const std::string& note)
{
    db_.execute("update s_yushuan set y_money=" + amount + ", y_x=" + quoteText(note) +
                " where f_id=" + std::to_string(category));
}

std::string Household::scalar(const std::string& statement)
{
    const ledger::ResultSet r = db_.select(statement);
    if (r.rows.empty() || r.rows[0].empty())
        return {};
    return r.rows[0][0].toText();
}

std::vector<std::string> Household::rows(const std::string& statement)
{
    return rowTexts(db_.select(statement).rows);
}

std::string cellText(const ledger::Value& value)
{
    if (value.type() == ledger::Type::DateTime)
        return value.asDateTime().hasTime() ? value.asDateTime().canonical() : value.asDateTime().isoDate();
    return value.toText();
}

std::vector<std::string> rowTexts(const std::vector<ledger::Row>& rows)
{
    std::vector<std::string> out;
    for (const ledger::Row& row : rows) {
        std::string line;
        for (size_t i = 0; i < row.size(); ++i)
            line += (i ? "|" : "") + cellText(row[i]);
        out.push_back(line);
    }
    return out;
}

std::vector<std::string> fieldNames(const std::vector<ledger::Field>& fields)
{
    std::vector<std::string> out;
    for (const ledger::Field& f : fields)
        out.push_back(f.name);
    return out;
}

} // namespace testsupport
