// The accounts page: the accounts with their totals, added, edited and
// saved in one go, deleted by the account last clicked with the mouse.

#include "page_harness.h"
#include "screenshots.h"

#include "ledger/account_totals.h"
#include "mainwindow/accounts/accounts_page.h"
#include "widgets/data_grid.h"

#include <QHeaderView>
#include <QLabel>
#include <QTest>
#include <gtest/gtest.h>

using Kind = testsupport::ScriptedMessageBoxes::Kind;

namespace {

constexpr const char* kGrid = "DBGridEh3";

class AccountsPageTest : public testing::Test {
protected:
    void SetUp() override { h.enter(); }

    QString selected() { return h.find<QLabel>("Label23")->text(); }
    std::vector<std::string> accounts() { return h.household().rows("select id, z_name, z_qcje, z_yue from z_zhanghu"); }
    QString shown(int row, const char* column) { return h.cell(kGrid, row, QString::fromUtf8(column)); }
    bool pending() { return h.grid(kGrid)->query()->hasPendingChanges(); }
    void answer(bool ok) { h.boxes.answer(ok); }
    void deleteSelected(bool ok = true)
    {
        answer(ok);
        h.click("Button28");
    }
    void save(bool ok = true)
    {
        answer(ok);
        h.click("Button9");
    }
    // The arrow keys move the current row without a click.
    void keyDown()
    {
        h.grid(kGrid)->view()->setFocus();
        QTest::keyClick(h.grid(kGrid)->view(), Qt::Key_Down);
    }

