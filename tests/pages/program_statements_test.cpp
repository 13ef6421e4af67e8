// Every statement the pages issue, written exactly as they issue it, run on
// a small seeded household: the right rows, names, types and sums.

#include "ledger_fixture.h"

#include "ledger/error.h"

#include <gtest/gtest.h>

#include <algorithm>

using ledger::Param;
using ledger::Params;
using ledger::Type;
using ledger::Value;
using testsupport::LedgerFixture;

namespace {

struct StatementCase {
    const char* name;
    std::string text;
    Params params;
    std::vector<std::string> setup;    // run first
    std::vector<std::string> columns;  // expected field names (select)
    std::vector<std::string> rows;     // expected rows (select), or rows of `check`
    int64_t affected = -1;             // expected rows affected (change)
    std::string check;                 // a select run after a change
    std::vector<Type> types;           // expected field types, when given
    bool unordered = false;            // the statement asks for no order
};

// Ids of the seeded rows (the starting database supplies users 1, accounts
// 1..3 现金 银行卡 信用卡, categories 1 餐饮美食 and 11 交通出行 with the items
// 2 早餐, 3 午餐, 13 打车, income items 5 工资 and 6 奖金, budgets 1..9).
void seed(LedgerFixture& f)
{
    f.addUser("爸爸", "abc");
    f.addUser("妈妈", "Abc ");
    f.addRecord("Z", 2, "12.5", "2024-03-05", 2, 1, "豆浆油条");
    f.addRecord("Z", 3, "30", "2024-03-05", 3, 2);
    f.addRecord("Z", 13, "0.5", "2024-03-05", 2, 1, "Tom's");
    f.addRecord("Z", 2, "8.3", "2024-03-06", 2, 1);
    f.addRecord("S", 5, "8000", "2024-03-05", 2, 2);
    f.addRecord("S", 6, "1000.25", "2024-03-20", 3, 2);
    f.addRecord("Z", 13, "45.67", "2024-02-28", 3, 3);
    f.addRecord("S", 5, "8000", "2024-02-05", 2, 2);
    f.addRecord("Z", 999, "5", "2024-03-20", 99, 99); // item, user and account gone
    f.addLoan("S", 1, "1000", "200", "2024-01-10");
    f.addLoan("Z", 2, "500", "0");
    f.addLoan("Z", 2, "300", "300");
    f.addTransfer(1, 2, "100", "2024-03-05");
    f.addTransfer(2, 3, "50.5", "2024-03-06");
    f.db().execute("update s_yushuan set y_money=1500, y_x='饭钱' where f_id=1");
}

const std::string kDayList = "select id as 编号,s_date as 时间 ,f_name as 项目,sys_name as 收付款人,s_jine as 金额,z_name as "
                             "账户,s_other as 备注 from s_z_all where f_class='";
const std::string kItemSearch = "select  f_name as 项目 ,f_pinyin as 助记码 ,f_id from s_fenlei where f_id<>0 and f_class='";
const std::string kAccounts = "select id as 编号,z_name as 账户名称,z_qcje as 起始金额,z_shouru as 收入\u3000,z_zhichu as "
                              "支出,z_jieru as 借入,z_jiechu as 借出,z_zhuanru as 转入,z_zhuanchu as 转出,z_yue as 余额,z_other "
                              "as 备注 from z_zhanghu";
const std::string kLoans = "select id,j_class,j_date as 日期,z_id,j_chuMoney as 借出金额,j_ruMoney as 已还金额,j_yuMoney as "
                           "余额,j_shoudate as 预计回收期,j_jiege as 借给,j_jiekuanren as 借款人,j_other as 备注 from s_jie where ";
const std::string kLoanInsertS = "INSERT INTO xtablex (xmoney,xid) select sum(j_yuMoney) as xmoney ,z_id as xid from s_jie "
                                 "where j_class='S' group by z_id";
const std::string kLoanInsertZ = "INSERT INTO xtablex (xmoney,xid) select sum(j_yuMoney) as xmoney ,z_id as xid from s_jie "
                                 "where j_class='Z' group by z_id";
const std::string kTransferInsertIn = "INSERT INTO xtablex (xmoney,xid) select sum(zXmoney) as xmoney ,zh2 as xid from "
                                      "s_zhanghistory group by zh2;";
const std::string kTransferInsertOut = "INSERT INTO xtablex (xmoney,xid) select sum(zXmoney) as xmoney ,zh1 as xid from "
                                       "s_zhanghistory group by zh1;";
const std::string kJoinUpdate = "UPDATE z_zhanghu INNER JOIN xtablex ON xtablex.xid= z_zhanghu.id SET z_zhanghu.";
const std::string kDetail = "select f_name as 项目,sys_name as 收付款人,s_jine as 金额,z_name as 账户,s_other as 备注 from s_z_all "
                            "where s_date=:s_date and f_class='";
const std::string kCategoryReport = "SELECT f_name AS 项目, Sum(s_jine) AS 金额\nFROM s_z_all\nWHERE (s_date Between :t1 And "
                                    ":t2) and( f_class='";
const std::vector<std::string> kDayColumns = {"编号", "时间", "项目", "收付款人", "金额", "账户", "备注"};
const std::vector<std::string> kLoanColumns = {"id", "j_class", "日期", "z_id", "借出金额", "已还金额",
                                               "余额", "预计回收期", "借给", "借款人", "备注"};

Params params(std::initializer_list<std::pair<const char*, Value>> list)
{
    Params out;
    for (const auto& [name, value] : list)
        out.push_back({name, value});
    return out;
}

// Test names show the case's name, not its bytes.
void PrintTo(const StatementCase& c, std::ostream* os)
{
    *os << c.name;
}

std::vector<StatementCase> cases()
{
    std::vector<StatementCase> c;
    // Start-up and sign-in
    c.push_back({"settings_probe", "Select * from sys_sys", {}, {}, {"id", "isji", "isuser", "ispwd", "skinx"}, {"1|0|||晴空"}});
    c.push_back({"user_list", "Select * from s_user", {}, {}, {"id", "sys_name", "sys_pwd"}, {"1|管理员|", "2|爸爸|abc", "3|妈妈|Abc "}});
    c.push_back({"settings_row", "Select * from sys_sys where id=1", {}, {}, {"id", "isji", "isuser", "ispwd", "skinx"}, {"1|0|||晴空"}});
    c.push_back({"sign_in_lookup", "select * from s_user where sys_name=\"爸爸\"", {}, {}, {"id", "sys_name", "sys_pwd"}, {"2|爸爸|abc"}});
    c.push_back({"remember_me", "update sys_sys set isuser=\"爸爸\"  , ispwd=\"abc\" ,isji=1 where id =1 ", {}, {}, {},
                 {"1|爸爸|abc"}, 1, "select isji, isuser, ispwd from sys_sys"});
    c.push_back({"forget_me", "update sys_sys set  isji=0 where id =1 ", {}, {"update sys_sys set isji=1, isuser='x' where id=1"},
                 {}, {"0|x"}, 1, "select isji, isuser from sys_sys"});
    // System users
    c.push_back({"users_grid", "select id,sys_name as 用户名 ,sys_pwd as 密码 from s_user", {}, {}, {"id", "用户名", "密码"},
                 {"1|管理员|", "2|爸爸|abc", "3|妈妈|Abc "}});
    c.push_back({"user_delete", "delete from s_user where id=3", {}, {}, {}, {"1", "2"}, 1, "select id from s_user"});
    // Income and expenditure entry
    c.push_back({"day_list",
                 kDayList + "Z' and s_date=#2024/3/5#",
                 {},
                 {},
                 kDayColumns,
                 {"1|2024-03-05|早餐|爸爸|12.5|现金|豆浆油条", "2|2024-03-05|午餐|妈妈|30|银行卡|", "3|2024-03-05|打车|爸爸|0.5|现金|Tom's"},
                 -1,
                 {},
                 {Type::Long, Type::DateTime, Type::Text, Type::Text, Type::Currency, Type::Text, Type::Text}});
    c.push_back({"day_list_missing_names", kDayList + "Z' and s_date=#2024/3/20#", {}, {}, kDayColumns, {"9|2024-03-20|||5||"}});
    c.push_back({"item_search", kItemSearch + "Z' and f_name+f_pinyin like '%ZC%'", {}, {}, {"项目", "助记码", "f_id"}, {"早餐|zc|1"}});
    c.push_back({"item_search_null_code", kItemSearch + "Z' and f_name+f_pinyin like '%餐饮%'", {}, {}, {"项目", "助记码", "f_id"}, {}});
    c.push_back({"item_list", kItemSearch + "S'", {}, {}, {"项目", "助记码", "f_id"},
                 {"工资|gz|4", "奖金|jj|4", "加班费|jbf|4", "利息|lx|40", "理财收益|lcsy|40", "礼金收入|ljsr|40", "兼职|jz|40"}});
    c.push_back({"account_list", "select * from z_zhanghu", {}, {}, {}, {}});
    c.push_back({"item_by_name", "Select id from s_fenlei where f_name=\"早餐\"", {}, {}, {"id"}, {"2"}});
    c.push_back({"record_update",
                 "update  s_shouru set f_fenleiid=3,s_jine=12.5,s_userid=2, s_other='改过', s_zhanghuid=1,s_date='2024/3/5' where id=1",
                 {}, {}, {}, {"3|12.5|改过|2024-03-05|Z"}, 1, "select f_fenleiid, s_jine, s_other, s_date, f_class from s_shouru where id=1"});
    c.push_back({"record_insert",
                 "insert into s_shouru (f_fenleiid,s_jine,s_userid, s_other, s_zhanghuid,s_date,f_class) values "
                 "(2,0.5,1,'',1,'2024/3/7','Z')",
                 {}, {}, {}, {"10|2|0.5|1||1|2024-03-07|Z"}, 1, "select * from s_shouru where id=10"});
    c.push_back({"record_delete", "delete from s_shouru where id=2", {}, {}, {}, {"0"}, 1, "select count(*) from s_shouru where id=2"});
    // Item budget panel and chart
    c.push_back({"budget_category", "Select f_name from s_fenlei where id=1", {}, {}, {"f_name"}, {"餐饮美食"}});
    c.push_back({"budget_amount", "Select y_money from y_yushuan where id=1", {}, {}, {"y_money"}, {"1500"}, -1, {}, {Type::Currency}});
    c.push_back({"month_total", "Select sum(s_jine) as a from s_shouru where  s_date between #2024-03-01#    and  #2024-03-31#", {}, {},
                 {"a"}, {"9056.55"}, -1, {}, {Type::Currency}});
    c.push_back({"last_month_income",
                 "Select sum(s_jine) as a from s_shouru where f_class='S' and  s_date between #2024-02-01#  and #2024-02-29#", {}, {},
                 {"a"}, {"8000"}});
    c.push_back({"month_income_to_date",
                 "Select sum(s_jine) as a from s_shouru where f_class='S' and s_date between #2024-03-01#  and #2024-03-15#", {}, {},
                 {"a"}, {"8000"}});
    c.push_back({"empty_month", "Select sum(s_jine) as a from s_shouru where f_class='S' and s_date between #2023-03-01#  and #2023-03-15#",
                 {}, {}, {"a"}, {""}});
    c.push_back({"chart", "select top 7 sum(s_jine) as aaa ,s_date from s_z_all where f_class =:fenlei group by s_date ",
                 params({{"fenlei", "Z"}}), {}, {"aaa", "s_date"},
                 {"45.67|2024-02-28", "43|2024-03-05", "8.3|2024-03-06", "5|2024-03-20"}, -1, {}, {Type::Currency, Type::DateTime}});
    // Accounts and the totals passes
    c.push_back({"accounts_grid", kAccounts, {}, {},
                 {"编号", "账户名称", "起始金额", "收入\u3000", "支出", "借入", "借出", "转入", "转出", "余额", "备注"},
                 {"1|现金|0|0|0|0|0|0|0|0|", "2|银行卡|0|0|0|0|0|0|0|0|", "3|信用卡|0|0|0|0|0|0|0|0|"}});
    c.push_back({"account_delete", "delete from z_zhanghu where id=3", {}, {}, {}, {"1", "2"}, 1, "select id from z_zhanghu"});
    c.push_back({"loan_sum_borrowed", kLoanInsertS, {}, {}, {}, {"800|1"}, 1, "select xmoney, xid from xtablex"});
    c.push_back({"loan_update_borrowed", kJoinUpdate + "z_jieru=xtablex.Xmoney", {}, {kLoanInsertS}, {}, {"1|800", "2|0", "3|0"}, 1,
                 "select id, z_jieru from z_zhanghu"});
    c.push_back({"scratch_empty", "delete from xtablex", {}, {kLoanInsertS}, {}, {"0"}, 1, "select count(*) from xtablex"});
    c.push_back({"loan_sum_lent", kLoanInsertZ, {}, {}, {}, {"500|2"}, 1, "select xmoney, xid from xtablex"});
    c.push_back({"loan_update_lent", kJoinUpdate + "z_jiechu=xtablex.Xmoney", {}, {kLoanInsertZ}, {}, {"1|0", "2|500", "3|0"}, 1,
                 "select id, z_jiechu from z_zhanghu"});
    c.push_back({"transfer_sum_in", kTransferInsertIn, {}, {}, {}, {"100|2", "50.5|3"}, 2, "select xmoney, xid from xtablex"});
    c.push_back({"transfer_update_in", kJoinUpdate + "z_zhuanru=xtablex.Xmoney;", {}, {kTransferInsertIn}, {},
                 {"1|0", "2|100", "3|50.5"}, 2, "select id, z_zhuanru from z_zhanghu"});
    c.push_back({"scratch_empty_semicolon", "delete from xtablex;", {}, {kTransferInsertIn}, {}, {"0"}, 2, "select count(*) from xtablex"});
    c.push_back({"transfer_sum_out", kTransferInsertOut, {}, {}, {}, {"100|1", "50.5|2"}, 2, "select xmoney, xid from xtablex"});
    c.push_back({"transfer_update_out", kJoinUpdate + "z_zhuanchu=xtablex.Xmoney;", {}, {kTransferInsertOut}, {},
                 {"1|100", "2|50.5", "3|0"}, 2, "select id, z_zhuanchu from z_zhanghu"});
    // Categories and quick codes
    c.push_back({"categories", "select id,f_class,f_name as 项目名称 from s_fenlei where f_id=0 and f_class=:fenlei",
                 params({{"fenlei", "S"}}), {}, {"id", "f_class", "项目名称"}, {"4|S|工资薪金", "40|S|其他收入"}});
    c.push_back({"items", "select id,f_id,f_class,f_name as 项目名称,f_pinyin as 快速代码 from s_fenlei where  f_id=:fid",
                 params({{"fid", "11"}}), {}, {"id", "f_id", "f_class", "项目名称", "快速代码"},
                 {"12|11|Z|公交地铁|gjdt", "13|11|Z|打车|dc", "14|11|Z|加油|jy", "15|11|Z|停车费|tcf"}});
    c.push_back({"category_delete", "delete from s_fenlei where id=11", {}, {}, {}, {"0"}, 1, "select count(*) from s_fenlei where id=11"});
    c.push_back({"budget_delete", "delete from  s_yushuan where f_id=11", {}, {}, {}, {"8"}, 1, "select count(*) from s_yushuan"});
    c.push_back({"budget_rows",
                 "insert into s_yushuan (f_id) select id from s_fenlei where f_id=0 and f_class='Z' and id not in (select f_id from "
                 "s_yushuan)",
                 {}, {"insert into s_fenlei (f_class, f_name) values ('Z', '宠物')", "insert into s_fenlei (f_class, f_name) values ('S', '租金')"},
                 {}, {"10|45|0|"}, 1, "select * from s_yushuan where id=10"});
    // Loans and transfers
    c.push_back({"loans", kLoans + "j_class=:j_ZorS", params({{"j_ZorS", "Z"}}), {}, kLoanColumns,
                 {"2|Z|2024-01-01|2|500|0|500||||", "3|Z|2024-01-01|2|300|300|0||||"}});
    c.push_back({"loans_unsettled", kLoans + "j_yuMoney<>0 and j_class=:j_ZorS", params({{"j_ZorS", "Z"}}), {}, kLoanColumns,
                 {"2|Z|2024-01-01|2|500|0|500||||"}});
    c.push_back({"account_names", "select id,z_name as 账户 from z_zhanghu", {}, {}, {"id", "账户"}, {"1|现金", "2|银行卡", "3|信用卡"}});
    c.push_back({"loan_delete", "delete from s_jie where id=3", {}, {}, {}, {"2"}, 1, "select count(*) from s_jie"});
    c.push_back({"transfers_dates",
                 "select id,zh1,zh2,zdate as 转账时间,zXmoney as 转账金额,other as 备注 from s_zhanghistory where zdate between :t1 and :t2",
                 params({{"t1", Value(*ledger::DateTime::make(2024, 3, 5))}, {"t2", Value(*ledger::DateTime::make(2024, 3, 6))}}), {},
                 {"id", "zh1", "zh2", "转账时间", "转账金额", "备注"}, {"1|1|2|2024-03-05|100|", "2|2|3|2024-03-06|50.5|"}});
    c.push_back({"transfers_texts",
                 "select id,zh1,zh2,zdate as 转账时间,zXmoney as 转账金额,other as 备注 from s_zhanghistory where zdate between :t1 and :t2",
                 params({{"t1", "2024-03-05"}, {"t2", "2024-03-05"}}), {}, {"id", "zh1", "zh2", "转账时间", "转账金额", "备注"},
                 {"1|1|2|2024-03-05|100|"}});
    c.push_back({"transfer_delete", "delete from s_zhanghistory where id=2", {}, {}, {}, {"1"}, 1, "select count(*) from s_zhanghistory"});
    // Budgets
    c.push_back({"budget_comparison",
                 "SELECT s_ys_2.f_name, s_ys_2.xxmoney, s_yushuan.y_money, s_yushuan.y_x\n"
                 "FROM s_yushuan INNER JOIN (SELECT s_ys.xid, s_ys.f_name, Sum(s_ys.s_jine) AS xxmoney\n"
                 "FROM s_ys where year(s_date)=:xyear and month(s_date)=:xmonth\n"
                 "GROUP BY s_ys.xid, s_ys.f_name\n"
                 ") s_ys_2 ON s_yushuan.f_id = s_ys_2.xid;",
                 params({{"xyear", "2024"}, {"xmonth", "3"}}), {}, {"f_name", "xxmoney", "y_money", "y_x"},
                 {"餐饮美食|50.8|1500|饭钱", "交通出行|0.5|0|"}, -1, {}, {Type::Text, Type::Currency, Type::Currency, Type::Text}, true});
    c.push_back({"budget_grid", "select * from s_yushuan", {}, {}, {"id", "f_id", "y_money", "y_x"}, {}});
    c.push_back({"budget_names", "select id,f_name as 项目名称 from s_fenlei where f_id=0 and f_class='Z'", {}, {}, {"id", "项目名称"},
                 {"1|餐饮美食", "11|交通出行", "16|居家生活", "21|通讯网络", "24|休闲娱乐", "28|医疗保健", "31|学习教育", "34|人情往来",
                  "37|服饰美容"}});
    // Reports
    c.push_back({"daily_flow",
                 "SELECT s_yyy.x_d, s_xxx.b,s_yyy.a\n"
                 "FROM (select s_shouru.s_date as x_d,sum(s_shouru.s_jine) as a from s_shouru where f_class='S' group by s_date) s_yyy "
                 "INNER JOIN (select s_shouru.s_date as xx,sum(s_shouru.s_jine) as b   from s_shouru where f_class='Z' group by s_date) "
                 "s_xxx ON (s_yyy.x_d = s_xxx.xx) where s_yyy.x_d between :s1 and :s2;",
                 params({{"s1", "2024-03-01"}, {"s2", "2024-03-31"}}), {}, {"x_d", "b", "a"}, {"2024-03-05|43|8000", "2024-03-20|5|1000.25"},
                 -1, {}, {Type::DateTime, Type::Currency, Type::Currency}, true});
    c.push_back({"flow_expenditure", kDetail + "Z'", params({{"s_date", "2024/3/5"}}), {}, {"项目", "收付款人", "金额", "账户", "备注"},
                 {"早餐|爸爸|12.5|现金|豆浆油条", "午餐|妈妈|30|银行卡|", "打车|爸爸|0.5|现金|Tom's"}});
    c.push_back({"flow_income", kDetail + "S'", params({{"s_date", "2024/3/5"}}), {}, {"项目", "收付款人", "金额", "账户", "备注"},
                 {"工资|爸爸|8000|银行卡|"}});
    c.push_back({"category_expenditure", kCategoryReport + "Z')\nGROUP BY s_z_all.f_name;",
                 params({{"t1", "2024-03-01"}, {"t2", "2024-03-31"}}), {}, {"项目", "金额"}, {"早餐|20.8", "午餐|30", "打车|0.5", "|5"}, -1, {},
                 {Type::Text, Type::Currency}, true});
    c.push_back({"category_income", kCategoryReport + "S')\nGROUP BY s_z_all.f_name;",
                 params({{"t1", "2024-03-01"}, {"t2", "2024-03-31"}}), {}, {"项目", "金额"}, {"工资|8000", "奖金|1000.25"}, -1, {}, {},
                 true});
    c.push_back({"person_report",
                 "SELECT ren_s.s_month, ren_s.s_Xjine, ren_z.s_Xjine, ren_z.sys_name\n"
                 "FROM ren_s INNER JOIN ren_z ON ren_s.sys_name = ren_z.sys_name where ren_s.s_month between :t1 and :t2;",
                 params({{"t1", "2024-02-01"}, {"t2", "2024-03-31"}}), {}, {"s_month", "ren_s.s_Xjine", "ren_z.s_Xjine", "sys_name"},
                 {"2024-03|8000|21.3|爸爸", "2024-03|1000.25|45.67|妈妈", "2024-03|1000.25|30|妈妈"}, -1, {},
                 {Type::Text, Type::Currency, Type::Currency, Type::Text}, true});
    return c;
}

class ProgramStatement : public testing::TestWithParam<StatementCase> {};

TEST_P(ProgramStatement, GivesTheRightRows)
{
    const StatementCase& c = GetParam();
    LedgerFixture f;
    seed(f);
    for (const std::string& s : c.setup)
        f.db().execute(s);
    std::vector<std::string> actual;
    if (c.affected < 0) {
        const ledger::ResultSet r = f.db().select(c.text, c.params);
        if (!c.columns.empty()) {
            EXPECT_EQ(testsupport::fieldNames(r.fields), c.columns) << c.text;
        }
        for (size_t i = 0; i < c.types.size() && i < r.fields.size(); ++i)
            EXPECT_EQ(r.fields[i].type.type, c.types[i]) << "column " << r.fields[i].name << " of " << c.text;
        if (c.rows.empty() && (c.text.find(" * ") != std::string::npos))
            return; // only the names matter
        actual = testsupport::rowTexts(r.rows);
    } else {
        EXPECT_EQ(f.db().execute(c.text, c.params), c.affected) << c.text;
        actual = testsupport::rowTexts(f.db().select(c.check).rows);
    }
    std::vector<std::string> expected = c.rows;
    if (c.unordered) {
        std::sort(actual.begin(), actual.end());
        std::sort(expected.begin(), expected.end());
    }
    EXPECT_EQ(actual, expected) << c.text;
}

INSTANTIATE_TEST_SUITE_P(AsThePagesIssueThem, ProgramStatement, testing::ValuesIn(cases()),
                         [](const testing::TestParamInfo<StatementCase>& info) { return std::string(info.param.name); });

} // namespace
