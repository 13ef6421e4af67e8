// The accounts and categories pages with the others in the main window:
// the balances after records, loans and transfers, and the entry page's
// item search after the categories page changed the items.

#include "main_window_test.h"

#include "ledger/account_totals.h"
#include "mainwindow/main_window.h"
#include "resources/resources.h"
#include "widgets/data_grid.h"
#include "widgets/lookup_combo_box.h"

#include <QLineEdit>
#include <QTest>
#include <gtest/gtest.h>

namespace {

class AcrossPages : public testsupport::MainWindowTest {
protected:
    // On the entry page: the items the search lists for a typed text.
    QString itemsFound(const char* typed)
    {
        find<QLineEdit>("Edit3")->setText(QString::fromUtf8(typed));
        QStringList names;
        for (int row = 0; row < grid("DBGridEh2")->model()->rowCount(); ++row)
            names << grid("DBGridEh2")->model()->index(row, 0).data().toString();
        return names.join(',');
    }
    // On the entry page: a record of the item found first, on the first account.
    void book(const char* typed, const char* amount)
    {
        click("Button1");
        ASSERT_FALSE(itemsFound(typed).isEmpty()) << typed;
        testsupport::clickRow(grid("DBGridEh2"), 0);
        find<QLineEdit>("Edit1")->setText(QString::fromUtf8(amount));
        find<widgets::LookupComboBox>("DBLookupComboboxEh2")->setCurrentIndex(0);
        click("Button3");
    }
    ledger::Currency money(const std::string& statement)
    {
        return ledger::Currency::parse(f.scalar(statement)).value_or(ledger::Currency());
    }
    // 余额 = 起始金额 + 收入 − 支出 + 借入 − 借出 + 转入 − 转出, from the records, loans and transfers themselves.
    void expectBalancesFromTheirSources(const char* when)
    {
        for (const std::string id : {"1", "2", "3"}) {
            const ledger::Currency expected = money("select z_qcje from z_zhanghu where id=" + id) +
                                              money("select sum(s_jine) from s_shouru where f_class='S' and s_zhanghuid=" + id) -
                                              money("select sum(s_jine) from s_shouru where f_class='Z' and s_zhanghuid=" + id) +
                                              money("select sum(j_yuMoney) from s_jie where j_class='S' and z_id=" + id) -
                                              money("select sum(j_yuMoney) from s_jie where j_class='Z' and z_id=" + id) +
                                              money("select sum(zXmoney) from s_zhanghistory where zh2=" + id) -
                                              money("select sum(zXmoney) from s_zhanghistory where zh1=" + id);
            EXPECT_EQ(money("select z_yue from z_zhanghu where id=" + id).toString(), expected.toString())
                << "account " << id << " " << when;
        }
    }
};

TEST_F(AcrossPages, TheBalanceFollowsRecordsLoansAndTransfersToTheCent)
{
    click("Label3");
    testsupport::typeIntoCell(grid("DBGridEh3"), 0, QStringLiteral("起始金额"), QStringLiteral("1000.10"));
    click("Button9");
    expectBalancesFromTheirSources("after the opening amount");
    EXPECT_EQ(f.scalar("select z_yue from z_zhanghu where id=1"), "1000.1");

    click("Label1");
    book("zc", "12.35");
    expectBalancesFromTheirSources("after an expenditure");
    EXPECT_EQ(f.scalar("select z_yue from z_zhanghu where id=1"), "987.75");
    testsupport::clickRow(grid("DBGridEh1"), 0);
    click("Button2");
    expectBalancesFromTheirSources("after the expenditure was deleted");
    EXPECT_EQ(f.scalar("select z_yue from z_zhanghu where id=1"), "1000.1");
    book("wc", "30.33");
    click("Label2");
    book("gz", "8000");

    // What the loans and transfers pages store, and the passes they run.
    f.addLoan("S", 1, "500", "120.5");
    f.addLoan("Z", 1, "200", "0");
    ledger::RefreshLoanTotals(f.db());
    f.addTransfer(1, 2, "99.99", "2024-03-05");
    f.addTransfer(2, 1, "10.01", "2024-03-06");
    ledger::RefreshTransferTotals(f.db());
    expectBalancesFromTheirSources("after a loan and a transfer");

    click("Label3");
    EXPECT_EQ(grid("DBGridEh3")->model()->index(0, grid("DBGridEh3")->model()->columnOf(QStringLiteral("余额"))).data(),
              QStringLiteral("￥9059.29"));
}

TEST_F(AcrossPages, TheItemSearchSeesNewRenamedAndOrphanedItemsAtOnce)
{
    click("L2");
    testsupport::clickRow(grid("DBGridEh4"), 1); // 交通出行
    click("Button32");
    testsupport::typeIntoCell(grid("DBGridEh5"), 4, QStringLiteral("项目名称"), QStringLiteral("过路费"));
    testsupport::typeIntoCell(grid("DBGridEh5"), 1, QStringLiteral("项目名称"), QStringLiteral("出租车"));
    click("Button34");

    click("Label1");
    EXPECT_EQ(itemsFound("glf"), QStringLiteral("过路费"));
    EXPECT_EQ(itemsFound("czc"), QStringLiteral("出租车"));
    EXPECT_EQ(itemsFound("dc"), QString()) << "the old name is gone";

    click("L2");
    testsupport::clickRow(grid("DBGridEh4"), 1);
    click("Button30"); // 交通出行 goes, its items stay
    click("Label1");
    EXPECT_EQ(itemsFound("czc"), QStringLiteral("出租车"));
    EXPECT_EQ(itemsFound("jy"), QStringLiteral("加油"));
}

} // namespace