    testsupport::PageHarness<mainwindow::AccountsPage> h;
};

// ---- what the grid shows ---------------------------------------------------------------

TEST_F(AccountsPageTest, TheGridShowsEveryAccountWithItsTotalsAsMoney)
{
    h.household().addAccount("工资卡", "12000.5");
    h.db().execute("update z_zhanghu set z_jieru=300, z_yue=12300.5 where id=4"); // as a pass left them
    h.db().execute("update z_zhanghu set z_qcje=123456.78, z_yue=99999.99 where id=2");
    h.enter();
    widgets::DataGrid* grid = h.grid(kGrid);
    const QStringList titles = h.titles(kGrid);
    EXPECT_EQ(titles.join(','), QStringLiteral("账户名称,起始金额,收入\u3000,支出,借入,借出,转入,转出,余额,备注"));
    EXPECT_TRUE(grid->view()->isColumnHidden(0)) << "编号";
    int total = 0;
    for (int c = 1; c <= 10; ++c)
        total += grid->view()->columnWidth(c);
    EXPECT_EQ(total, grid->view()->viewport()->width()) << "the columns fill the grid";
    // A balance of six digits shows whole, not cut off.
    const int needed = grid->view()->fontMetrics().horizontalAdvance(QStringLiteral("￥123456.78")) + 6;
    for (int c = 2; c <= 9; ++c)
        EXPECT_GE(grid->view()->columnWidth(c), needed) << titles[c - 1].toStdString();
    EXPECT_GE(grid->view()->columnWidth(1), grid->view()->fontMetrics().horizontalAdvance(QStringLiteral("招商银行卡")) + 6);
    EXPECT_EQ(grid->view()->verticalHeader()->defaultSectionSize(), 25);
    EXPECT_EQ(h.columnTexts(kGrid, QStringLiteral("账户名称")).join(','), QStringLiteral("现金,银行卡,信用卡,工资卡"));
    EXPECT_EQ(shown(3, "起始金额"), QStringLiteral("￥12000.50"));
    EXPECT_EQ(shown(3, "借入"), QStringLiteral("￥300.00")) << "opening the page shows the totals as stored";
    EXPECT_EQ(shown(3, "余额"), QStringLiteral("￥12300.50"));
    EXPECT_EQ(shown(0, "转出"), QStringLiteral("￥.00"));
    for (const char* column : {"收入\u3000", "支出", "借入", "借出", "转入", "转出", "余额"})
        EXPECT_FALSE(grid->model()->flags(grid->model()->index(0, grid->model()->columnOf(QString::fromUtf8(column)))) &
                     Qt::ItemIsEditable)
            << column;
    for (const char* column : {"账户名称", "起始金额", "备注"})
        EXPECT_TRUE(grid->model()->flags(grid->model()->index(0, grid->model()->columnOf(QString::fromUtf8(column)))) &
                    Qt::ItemIsEditable)
            << column;
    EXPECT_EQ(h.find("Button27")->y(), h.find("Button28")->y()) << "增加 删除 保存 in one bar above the grid";
    EXPECT_LT(h.find("Button27")->mapTo(h.window(), QPoint()).y(), grid->mapTo(h.window(), QPoint()).y());
    testsupport::saveScreenshot(h.window(), QStringLiteral("accounts-page"));
}

// ---- deleting ------------------------------------------------------------------------------

TEST_F(AccountsPageTest, DeleteTakesTheAccountLastClickedNotTheCurrentRow)
{
    EXPECT_EQ(selected(), QStringLiteral("0"));
    keyDown();
    EXPECT_EQ(h.grid(kGrid)->query()->currentRow(), 1);
    EXPECT_EQ(selected(), QStringLiteral("0")) << "the keyboard selects no account";
    h.select(kGrid, 1);
    EXPECT_EQ(selected(), QStringLiteral("2"));
    keyDown();
    ASSERT_EQ(h.grid(kGrid)->query()->currentRow(), 2);
    deleteSelected();
    EXPECT_EQ(h.boxes.texts(), std::vector<QString>{QStringLiteral("是否确定删除？")});
    EXPECT_EQ(h.household().rows("select z_name from z_zhanghu"), (std::vector<std::string>{"现金", "信用卡"}));
    EXPECT_EQ(h.columnTexts(kGrid, QStringLiteral("账户名称")).join(','), QStringLiteral("现金,信用卡"));
    EXPECT_EQ(selected(), QStringLiteral("0"));
}

TEST_F(AccountsPageTest, ASecondDeleteWithoutANewClickIsRefused)
{
    h.select(kGrid, 2);
    deleteSelected();
    h.boxes.clear();
    h.click("Button28");
    ASSERT_EQ(h.boxes.shown().size(), 1u);
    EXPECT_EQ(h.boxes.shown()[0].kind, Kind::Refusal);
    EXPECT_EQ(h.boxes.shown()[0].text, QStringLiteral("对不起，请先选择要删除的记录"));
    EXPECT_EQ(accounts().size(), 2u);
}

TEST_F(AccountsPageTest, NothingClickedOrAnUnsavedRowClickedGivesNothingToDelete)
{
    h.click("Button28");
    h.click("Button27");
    h.typeIntoCell(kGrid, 3, QStringLiteral("账户名称"), QStringLiteral("新卡"));
    h.select(kGrid, 3);
    EXPECT_EQ(selected(), QString()) << "an unsaved row has no number yet";
    h.click("Button28");
    EXPECT_EQ(h.boxes.texts(), (std::vector<QString>(2, QStringLiteral("对不起，请先选择要删除的记录"))));
    EXPECT_EQ(h.boxes.shown().back().kind, Kind::Refusal);
    EXPECT_EQ(h.rowCount(kGrid), 4) << "the new row is still there";
}

TEST_F(AccountsPageTest, ADeleteReadsTheListAgainAndDropsAnAppendedRow)
{
    h.select(kGrid, 2);
    h.click("Button27");
    h.typeIntoCell(kGrid, 3, QStringLiteral("账户名称"), QStringLiteral("新卡"));
    deleteSelected(false);
    EXPECT_EQ(h.rowCount(kGrid), 4) << "Cancel deletes nothing and reloads nothing";
    EXPECT_EQ(accounts().size(), 3u);
    deleteSelected();
    EXPECT_EQ(h.columnTexts(kGrid, QStringLiteral("账户名称")).join(','), QStringLiteral("现金,银行卡"));
    EXPECT_FALSE(pending());
    EXPECT_EQ(h.household().scalar("select count(*) from z_zhanghu where z_name='新卡'"), "0");
}

// A deleted account's records, loans and transfers keep its number: the
// question says so before it is too late.
TEST_F(AccountsPageTest, TheDeleteQuestionCountsWhatStillNamesTheAccount)
{
    h.household().addRecord("Z", 2, "12.5", "2024-03-05", 1, 2);
    h.household().addRecord("S", 5, "8000", "2024-03-05", 1, 2);
    h.household().addLoan("Z", 2, "500", "0");
    h.household().addTransfer(1, 2, "100", "2024-03-05");
    h.select(kGrid, 2);
    deleteSelected(false);
    h.select(kGrid, 1);
    deleteSelected();
    EXPECT_EQ(h.boxes.texts(),
              (std::vector<QString>{QStringLiteral("是否确定删除？"),
                                    QStringLiteral("是否确定删除？\n该账户还有 2 条收支记录、1 笔借贷、1 笔转账。")}));
    EXPECT_EQ(h.household().scalar("select count(*) from s_shouru where s_zhanghuid=2"), "2") << "the records stay";
    EXPECT_EQ(h.household().scalar("select count(*) from s_jie where z_id=2"), "1");
}

// ---- saving --------------------------------------------------------------------------------

TEST_F(AccountsPageTest, SavingShowsTheBalancesOfEditedAndNewAccountsAtOnce)
{
    h.db().execute("update z_zhanghu set z_shouru=50, z_zhichu=20.3, z_yue=29.7 where id=1");
    h.enter();
    h.typeIntoCell(kGrid, 0, QStringLiteral("起始金额"), QStringLiteral("100.25"));
    h.click("Button27");
    h.typeIntoCell(kGrid, 3, QStringLiteral("账户名称"), QStringLiteral("工资卡"));
    h.typeIntoCell(kGrid, 3, QStringLiteral("起始金额"), QStringLiteral("500"));
    h.typeIntoCell(kGrid, 3, QStringLiteral("备注"), QStringLiteral("发工资用"));
    EXPECT_EQ(accounts().size(), 3u) << "nothing is written before the save";
    save();
    EXPECT_EQ(h.boxes.texts(), std::vector<QString>{QStringLiteral("是否确定保存数据？")});
    EXPECT_EQ(accounts(), (std::vector<std::string>{"1|现金|100.25|129.95", "2|银行卡|0|0", "3|信用卡|0|0", "4|工资卡|500|500"}));
    EXPECT_EQ(shown(0, "余额"), QStringLiteral("￥129.95"));
    EXPECT_EQ(shown(3, "余额"), QStringLiteral("￥500.00"));
    for (const char* column : {"收入\u3000", "支出", "借入", "借出", "转入", "转出"})
        EXPECT_EQ(shown(3, column), QStringLiteral("￥.00")) << column;
    EXPECT_EQ(shown(3, "编号"), QStringLiteral("4"));
    EXPECT_FALSE(pending());
    h.select(kGrid, 3);
    EXPECT_EQ(selected(), QStringLiteral("4")) << "the saved account can be deleted at once";
}

TEST_F(AccountsPageTest, CancellingTheSaveDropsThePendingEdits)
{
    h.typeIntoCell(kGrid, 0, QStringLiteral("账户名称"), QStringLiteral("零钱"));
    h.click("Button27");
    h.typeIntoCell(kGrid, 3, QStringLiteral("账户名称"), QStringLiteral("工资卡"));
    save(false);
    EXPECT_EQ(h.columnTexts(kGrid, QStringLiteral("账户名称")).join(','), QStringLiteral("现金,银行卡,信用卡"));
    EXPECT_FALSE(pending());
    EXPECT_EQ(accounts(), (std::vector<std::string>{"1|现金|0|0", "2|银行卡|0|0", "3|信用卡|0|0"}));
}

TEST_F(AccountsPageTest, AFailingSaveWritesNothingAndKeepsTheEdits)
{
    h.typeIntoCell(kGrid, 1, QStringLiteral("起始金额"), QStringLiteral("20"));
    h.click("Button27");
    h.typeIntoCell(kGrid, 3, QStringLiteral("账户名称"), QStringLiteral("工资卡"));
    h.typeIntoCell(kGrid, 3, QStringLiteral("起始金额"), QStringLiteral("一千"));
    save();
    EXPECT_EQ(h.boxes.texts().back(), QStringLiteral("对不起，数据格式不对"));
    EXPECT_EQ(h.boxes.shown().back().kind, Kind::Notice);
    EXPECT_EQ(accounts(), (std::vector<std::string>{"1|现金|0|0", "2|银行卡|0|0", "3|信用卡|0|0"}));
    EXPECT_FALSE(h.db().inTransaction());
    EXPECT_TRUE(pending());
    EXPECT_EQ(h.rowCount(kGrid), 4);
    h.typeIntoCell(kGrid, 3, QStringLiteral("起始金额"), QStringLiteral("1000"));
    save();
    EXPECT_EQ(accounts(), (std::vector<std::string>{"1|现金|0|0", "2|银行卡|20|20", "3|信用卡|0|0", "4|工资卡|1000|1000"}));
}

TEST_F(AccountsPageTest, EnteringThePageAgainDropsPendingEditsAndKeepsTheSelection)
{
    h.select(kGrid, 2);
    h.typeIntoCell(kGrid, 0, QStringLiteral("账户名称"), QStringLiteral("零钱"));
    h.enter();
    EXPECT_EQ(shown(0, "账户名称"), QStringLiteral("现金"));
    EXPECT_EQ(selected(), QStringLiteral("3"));
}

// ---- the totals passes --------------------------------------------------------------------

TEST_F(AccountsPageTest, AccountsWithoutLoansOrTransfersShowZerosAfterBothPasses)
{
    h.household().addLoan("S", 1, "1000", "200");
    const int64_t lent = h.household().addLoan("Z", 2, "300", "0");
    h.household().addTransfer(1, 2, "100", "2024-03-05");
    h.db().execute("update z_zhanghu set z_jieru=7, z_jiechu=7, z_zhuanru=7, z_zhuanchu=7 where id=3"); // stale
    ledger::RefreshLoanTotals(h.db());
    ledger::RefreshTransferTotals(h.db());
    h.enter();
    EXPECT_EQ(shown(0, "借入"), QStringLiteral("￥800.00"));
    EXPECT_EQ(shown(1, "借出"), QStringLiteral("￥300.00"));
    EXPECT_EQ(shown(0, "转出"), QStringLiteral("￥100.00"));
    EXPECT_EQ(shown(1, "转入"), QStringLiteral("￥100.00"));
    for (const char* column : {"借入", "借出", "转入", "转出"})
        EXPECT_EQ(shown(2, column), QStringLiteral("￥.00")) << column;
    h.db().execute("delete from s_jie where id=" + std::to_string(lent)); // the last loan of class Z on 银行卡
    ledger::RefreshLoanTotals(h.db());
    h.enter();
    EXPECT_EQ(shown(1, "借出"), QStringLiteral("￥.00"));
    EXPECT_EQ(shown(1, "余额"), QStringLiteral("￥100.00"));
}

} // namespace
