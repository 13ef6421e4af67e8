// The type of every result column of every statement the pages issue, as
// their builders write it, from the binder alone: no database is opened.
// A grid formats by these types (money as ￥#.00, dates in the short form),
// so a wrongly inferred type would show the wrong text even where SQLite's
// loose typing returns the right value.

#include "ledger_catalog.h"

#include "pages/accounts_statements.h"
#include "pages/budgets_statements.h"
#include "pages/categories_statements.h"
#include "pages/entry_statements.h"
#include "pages/loans_statements.h"
#include "pages/reports_statements.h"
#include "pages/sign_in_statements.h"
#include "pages/transfers_statements.h"
#include "pages/users_statements.h"

#include "ledger/jet/translation.h"

#include <gtest/gtest.h>

using namespace pages;

namespace {

std::string columns(const std::string& statement)
{
    return testsupport::resultTypes(statement);
}

TEST(StatementTypes, EveryResultColumnOfEveryStatementThePagesIssue)
{
    const auto Z = ClassCode::Expenditure;
    const auto S = ClassCode::Income;
    const ledger::DateTime d = *ledger::DateTime::make(2024, 3, 5);
    const std::string settings = "id:long, isji:long, isuser:text255, ispwd:text255, skinx:text255";
    const std::string user = "id:long, sys_name:text50, sys_pwd:text255";
    const std::string items = "项目:text50, 助记码:text255, f_id:long";
    const std::string details = "项目:text50, 收付款人:text50, 金额:money, 账户:text255, 备注:text255";
    const std::pair<std::string, std::string> cases[] = {
        {kSettingsProbe, settings},
        {kSettingsRow, settings},
        {kUserList, user},
        {userByName("爸爸"), user},
        {kUsersList, "id:long, 用户名:text50, 密码:text255"},
        {dayList(Z, d), "编号:long, 时间:date, 项目:text50, 收付款人:text50, 金额:money, 账户:text255, 备注:text255"},
        {itemSearch(Z, "zc"), items},
        {itemList(S), items},
        {itemIdByName("早餐", Z), "id:long"},
        {kPayers, user},
        {categoryName(RowId(1)), "f_name:text50"},
        {categoryBudget(RowId(1)), "y_money:money"},
        {categorySpending(RowId(1), d, d), "a:money"},
        {lastMonthIncome(S, d, d), "a:money"},
        {monthIncomeToDate(S, d, d), "a:money"},
        {kChartTotals, "aaa:money, s_date:date"},
        {kAccountsList, "编号:long, 账户名称:text255, 起始金额:money, 收入\u3000:money, 支出:money, 借入:money, 借出:money, "
                        "转入:money, 转出:money, 余额:money, 备注:text255"},
        {recordsOnAccount(RowId(1)), "n:long"},
        {loansOnAccount(RowId(1)), "n:long"},
        {transfersOnAccount(RowId(1)), "n:long"},
        {kCategoriesList, "id:long, f_class:text255, 项目名称:text50"},
        {kItemsList, "id:long, f_id:long, f_class:text255, 项目名称:text50, 快速代码:text255"},
        {kLoansList, "id:long, j_class:text50, 日期:date, z_id:long, 借出金额:money, 已还金额:money, 余额:money, "
                     "预计回收期:date, 借给:text50, 借款人:text50, 备注:text250"},
        {kUnsettledLoansList, "id:long, j_class:text50, 日期:date, z_id:long, 借出金额:money, 已还金额:money, 余额:money, "
                              "预计回收期:date, 借给:text50, 借款人:text50, 备注:text250"},
        {kAccountNames, "id:long, 账户:text255"},
        {kTransfersList, "id:long, zh1:long, zh2:long, 转账时间:date, 转账金额:money, 备注:text250"},
        {kBudgetComparison, "f_name:text50, xxmoney:money, y_money:money, y_x:text50"},
        {kBudgetRows, "id:long, f_id:long, y_money:money, y_x:text50"},
        {kBudgetCategoryNames, "id:long, 项目名称:text50"},
        {kDailyFlow, "x_d:date, b:money, a:money"},
        {flowDetails(Z), details},
        {flowDetails(S), details},
        {categoryReport(Z), "项目:text50, 金额:money"},
        {categoryReport(S), "项目:text50, 金额:money"},
        {kPersonReport, "sys_name:text50, s_month:text255, 收入:money, 支出:money"},
    };
    for (const auto& [statement, expected] : cases)
        EXPECT_EQ(columns(statement), expected) << statement;
}

} // namespace
