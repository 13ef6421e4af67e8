#include "account_totals.h"

#include "connection.h"

#include <string>
#include <vector>

namespace ledger {

namespace {

// Runs the statements as one unit of work.
void runPass(Connection& c, const std::vector<std::string>& statements)
{
    Transaction work(c);
    c.execute("delete from xtablex");
    for (const std::string& statement : statements)
        c.execute(statement);
    c.execute("delete from xtablex");
    RefreshBalances(c);
    work.commit();
}

} // namespace

const std::vector<std::string>& loanTotalsPass()
{
    static const std::vector<std::string> statements = {
        "update z_zhanghu set z_jieru=0, z_jiechu=0",
        "INSERT INTO xtablex (xmoney,xid) select sum(j_yuMoney) as xmoney ,z_id as xid from s_jie where j_class='S' group by "
        "z_id",
        "UPDATE z_zhanghu INNER JOIN xtablex ON xtablex.xid= z_zhanghu.id SET z_zhanghu.z_jieru=xtablex.Xmoney",
        "delete from xtablex",
        "INSERT INTO xtablex (xmoney,xid) select sum(j_yuMoney) as xmoney ,z_id as xid from s_jie where j_class='Z' group by "
        "z_id",
        "UPDATE z_zhanghu INNER JOIN xtablex ON xtablex.xid= z_zhanghu.id SET z_zhanghu.z_jiechu=xtablex.Xmoney",
    };
    return statements;
}

const std::vector<std::string>& transferTotalsPass()
{
    static const std::vector<std::string> statements = {
        "update z_zhanghu set z_zhuanru=0, z_zhuanchu=0",
        "INSERT INTO xtablex (xmoney,xid) select sum(zXmoney) as xmoney ,zh2 as xid from s_zhanghistory group by zh2;",
        "UPDATE z_zhanghu INNER JOIN xtablex ON xtablex.xid= z_zhanghu.id SET z_zhanghu.z_zhuanru=xtablex.Xmoney;",
        "delete from xtablex;",
        "INSERT INTO xtablex (xmoney,xid) select sum(zXmoney) as xmoney ,zh1 as xid from s_zhanghistory group by zh1;",
        "UPDATE z_zhanghu INNER JOIN xtablex ON xtablex.xid= z_zhanghu.id SET z_zhanghu.z_zhuanchu=xtablex.Xmoney;",
    };
    return statements;
}

void RefreshLoanTotals(Connection& c)
{
    runPass(c, loanTotalsPass());
}

void RefreshTransferTotals(Connection& c)
{
    runPass(c, transferTotalsPass());
}

void RefreshRecordTotals(Connection& c)
{
    runPass(c, {
                   "update z_zhanghu set z_shouru=0, z_zhichu=0",
                   "INSERT INTO xtablex (xmoney,xid) select sum(s_jine) as xmoney ,s_zhanghuid as xid from s_shouru where "
                   "f_class='S' group by s_zhanghuid",
                   "UPDATE z_zhanghu INNER JOIN xtablex ON xtablex.xid= z_zhanghu.id SET z_zhanghu.z_shouru=xtablex.Xmoney",
                   "delete from xtablex",
                   "INSERT INTO xtablex (xmoney,xid) select sum(s_jine) as xmoney ,s_zhanghuid as xid from s_shouru where "
                   "f_class='Z' group by s_zhanghuid",
                   "UPDATE z_zhanghu INNER JOIN xtablex ON xtablex.xid= z_zhanghu.id SET z_zhanghu.z_zhichu=xtablex.Xmoney",
               });
}

void RefreshBalances(Connection& c)
{
    // An empty opening amount counts as 0, so a new account still gets a balance.
    c.execute("update z_zhanghu set z_yue = iif(z_qcje is null, 0, z_qcje) + z_shouru - z_zhichu + z_jieru - z_jiechu "
              "+ z_zhuanru - z_zhuanchu");
}

} // namespace ledger

namespace ledger {

std::optional<RecordEffect> readRecordEffect(Connection& c, int64_t recordId)
{
    const ResultSet r = c.select("select s_zhanghuid, f_class, s_jine from s_shouru where id=" + std::to_string(recordId));
    if (r.rows.empty())
        return std::nullopt;
    const Row& row = r.rows[0];
    RecordEffect effect;
    effect.account = row[0].isNull() ? 0 : row[0].asLong();
    effect.income = row[1].toText() == "S";
    effect.amount = row[2].isNull() ? Currency() : row[2].asCurrency();
    return effect;
}

namespace {

void apply(Connection& c, const RecordEffect& e, bool add)
{
    if (e.amount.isZero())
        return;
    const std::string column = e.income ? "z_shouru" : "z_zhichu";
    const bool balanceUp = e.income == add;
    const std::string amount = e.amount.toString();
    const std::string sign = add ? "+" : "-";
    c.execute("update z_zhanghu set " + column + "=" + column + sign + "(" + amount + "), z_yue=z_yue" + (balanceUp ? "+" : "-") +
              "(" + amount + ") where id=" + std::to_string(e.account));
}

} // namespace

void ApplyRecordChange(Connection& c, const std::optional<RecordEffect>& before, const std::optional<RecordEffect>& after)
{
    if (before)
        apply(c, *before, false);
    if (after)
        apply(c, *after, true);
}

} // namespace ledger
