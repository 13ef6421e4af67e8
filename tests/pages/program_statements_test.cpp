// Every statement the pages issue, as their builders write it, run on a
// small seeded household: the right rows, names, types and sums. Where a
// builder mends a text, the text it replaces is a case of its own, so both
// are shown to run and what changed shows in the rows.

#include "ledger_fixture.h"

#include "pages/accounts_statements.h"
#include "pages/budgets_statements.h"
#include "pages/categories_statements.h"
#include "pages/entry_statements.h"
#include "pages/loans_statements.h"
#include "pages/reports_statements.h"
#include "pages/sign_in_statements.h"
#include "pages/transfers_statements.h"
#include "pages/users_statements.h"

#include "ledger/account_totals.h"
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
    std::vector<std::string> setup; // run first
    std::vector<std::string> columns; // expected field names (select)
    std::vector<std::string> rows; // expected rows (select), or rows of `check`
    int64_t affected = -1; // expected rows affected (change)
    std::string check; // a select run after a change
    std::vector<Type> types; // expected field types, when given
    bool unordered = false; // the statement asks for no order
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
    f.setBudget(1, "1500", "饭钱");
}

const std::vector<std::string> kDayColumns = {"编号", "时间", "项目", "收付款人", "金额", "账户", "备注"};
const std::vector<std::string> kLoanColumns = {"id",   "j_class",    "日期", "z_id",   "借出金额", "已还金额",
                                               "余额", "预计回收期", "借给", "借款人", "备注"};

ledger::DateTime day(int y, int m, int d)
{
    return *ledger::DateTime::make(y, m, d);
}

pages::RecordValues record(const char* item, const char* amount, const char* note, const ledger::DateTime& on)
{
    return {*pages::RowId::parse(item), *pages::TypedAmount::parse(amount), pages::RowId(2), note, pages::RowId(1), on};
}

