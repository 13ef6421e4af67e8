// Types from the binder alone: every result column of the statements the
// pages issue, the typing rules of operators and functions, and the rules
// that compare bound trees (GROUP BY, HAVING).

#include "ledger_catalog.h"

#include "ledger/error.h"
#include "ledger/jet/translation.h"

#include <gtest/gtest.h>

using ledger::Type;

namespace {

std::string typeText(const ledger::ColumnType& t)
{
    switch (t.type) {
    case Type::Null: return "null";
    case Type::Boolean: return "bool";
    case Type::Long: return "long";
    case Type::Currency: return "money";
    case Type::Double: return "double";
    case Type::Text: return "text" + std::to_string(t.width);
    case Type::DateTime: return "date";
    }
    return "?";
}

// "name:type, …" of the result columns.
std::string columns(const std::string& statement)
{
    std::string out;
    for (const ledger::jet::Field& f : ledger::jet::resultColumns(statement, jettest::ledgerCatalog()))
        out += (out.empty() ? "" : ", ") + f.name + ":" + typeText(f.type);
    return out;
}

const std::string kDayList = "select id as 编号,s_date as 时间 ,f_name as 项目,sys_name as 收付款人,s_jine as 金额,z_name as "
                             "账户,s_other as 备注 from s_z_all where f_class='Z' and s_date=#2024/3/5#";
const std::string kAccounts = "select id as 编号,z_name as 账户名称,z_qcje as 起始金额,z_shouru as 收入,z_zhichu as 支出,z_jieru as "
                              "借入,z_jiechu as 借出,z_zhuanru as 转入,z_zhuanchu as 转出,z_yue as 余额,z_other as 备注 from z_zhanghu";
const std::string kLoans = "select id,j_class,j_date as 日期,z_id,j_chuMoney as 借出金额,j_ruMoney as 已还金额,j_yuMoney as 余额,"
                           "j_shoudate as 预计回收期,j_jiege as 借给,j_jiekuanren as 借款人,j_other as 备注 from s_jie where "
                           "j_yuMoney<>0 and j_class=:j_ZorS";

TEST(BinderTypes, EveryResultColumnOfThePagesStatements)
{
    const std::pair<std::string, std::string> cases[] = {
        {"Select * from sys_sys", "id:long, isji:long, isuser:text255, ispwd:text255, skinx:text255"},
        {"Select * from s_user", "id:long, sys_name:text50, sys_pwd:text255"},
        {"select id,sys_name as 用户名 ,sys_pwd as 密码 from s_user", "id:long, 用户名:text50, 密码:text255"},
        {kDayList, "编号:long, 时间:date, 项目:text50, 收付款人:text50, 金额:money, 账户:text255, 备注:text255"},
        {"select  f_name as 项目 ,f_pinyin as 助记码 ,f_id from s_fenlei where f_id<>0 and f_class='Z' and f_name+f_pinyin like "
         "'%ZC%'",
         "项目:text50, 助记码:text255, f_id:long"},
        {"Select id from s_fenlei where f_name=\"早餐\"", "id:long"},
        {"Select f_name from s_fenlei where id=1", "f_name:text50"},
        {"Select y_money from y_yushuan where id=1", "y_money:money"},
        {"Select sum(s_jine) as a from s_shouru where  s_date between #2024-03-01#    and  #2024-03-31#", "a:money"},
        {"select top 7 sum(s_jine) as aaa ,s_date from s_z_all where f_class =:fenlei group by s_date ", "aaa:money, s_date:date"},
        {kAccounts, "编号:long, 账户名称:text255, 起始金额:money, 收入:money, 支出:money, 借入:money, 借出:money, 转入:money, "
                    "转出:money, 余额:money, 备注:text255"},
        {"select id,f_class,f_name as 项目名称 from s_fenlei where f_id=0 and f_class=:fenlei",
         "id:long, f_class:text255, 项目名称:text50"},
        {"select id,f_id,f_class,f_name as 项目名称,f_pinyin as 快速代码 from s_fenlei where  f_id=:fid",
         "id:long, f_id:long, f_class:text255, 项目名称:text50, 快速代码:text255"},
        {kLoans, "id:long, j_class:text50, 日期:date, z_id:long, 借出金额:money, 已还金额:money, 余额:money, 预计回收期:date, "
                 "借给:text50, 借款人:text50, 备注:text250"},
        {"select id,z_name as 账户 from z_zhanghu", "id:long, 账户:text255"},
        {"select id,zh1,zh2,zdate as 转账时间,zXmoney as 转账金额,other as 备注 from s_zhanghistory where zdate between :t1 and :t2",
         "id:long, zh1:long, zh2:long, 转账时间:date, 转账金额:money, 备注:text250"},
        {"SELECT s_ys_2.f_name, s_ys_2.xxmoney, s_yushuan.y_money, s_yushuan.y_x FROM s_yushuan INNER JOIN (SELECT s_ys.xid, "
         "s_ys.f_name, Sum(s_ys.s_jine) AS xxmoney FROM s_ys where year(s_date)=:xyear and month(s_date)=:xmonth GROUP BY "
         "s_ys.xid, s_ys.f_name) s_ys_2 ON s_yushuan.f_id = s_ys_2.xid;",
         "f_name:text50, xxmoney:money, y_money:money, y_x:text50"},
        {"select * from s_yushuan", "id:long, f_id:long, y_money:money, y_x:text50"},
        {"SELECT s_yyy.x_d, s_xxx.b,s_yyy.a FROM (select s_shouru.s_date as x_d,sum(s_shouru.s_jine) as a from s_shouru where "
         "f_class='S' group by s_date) s_yyy INNER JOIN (select s_shouru.s_date as xx,sum(s_shouru.s_jine) as b   from s_shouru "
         "where f_class='Z' group by s_date) s_xxx ON (s_yyy.x_d = s_xxx.xx) where s_yyy.x_d between :s1 and :s2;",
         "x_d:date, b:money, a:money"},
        {"select f_name as 项目,sys_name as 收付款人,s_jine as 金额,z_name as 账户,s_other as 备注 from s_z_all where "
         "s_date=:s_date and f_class='Z'",
         "项目:text50, 收付款人:text50, 金额:money, 账户:text255, 备注:text255"},
        {"SELECT f_name AS 项目, Sum(s_jine) AS 金额\nFROM s_z_all\nWHERE (s_date Between :t1 And :t2) and( f_class='Z')\nGROUP "
         "BY s_z_all.f_name;",
         "项目:text50, 金额:money"},
        {"SELECT ren_s.s_month, ren_s.s_Xjine, ren_z.s_Xjine, ren_z.sys_name FROM ren_s INNER JOIN ren_z ON ren_s.sys_name = "
         "ren_z.sys_name where ren_s.s_month between :t1 and :t2;",
         "s_month:text255, ren_s.s_Xjine:money, ren_z.s_Xjine:money, sys_name:text50"},
        {"select count(*) from s_shouru where id=2", "Expr1000:long"},
    };
    for (const auto& [statement, expected] : cases)
        EXPECT_EQ(columns(statement), expected) << statement;
}

TEST(BinderTypes, OperatorsAndFunctions)
{
    const std::pair<const char*, const char*> cases[] = {
        {"s_jine + 1", "money"},          {"s_jine + 1.5", "money"},        {"s_jine * 2", "money"},
        {"s_jine * s_jine", "money"},     {"s_jine / 2", "double"},         {"s_shouru.id + 1.5", "double"},
        {"s_shouru.id \\ 2", "long"},     {"s_shouru.id mod 2", "long"},    {"-s_jine", "money"},
        {"s_date + 1", "date"},           {"s_date - s_date", "double"},    {"f_name + f_pinyin", "text255"},
        {"f_name + 'ab'", "text52"},      {"f_name & 1", "text255"},        {"s_shouru.id > 1", "bool"},
        {"year(s_date)", "long"},         {"format(s_date, 'yyyy-mm')", "text255"},
        {"iif(s_shouru.id > 1, s_jine, 0)", "money"},                      {"iif(true, null, null)", "text0"},
        {"cstr(s_jine)", "text255"},      {"ccur('1.5')", "money"},         {"cdate('2024/3/5')", "date"},
        {"len(f_name)", "long"},          {"abs(:p)", "double"},            {":p", "text0"},
        {"(select max(j_date) from s_jie)", "date"},                        {"now()", "date"},
        {"avg(s_jine)", "money"},         {"avg(s_shouru.id)", "double"},   {"sum(s_shouru.id > 1)", "long"},
        {"max(f_name)", "text50"},        {"count(*)", "long"},             {"min(:p)", "text0"},
    };
    for (const auto& [expression, expected] : cases)
        EXPECT_EQ(columns(std::string("select ") + expression + " as v from s_shouru, s_fenlei"), std::string("v:") + expected)
            << expression;
}

ledger::Error::Kind errorOf(const std::string& statement)
{
    try {
        ledger::jet::resultColumns(statement, jettest::ledgerCatalog());
    } catch (const ledger::Error& e) {
        return e.kind();
    }
    ADD_FAILURE() << "accepted: " << statement;
    return ledger::Error::Kind::Usage;
}

TEST(BinderTypes, MismatchesAndUnknownNamesAreClearErrors)
{
    using K = ledger::Error::Kind;
    EXPECT_EQ(errorOf("select s_date * 2 from s_shouru"), K::Type);
    EXPECT_EQ(errorOf("select 1 - s_date from s_shouru"), K::Type);
    EXPECT_EQ(errorOf("select sum(f_class) from s_shouru"), K::Type);
    EXPECT_EQ(errorOf("select s_jine from s_shouru where s_jine = #2024-01-01# + 'x' & s_date"), K::Type);
    EXPECT_EQ(errorOf("select nothing(1)"), K::Name);
    EXPECT_EQ(errorOf("select left('a')"), K::Syntax);
    EXPECT_EQ(errorOf("select x.id from s_user"), K::Name);
    EXPECT_EQ(errorOf("select id from s_user, s_fenlei"), K::Name);
    EXPECT_EQ(errorOf("delete from s_user"), K::Usage);
    // An aggregate of the enclosing SELECT's columns alone would be that SELECT's.
    EXPECT_EQ(errorOf("select id from s_shouru where (select max(s_jine) from s_jie) > 1"), K::Syntax);
    EXPECT_EQ(columns("select (select max(j_chuMoney + s_jine) from s_jie where z_id = s_shouru.id) as m from s_shouru"),
              "m:money");
}

// GROUP BY and HAVING compare bound trees: the same computation matches
// however it is spelled, a different one does not.
TEST(BinderGrouping, ComparesBoundTrees)
{
    EXPECT_EQ(columns("select Year(S_Date) as y, count(*) as n from s_shouru group by year(s_shouru.s_date)"), "y:long, n:long");
    EXPECT_EQ(columns("select s_jine + 1 as m from s_shouru group by s_jine"), "m:money");
    EXPECT_EQ(columns("select f_class & :p as k from s_shouru group by f_class & :P"), "k:text255");
    EXPECT_EQ(columns("select f_class from s_shouru group by f_class having sum(s_jine) > 1 and f_class <> 'x'"),
              "f_class:text255");
    EXPECT_EQ(columns("select (select max(id) from s_user) as m, count(*) as n from s_shouru group by (select max(id) from s_user)"),
              "m:long, n:long");
    EXPECT_EQ(errorOf("select month(s_date) from s_shouru group by year(s_date)"), ledger::Error::Kind::Syntax);
    EXPECT_EQ(errorOf("select s_jine from s_shouru group by s_jine + 1"), ledger::Error::Kind::Syntax);
    EXPECT_EQ(errorOf("select f_class from s_shouru group by f_class having s_jine > 1"), ledger::Error::Kind::Syntax);
    EXPECT_EQ(errorOf("select f_class from s_shouru group by f_class order by s_date"), ledger::Error::Kind::Syntax);
    EXPECT_EQ(errorOf("select u.id from s_user u, s_user v group by v.id"), ledger::Error::Kind::Syntax);
}

} // namespace
