// The loans and transfers pages with the accounts page in the main window:
// an account added there is offered at once, and its 借入, 借出, 转入, 转出
// and 余额 follow the loans and transfers booked on it, without restarting.

#include "cell_editors.h"
#include "main_window_test.h"

#include "mainwindow/main_window.h"
#include "resources/resources.h"
#include "widgets/data_grid.h"

#include <QTest>
#include <gtest/gtest.h>

namespace {

class LoansAcrossPages : public testsupport::MainWindowTest {
protected:
    // What the accounts page shows of an account, in the order of its totals.
    QString totalsShown(int row)
    {
        click("Label3");
        QStringList cells;
        widgets::QueryModel* model = grid("DBGridEh3")->model();
        for (const char* column : {"借入", "借出", "转入", "转出", "余额"})
            cells << model->index(row, model->columnOf(QString::fromUtf8(column))).data().toString();
        return cells.join('|');
    }
    void lend(bool borrowed, const char* amount, const char* repaid)
    {
        click("L3");
        click(borrowed ? "RadioButton1" : "RadioButton2");
        click("Button35");
        const int row = grid("DBGridEh6")->query()->currentRow();
        testsupport::chooseInLookup(grid("DBGridEh6"), row, QStringLiteral("账户"), QStringLiteral("工资卡"));
        type("DBGridEh6", row, "借出金额", amount);
        if (*repaid)
            type("DBGridEh6", row, "已还金额", repaid);
        click("Button37");
    }
    void transfer(const char* from, const char* to, const char* amount)
    {
        click("L4");
        click("Button38");
        widgets::DataGrid* g = grid("DBGridEh7");
        const int row = g->query()->currentRow();
        testsupport::editDate(g, row, QStringLiteral("转账时间"), QDate::currentDate());
        testsupport::chooseInLookup(g, row, QStringLiteral("转出账户"), QString::fromUtf8(from));
        testsupport::chooseInLookup(g, row, QStringLiteral("转入账户"), QString::fromUtf8(to));
        type("DBGridEh7", row, "转账金额", amount);
        click("Button40");
    }
};

TEST_F(LoansAcrossPages, ANewAccountTakesLoansAndTransfersAndItsTotalsFollow)
{
    // Both pages are opened before the account exists.
    click("L3");
    click("L4");
    click("Label3");
    click("Button27");
    type("DBGridEh3", 3, "账户名称", "工资卡");
    type("DBGridEh3", 3, "起始金额", "1000");
    click("Button9");
    ASSERT_EQ(f.scalar("select id from z_zhanghu where z_name='工资卡'"), "4");

    lend(true, "500", "100.5");
    lend(false, "200", "");
    EXPECT_EQ(f.rows("select j_class, z_id, j_yuMoney from s_jie"), (std::vector<std::string>{"S|4|399.5", "Z|4|200"}));
    transfer("工资卡", "现金", "50");
    transfer("现金", "工资卡", "20.25");
    EXPECT_EQ(f.scalar("select count(*) from s_zhanghistory"), "2");
    EXPECT_EQ(totalsShown(3), QStringLiteral("￥399.50|￥200.00|￥20.25|￥50.00|￥1169.75"));
    EXPECT_EQ(totalsShown(0), QStringLiteral("￥.00|￥.00|￥50.00|￥20.25|￥29.75"));

    // The lent loan goes: 借出 back to 0.
    click("L3");
    click("RadioButton2");
    testsupport::clickRow(grid("DBGridEh6"), 0);
    click("Button36");
    EXPECT_EQ(totalsShown(3), QStringLiteral("￥399.50|￥.00|￥20.25|￥50.00|￥1369.75"));
    // And a transfer: 转出 back to 0.
    click("L4");
    testsupport::clickRow(grid("DBGridEh7"), 0);
    click("Button39");
    EXPECT_EQ(totalsShown(3), QStringLiteral("￥399.50|￥.00|￥20.25|￥.00|￥1419.75"));
}

} // namespace