// The passes of the account totals, statement by statement.
const std::string& pass(const std::vector<std::string>& statements, size_t step)
{
    return statements.at(step);
}

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
    using namespace pages;
    const auto& loans = ledger::loanTotalsPass();
    const auto& transfers = ledger::transferTotalsPass();
    const ClassCode Z = ClassCode::Expenditure;
    std::vector<StatementCase> c;
    // Start-up and sign-in
    c.push_back({"settings_probe", kSettingsProbe, {}, {}, {"id", "isji", "isuser", "ispwd", "skinx"}, {"1|0|||晴空"}});
    c.push_back({"user_list", kUserList, {}, {}, {"id", "sys_name", "sys_pwd"}, {"1|管理员|", "2|爸爸|abc", "3|妈妈|Abc "}});
    c.push_back({"settings_row", kSettingsRow, {}, {}, {"id", "isji", "isuser", "ispwd", "skinx"}, {"1|0|||晴空"}});
    c.push_back({"sign_in_lookup", userByName("爸爸"), {}, {}, {"id", "sys_name", "sys_pwd"}, {"2|爸爸|abc"}});
    c.push_back(
        {"remember_me", rememberSignIn("爸爸", "abc"), {}, {}, {}, {"1|爸爸|abc"}, 1, "select isji, isuser, ispwd from sys_sys"});
    c.push_back({"forget_me",
                 forgetSignIn(),
                 {},
                 {"update sys_sys set isji=1, isuser='x', ispwd='p' where id=1"},
                 {},
                 {"0|x|"},
                 1,
                 "select isji, isuser, ispwd from sys_sys"});
    c.push_back({"forget_me_keeping_the_password",
                 "update sys_sys set  isji=0 where id =1 ",
                 {},
                 {"update sys_sys set isji=1, isuser='x', ispwd='p' where id=1"},
                 {},
                 {"0|x|p"},
                 1,
                 "select isji, isuser, ispwd from sys_sys"});
    // System users
    c.push_back({"users_grid", kUsersList, {}, {}, {"id", "用户名", "密码"}, {"1|管理员|", "2|爸爸|abc", "3|妈妈|Abc "}});
    c.push_back({"user_delete", deleteUser(RowId(3)), {}, {}, {}, {"1", "2"}, 1, "select id from s_user"});
    // Income and expenditure entry
    c.push_back({"day_list",
                 dayList(Z, day(2024, 3, 5)),
                 {},
                 {},
                 kDayColumns,
                 {"1|2024-03-05|早餐|爸爸|12.5|现金|豆浆油条", "2|2024-03-05|午餐|妈妈|30|银行卡|",
                  "3|2024-03-05|打车|爸爸|0.5|现金|Tom's"},
                 -1,
                 {},
                 {Type::Long, Type::DateTime, Type::Text, Type::Text, Type::Currency, Type::Text, Type::Text}});
    c.push_back({"day_list_missing_names", dayList(Z, day(2024, 3, 20)), {}, {}, kDayColumns, {"9|2024-03-20|||5||"}});
    c.push_back({"item_search", itemSearch(Z, "ZC"), {}, {}, {"项目", "助记码", "f_id"}, {"早餐|zc|1"}});
    c.push_back({"item_search_null_code", itemSearch(Z, "餐饮"), {}, {}, {"项目", "助记码", "f_id"}, {}});
    c.push_back({"item_list",
                 itemList(ClassCode::Income),
                 {},
                 {},
                 {"项目", "助记码", "f_id"},
                 {"工资|gz|4", "奖金|jj|4", "加班费|jbf|4", "利息|lx|40", "理财收益|lcsy|40", "礼金收入|ljsr|40", "兼职|jz|40"}});
    c.push_back({"payer_list", kPayers, {}, {}, {"id", "sys_name", "sys_pwd"}, {"1|管理员|", "2|爸爸|abc", "3|妈妈|Abc "}});
    c.push_back({"account_list", kAccounts, {}, {}, {}, {}});
    c.push_back({"item_by_name", itemIdByName("早餐", Z), {}, {}, {"id"}, {"2"}});
    c.push_back({"item_by_name_of_another_class", itemIdByName("工资", Z), {}, {}, {"id"}, {}});
    c.push_back({"item_by_name_in_any_class", "Select id from s_fenlei where f_name=\"工资\"", {}, {}, {"id"}, {"5"}});
    c.push_back({"record_update",
                 updateRecord(record("3", "12.5", "改过", day(2024, 3, 5)), RowId(1)),
                 {},
                 {},
                 {},
                 {"3|12.5|改过|2024-03-05|Z"},
                 1,
                 "select f_fenleiid, s_jine, s_other, s_date, f_class from s_shouru where id=1"});
    c.push_back({"record_insert",
                 insertRecord(record("2", "0.5", "", day(2024, 3, 7)), Z),
                 {},
                 {},
                 {},
                 {"10|2|0.5|2||1|2024-03-07|Z"},
                 1,
                 "select * from s_shouru where id=10"});
    c.push_back({"record_delete", deleteRecord(RowId(2)), {}, {}, {}, {"0"}, 1, "select count(*) from s_shouru where id=2"});
    // Item budget panel and chart
    c.push_back({"budget_category", categoryName(RowId(1)), {}, {}, {"f_name"}, {"餐饮美食"}});
    c.push_back({"budget_amount", categoryBudget(RowId(1)), {}, {}, {"y_money"}, {"1500"}, -1, {}, {Type::Currency}});
    c.push_back({"category_spending",
                 categorySpending(RowId(1), day(2024, 3, 1), day(2024, 3, 31)),
                 {},
                 {},
                 {"a"},
                 {"50.8"},
                 -1,
                 {},
                 {Type::Currency}});
    c.push_back({"month_total",
                 "Select sum(s_jine) as a from s_shouru where  s_date between #2024-03-01#    and  #2024-03-31#",
                 {},
                 {},
                 {"a"},
                 {"9056.55"},
                 -1,
                 {},
                 {Type::Currency}});
    c.push_back(
        {"last_month_income", lastMonthIncome(ClassCode::Income, day(2024, 2, 1), day(2024, 2, 29)), {}, {}, {"a"}, {"8000"}});
    c.push_back({"month_income_to_date",
                 monthIncomeToDate(ClassCode::Income, day(2024, 3, 1), day(2024, 3, 15)),
                 {},
                 {},
                 {"a"},
                 {"8000"}});
    c.push_back({"empty_month", monthIncomeToDate(ClassCode::Income, day(2023, 3, 1), day(2023, 3, 15)), {}, {}, {"a"}, {""}});
    c.push_back({"chart",
                 kChartTotals,
                 params({{"fenlei", "Z"}}),
                 {},
                 {"aaa", "s_date"},
                 {"5|2024-03-20", "8.3|2024-03-06", "43|2024-03-05", "45.67|2024-02-28"},
                 -1,
                 {},
                 {Type::Currency, Type::DateTime}});
    c.push_back({"chart_of_the_earliest_days",
                 "select top 7 sum(s_jine) as aaa ,s_date from s_z_all where f_class =:fenlei group by s_date ",
                 params({{"fenlei", "Z"}}),
                 {},
                 {"aaa", "s_date"},
                 {"45.67|2024-02-28", "43|2024-03-05", "8.3|2024-03-06", "5|2024-03-20"},
                 -1,
                 {},
                 {Type::Currency, Type::DateTime}});
    // Accounts and the totals passes
    c.push_back({"accounts_grid",
                 kAccountsList,
                 {},
                 {},
                 {"编号", "账户名称", "起始金额", "收入\u3000", "支出", "借入", "借出", "转入", "转出", "余额", "备注"},
                 {"1|现金|0|0|0|0|0|0|0|0|", "2|银行卡|0|0|0|0|0|0|0|0|", "3|信用卡|0|0|0|0|0|0|0|0|"}});
    c.push_back({"account_delete", deleteAccount(RowId(3)), {}, {}, {}, {"1", "2"}, 1, "select id from z_zhanghu"});
    c.push_back({"records_on_account", recordsOnAccount(RowId(2)), {}, {}, {"n"}, {"4"}});
    c.push_back({"loans_on_account", loansOnAccount(RowId(2)), {}, {}, {"n"}, {"2"}});
    c.push_back({"transfers_on_account", transfersOnAccount(RowId(2)), {}, {}, {"n"}, {"2"}});
    c.push_back({"loan_totals_cleared",
                 pass(loans, 0),
                 {},
                 {"update z_zhanghu set z_jieru=5, z_jiechu=6"},
                 {},
                 {"0|0", "0|0", "0|0"},
                 3,
                 "select z_jieru, z_jiechu from z_zhanghu"});
    c.push_back({"loan_sum_borrowed", pass(loans, 1), {}, {}, {}, {"800|1"}, 1, "select xmoney, xid from xtablex"});
    c.push_back({"loan_update_borrowed",
                 pass(loans, 2),
                 {},
                 {pass(loans, 1)},
                 {},
                 {"1|800", "2|0", "3|0"},
                 1,
                 "select id, z_jieru from z_zhanghu"});
    c.push_back({"scratch_empty", pass(loans, 3), {}, {pass(loans, 1)}, {}, {"0"}, 1, "select count(*) from xtablex"});
    c.push_back({"loan_sum_lent", pass(loans, 4), {}, {}, {}, {"500|2"}, 1, "select xmoney, xid from xtablex"});
    c.push_back({"loan_update_lent",
                 pass(loans, 5),
                 {},
                 {pass(loans, 4)},
                 {},
                 {"1|0", "2|500", "3|0"},
                 1,
                 "select id, z_jiechu from z_zhanghu"});
    c.push_back({"transfer_totals_cleared",
                 pass(transfers, 0),
                 {},
                 {"update z_zhanghu set z_zhuanru=5"},
                 {},
                 {"0|0", "0|0", "0|0"},
                 3,
                 "select z_zhuanru, z_zhuanchu from z_zhanghu"});
    c.push_back({"transfer_sum_in", pass(transfers, 1), {}, {}, {}, {"100|2", "50.5|3"}, 2, "select xmoney, xid from xtablex"});
    c.push_back({"transfer_update_in",
                 pass(transfers, 2),
                 {},
                 {pass(transfers, 1)},
                 {},
                 {"1|0", "2|100", "3|50.5"},
                 2,
                 "select id, z_zhuanru from z_zhanghu"});
    c.push_back(
        {"scratch_empty_semicolon", pass(transfers, 3), {}, {pass(transfers, 1)}, {}, {"0"}, 2, "select count(*) from xtablex"});
    c.push_back({"transfer_sum_out", pass(transfers, 4), {}, {}, {}, {"100|1", "50.5|2"}, 2, "select xmoney, xid from xtablex"});
    c.push_back({"transfer_update_out",
                 pass(transfers, 5),
                 {},
                 {pass(transfers, 4)},
                 {},
                 {"1|100", "2|50.5", "3|0"},
                 2,
                 "select id, z_zhuanchu from z_zhanghu"});
    // Categories and quick codes
    c.push_back({"categories",
                 kCategoriesList,
                 categoriesOf(ClassCode::Income),
                 {},
                 {"id", "f_class", "项目名称"},
                 {"4|S|工资薪金", "40|S|其他收入"}});
    c.push_back({"items",
                 kItemsList,
                 itemsOf(RowId(11)),
                 {},
                 {"id", "f_id", "f_class", "项目名称", "快速代码"},
                 {"12|11|Z|公交地铁|gjdt", "13|11|Z|打车|dc", "14|11|Z|加油|jy", "15|11|Z|停车费|tcf"}});
    c.push_back(
        {"items_of_no_category", kItemsList, itemsOf(std::nullopt), {}, {"id", "f_id", "f_class", "项目名称", "快速代码"}, {}});
    c.push_back(
        {"category_delete", deleteFromCategories(RowId(11)), {}, {}, {}, {"0"}, 1, "select count(*) from s_fenlei where id=11"});
    c.push_back({"budget_delete", deleteCategoryBudget(RowId(11)), {}, {}, {}, {"8"}, 1, "select count(*) from s_yushuan"});
    c.push_back({"budget_rows",
                 kAddMissingBudgets,
                 {},
                 {"insert into s_fenlei (f_class, f_name) values ('Z', '宠物')",
                  "insert into s_fenlei (f_class, f_name) values ('S', '租金')"},
                 {},
                 {"10|45|0|"},
                 1,
                 "select * from s_yushuan where id=10"});
    // Loans and transfers
    c.push_back({"loans",
                 kLoansList,
                 loansOf(Z),
                 {},
                 kLoanColumns,
                 {"2|Z|2024-01-01|2|500|0|500||||", "3|Z|2024-01-01|2|300|300|0||||"}});
    c.push_back({"loans_unsettled", kUnsettledLoansList, loansOf(Z), {}, kLoanColumns, {"2|Z|2024-01-01|2|500|0|500||||"}});
    c.push_back({"account_names", kAccountNames, {}, {}, {"id", "账户"}, {"1|现金", "2|银行卡", "3|信用卡"}});
    c.push_back({"loan_delete", deleteLoan(RowId(3)), {}, {}, {}, {"2"}, 1, "select count(*) from s_jie"});
    c.push_back({"transfers_dates",
                 kTransfersList,
                 transfersBetween(day(2024, 3, 5), day(2024, 3, 6)),
                 {},
                 {"id", "zh1", "zh2", "转账时间", "转账金额", "备注"},
                 {"1|1|2|2024-03-05|100|", "2|2|3|2024-03-06|50.5|"}});
    c.push_back({"transfers_texts",
                 kTransfersList,
                 params({{"t1", "2024-03-05"}, {"t2", "2024-03-05"}}),
                 {},
                 {"id", "zh1", "zh2", "转账时间", "转账金额", "备注"},
                 {"1|1|2|2024-03-05|100|"}});
    c.push_back({"transfer_delete", deleteTransfer(RowId(2)), {}, {}, {}, {"1"}, 1, "select count(*) from s_zhanghistory"});
    // Budgets
    c.push_back({"budget_comparison",
                 kBudgetComparison,
                 budgetMonth(2024, 3),
                 {},
                 {"f_name", "xxmoney", "y_money", "y_x"},
                 {"餐饮美食|50.8|1500|饭钱", "交通出行|0.5|0|"},
                 -1,
                 {},
                 {Type::Text, Type::Currency, Type::Currency, Type::Text},
                 true});
    c.push_back({"budget_comparison_by_year_and_month",
                 "SELECT s_ys_2.f_name, s_ys_2.xxmoney, s_yushuan.y_money, s_yushuan.y_x\n"
                 "FROM s_yushuan INNER JOIN (SELECT s_ys.xid, s_ys.f_name, Sum(s_ys.s_jine) AS xxmoney\n"
                 "FROM s_ys where year(s_date)=:xyear and month(s_date)=:xmonth\n"
                 "GROUP BY s_ys.xid, s_ys.f_name\n"
                 ") s_ys_2 ON s_yushuan.f_id = s_ys_2.xid;",
                 params({{"xyear", "2024"}, {"xmonth", "3"}}),
                 {},
                 {"f_name", "xxmoney", "y_money", "y_x"},
                 {"餐饮美食|50.8|1500|饭钱", "交通出行|0.5|0|"},
                 -1,
                 {},
                 {Type::Text, Type::Currency, Type::Currency, Type::Text},
                 true});
    c.push_back({"budget_comparison_of_the_month_after",
                 kBudgetComparison,
                 budgetMonth(2024, 2),
                 {},
                 {"f_name", "xxmoney", "y_money", "y_x"},
                 {"交通出行|45.67|0|"}});
    c.push_back({"budget_grid", kBudgetRows, {}, {}, {"id", "f_id", "y_money", "y_x"}, {}});
    c.push_back({"budget_names",
                 kBudgetCategoryNames,
                 {},
                 {},
                 {"id", "项目名称"},
                 {"1|餐饮美食", "11|交通出行", "16|居家生活", "21|通讯网络", "24|休闲娱乐", "28|医疗保健", "31|学习教育",
                  "34|人情往来", "37|服饰美容"}});
    // Reports
    c.push_back({"daily_flow",
                 kDailyFlow,
                 flowPeriod(day(2024, 3, 1), day(2024, 3, 31)),
                 {},
                 {"x_d", "b", "a"},
                 {"2024-03-05|43|8000", "2024-03-06|8.3|0", "2024-03-20|5|1000.25"},
                 -1,
                 {},
                 {Type::DateTime, Type::Currency, Type::Currency}});
    c.push_back(
        {"daily_flow_of_days_with_both_classes",
         "SELECT s_yyy.x_d, s_xxx.b,s_yyy.a\n"
         "FROM (select s_shouru.s_date as x_d,sum(s_shouru.s_jine) as a from s_shouru where f_class='S' group by s_date) s_yyy "
         "INNER JOIN (select s_shouru.s_date as xx,sum(s_shouru.s_jine) as b   from s_shouru where f_class='Z' group by s_date) "
         "s_xxx ON (s_yyy.x_d = s_xxx.xx) where s_yyy.x_d between :s1 and :s2;",
         params({{"s1", "2024-03-01"}, {"s2", "2024-03-31"}}),
         {},
         {"x_d", "b", "a"},
         {"2024-03-05|43|8000", "2024-03-20|5|1000.25"},
         -1,
         {},
         {Type::DateTime, Type::Currency, Type::Currency},
         true});
    c.push_back({"flow_expenditure",
                 flowDetails(Z),
                 flowDay(day(2024, 3, 5)),
                 {},
                 {"项目", "收付款人", "金额", "账户", "备注"},
                 {"早餐|爸爸|12.5|现金|豆浆油条", "午餐|妈妈|30|银行卡|", "打车|爸爸|0.5|现金|Tom's"}});
    c.push_back({"flow_income",
                 flowDetails(ClassCode::Income),
                 flowDay(day(2024, 3, 5)),
                 {},
                 {"项目", "收付款人", "金额", "账户", "备注"},
                 {"工资|爸爸|8000|银行卡|"}});
    c.push_back({"category_expenditure",
                 categoryReport(Z),
                 reportPeriod(day(2024, 3, 1), day(2024, 3, 31)),
                 {},
                 {"项目", "金额"},
                 {"早餐|20.8", "午餐|30", "打车|0.5", "|5"},
                 -1,
                 {},
                 {Type::Text, Type::Currency},
                 true});
    c.push_back({"category_income",
                 categoryReport(ClassCode::Income),
                 reportPeriod(day(2024, 3, 1), day(2024, 3, 31)),
                 {},
                 {"项目", "金额"},
                 {"工资|8000", "奖金|1000.25"},
                 -1,
                 {},
                 {},
                 true});
    c.push_back(
        {"category_report_over_every_record_of_the_view",
         "SELECT f_name AS 项目, Sum(s_jine) AS 金额\nFROM s_z_all\nWHERE (s_date Between :t1 And :t2) and( f_class='Z')\n"
         "GROUP BY s_z_all.f_name;",
         reportPeriod(day(2024, 3, 1), day(2024, 3, 31)),
         {},
         {"项目", "金额"},
         {"早餐|20.8", "午餐|30", "打车|0.5", "|5"},
         -1,
         {},
         {Type::Text, Type::Currency},
         true});
    c.push_back({"person_report",
                 kPersonReport,
                 personMonths(day(2024, 2, 15), day(2024, 3, 10)),
                 {},
                 {"sys_name", "s_month", "收入", "支出"},
                 {"爸爸|2024-02|8000|0", "爸爸|2024-03|8000|21.3", "妈妈|2024-02|0|45.67", "妈妈|2024-03|1000.25|30"},
                 -1,
                 {},
                 {Type::Text, Type::Text, Type::Currency, Type::Currency}});
    c.push_back(
        {"person_report_of_two_users_named_alike",
         kPersonReport,
         personMonths(day(2024, 2, 1), day(2024, 3, 31)),
         {"insert into s_user (sys_name) values ('爸爸')",
          "insert into s_shouru (f_fenleiid,s_jine,s_userid,s_zhanghuid,s_date,f_class) values (2,7,4,1,'2024-02-03','Z')"},
         {"sys_name", "s_month", "收入", "支出"},
         {"爸爸|2024-02|8000|0", "爸爸|2024-03|8000|21.3", "妈妈|2024-02|0|45.67", "妈妈|2024-03|1000.25|30",
          "爸爸|2024-02|0|7"}});
    c.push_back({"person_report_of_a_reversed_period",
                 kPersonReport,
                 personMonths(day(2024, 3, 20), day(2024, 3, 5)),
                 {},
                 {"sys_name", "s_month", "收入", "支出"},
                 {}});
    c.push_back({"person_report_joined_on_the_user_only",
                 "SELECT ren_s.s_month, ren_s.s_Xjine, ren_z.s_Xjine, ren_z.sys_name\n"
                 "FROM ren_s INNER JOIN ren_z ON ren_s.sys_name = ren_z.sys_name where ren_s.s_month between :t1 and :t2;",
                 params({{"t1", "2024-02-01"}, {"t2", "2024-03-31"}}),
                 {},
                 {"s_month", "ren_s.s_Xjine", "ren_z.s_Xjine", "sys_name"},
                 {"2024-03|8000|21.3|爸爸", "2024-03|1000.25|45.67|妈妈", "2024-03|1000.25|30|妈妈"},
                 -1,
                 {},
                 {Type::Text, Type::Currency, Type::Currency, Type::Text},
                 true});
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
