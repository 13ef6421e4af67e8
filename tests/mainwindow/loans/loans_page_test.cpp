// The loans page: money borrowed and lent, one kind at a time, with the
// balance kept from the amounts in exact money and the accounts' 借入 and
// 借出 following every save and delete.

#include "cell_editors.h"
#include "page_harness.h"
#include "screenshots.h"

#include "ledger/account_totals.h"
#include "mainwindow/loans/loans_page.h"
#include "widgets/data_grid.h"

#include <QCheckBox>
#include <QHeaderView>
#include <QRadioButton>
#include <QTest>
#include <gtest/gtest.h>

using Kind = testsupport::ScriptedMessageBoxes::Kind;

namespace {

constexpr const char* kGrid = "DBGridEh6";

class LoansPageTest : public testing::Test {
protected:
    void SetUp() override { h.enter("S"); }

    widgets::DataGrid* grid() { return h.grid(kGrid); }
    ledger::Query& loans() { return *grid()->query(); }
    QString shown(int row, const char* column) { return h.cell(kGrid, row, QString::fromUtf8(column)); }
    void type(int row, const char* column, const char* text)
    {
        h.typeIntoCell(kGrid, row, QString::fromUtf8(column), QString::fromUtf8(text));
    }
    // The current loan's balance as the page holds it, exact.
    std::string balance() { return loans().text("余额"); }
    std::vector<std::string> stored()
    {
        return h.household().rows("select id, j_class, z_id, j_chuMoney, j_ruMoney, j_yuMoney from s_jie");
    }
    std::vector<std::string> loanTotals() { return h.household().rows("select id, z_jieru, z_jiechu from z_zhanghu"); }
    void save(bool ok = true)
    {
        h.boxes.answer(ok);
        h.click("Button37");
    }
    void remove(bool ok = true)
    {
        h.boxes.answer(ok);
        h.click("Button36");
    }

    testsupport::PageHarness<mainwindow::LoansPage> h;
};

// ---- what the page shows -----------------------------------------------------------------

TEST_F(LoansPageTest, ShowsOneKindAtATimeUnderTheFieldNames)
{
    h.household().addLoan("S", 1, "1000", "200", "2024-01-10");
    h.household().addLoan("Z", 2, "300", "0", "2024-02-01");
    h.db().execute("update s_jie set j_yuMoney=800, j_jiekuanren='老王' where id=1");
    h.db().execute("update s_jie set j_yuMoney=300, j_jiege='小李' where id=2");
    h.enter("S");
    EXPECT_EQ(h.titles(kGrid).join(','), QStringLiteral("日期,账户,借出金额,已还金额,余额,预计回收期,借给,借款人,备注"));
    EXPECT_EQ(h.rowTexts(kGrid, {"日期", "账户", "借出金额", "已还金额", "余额", "借款人"}),
              QStringList{QStringLiteral("2024/1/10|现金|￥1000.00|￥200.00|￥800.00|老王")});
    EXPECT_TRUE(h.find<QRadioButton>("RadioButton1")->isChecked());
    EXPECT_EQ(h.context().b_zt, QStringLiteral("S"));
    EXPECT_FALSE(loans().hasPendingChanges()) << "a loan whose balance is right is left as read";

    h.click("RadioButton2");
    EXPECT_EQ(h.context().b_zt, QStringLiteral("Z"));
    EXPECT_EQ(h.rowTexts(kGrid, {"账户", "借出金额", "借给"}), QStringList{QStringLiteral("银行卡|￥300.00|小李")});
    EXPECT_EQ(h.titles(kGrid).join(','), QStringLiteral("日期,账户,借出金额,已还金额,余额,预计回收期,借给,借款人,备注"))
        << "both kinds show the same titles";

    h.enter("S");
    EXPECT_TRUE(h.find<QRadioButton>("RadioButton1")->isChecked()) << "the page opens on the borrowed loans";
    EXPECT_EQ(h.rowCount(kGrid), 1);
    EXPECT_EQ(shown(0, "借款人"), QStringLiteral("老王"));

    // Amounts of six digits with their cents and the longest dates show whole; the columns fill the grid.
    h.db().execute("update s_jie set j_chuMoney=123456.78, j_ruMoney=123456.78, j_yuMoney=0, j_date='2024-12-28', "
                   "j_shoudate='2024-12-31' where id=1");
    h.enter("S");
    const QFontMetrics metrics = grid()->view()->fontMetrics();
    for (const char* column : {"借出金额", "已还金额", "余额"})
        EXPECT_GE(grid()->view()->columnWidth(grid()->model()->columnOf(QString::fromUtf8(column))),
                  metrics.horizontalAdvance(QStringLiteral("￥123456.78")) + 6)
            << column;
    for (const char* column : {"日期", "预计回收期"})
        EXPECT_GE(grid()->view()->columnWidth(grid()->model()->columnOf(QString::fromUtf8(column))),
                  metrics.horizontalAdvance(QStringLiteral("2024/12/31")) + 6)
            << column;
    int total = 0;
    for (int c = 0; c < grid()->model()->columnCount(); ++c)
        if (!grid()->view()->isColumnHidden(c))
            total += grid()->view()->columnWidth(c);
    EXPECT_EQ(total, grid()->view()->viewport()->width());

    const QAbstractItemModel* model = grid()->model();
    for (const char* hidden : {"id", "j_class", "z_id"})
        EXPECT_TRUE(grid()->view()->isColumnHidden(grid()->model()->columnOf(QString::fromUtf8(hidden)))) << hidden;
    EXPECT_FALSE(model->flags(testsupport::cellOf(grid(), 0, QStringLiteral("余额"))) & Qt::ItemIsEditable);
    EXPECT_TRUE(model->flags(testsupport::cellOf(grid(), 0, QStringLiteral("借出金额"))) & Qt::ItemIsEditable);
    // 借入 借出 只显示未还清的 增加 删除 保存, left to right above the grid.
    int left = -1;
    for (const char* name : {"RadioButton1", "RadioButton2", "CheckBox1", "Button35", "Button36", "Button37"}) {
        QWidget* control = h.find(name);
        const int x = control->mapTo(h.window(), QPoint()).x();
        EXPECT_GT(x, left) << name;
        left = x + control->width() - 1;
        EXPECT_LT(control->mapTo(h.window(), QPoint()).y(), grid()->mapTo(h.window(), QPoint()).y()) << name;
    }
    for (const char* name : {"RadioButton1", "RadioButton2", "CheckBox1"})
        EXPECT_GE(h.find(name)->width(), h.find(name)->sizeHint().width()) << name << " shows its whole caption";
}

// ---- the balance ------------------------------------------------------------------------------

TEST_F(LoansPageTest, TheBalanceIsLentLessRepaidWithAnEmptyAmountCountingAsNought)
{
    h.click("Button35");
    EXPECT_EQ(loans().text("j_class"), "S") << "a new loan is of the kind shown";
    type(0, "借出金额", "1000");
    type(0, "已还金额", "200");
    EXPECT_EQ(shown(0, "余额"), QStringLiteral("￥800.00"));
    testsupport::clearCell(grid(), 0, QStringLiteral("已还金额"));
    EXPECT_EQ(loans().text("已还金额"), "");
    EXPECT_EQ(shown(0, "余额"), QStringLiteral("￥1000.00"));

    h.click("Button35");
    type(1, "已还金额", "200");
    EXPECT_EQ(balance(), "-200") << "no lent amount counts as 0";
    save();
    EXPECT_EQ(stored(), (std::vector<std::string>{"1|S|0|1000||1000", "2|S|0|0|200|-200"}));
    EXPECT_EQ(h.boxes.texts(), std::vector<QString>{QStringLiteral("是否确定保存数据？")});
}

// Binary floating point cannot hold most amounts of cents; the balance is
// worked out in money, so it is right to the cent however large.
TEST_F(LoansPageTest, TheBalanceIsExactToTheCent)
{
    struct Case {
        const char* lent;
        const char* repaid;
        const char* balance;
    };
    const Case cases[] = {
        {"0.3", "0.1", "0.2"},
        {"1000.10", "200.20", "799.9"},
        {"99999999999999.99", "0.01", "99999999999999.98"},
        {"12345678901234.56", "1234567890123.45", "11111111011111.11"},
    };
    int row = 0;
    int wrongInDouble = 0;
    for (const Case& c : cases) {
        h.click("Button35");
        type(row, "借出金额", c.lent);
        type(row, "已还金额", c.repaid);
        EXPECT_EQ(balance(), c.balance) << c.lent << " - " << c.repaid;
        const double inDouble = ledger::Currency::parse(c.lent)->toDouble() - ledger::Currency::parse(c.repaid)->toDouble();
        if (ledger::Currency::fromDouble(inDouble).toString() != c.balance)
            ++wrongInDouble;
        ++row;
    }
    EXPECT_GT(wrongInDouble, 0) << "the cases include some that double precision gets wrong";
    save();
    EXPECT_EQ(h.household().rows("select j_yuMoney from s_jie"),
              (std::vector<std::string>{"0.2", "799.9", "99999999999999.98", "11111111011111.11"}));
}

TEST_F(LoansPageTest, AStoredBalanceThatDisagreesIsPutRightWhenTheLoanBecomesCurrent)
{
    h.household().addLoan("S", 1, "1000", "200");
    h.household().addLoan("S", 1, "500", "0");
    h.db().execute("update s_jie set j_yuMoney=800 where id=1");
    h.db().execute("update s_jie set j_yuMoney=1 where id=2"); // written by hand elsewhere
    h.enter("S");
    EXPECT_FALSE(loans().hasPendingChanges());
    h.select(kGrid, 1);
    EXPECT_EQ(shown(1, "余额"), QStringLiteral("￥500.00"));
    save();
    EXPECT_EQ(h.household().rows("select j_yuMoney from s_jie"), (std::vector<std::string>{"800", "500"}));
}

// ---- the unsettled filter ------------------------------------------------------------------

TEST_F(LoansPageTest, UnsettledLoansOnlyAndABalanceReachingNoughtStaysUntilReopened)
{
    h.household().addLoan("S", 1, "1000", "1000");
    h.household().addLoan("S", 1, "500", "100");
    h.household().addLoan("S", 2, "300", "0");
    h.db().execute("update s_jie set j_yuMoney=j_chuMoney-j_ruMoney where id<3");
    h.db().execute("update s_jie set j_yuMoney=null where id=3"); // no balance: not listed while ticked
    h.enter("S");
    EXPECT_EQ(h.rowCount(kGrid), 3);
    h.click("CheckBox1");
    ASSERT_TRUE(h.find<QCheckBox>("CheckBox1")->isChecked());
    EXPECT_EQ(h.columnTexts(kGrid, QStringLiteral("借出金额")), QStringList{QStringLiteral("￥500.00")});

    type(0, "已还金额", "500");
    EXPECT_EQ(shown(0, "余额"), QStringLiteral("￥.00"));
    save();
    EXPECT_EQ(h.rowCount(kGrid), 1) << "the settled loan stays listed until the list is reopened";
    h.enter("S");
    EXPECT_TRUE(h.find<QCheckBox>("CheckBox1")->isChecked()) << "the box stays as the user left it";
    EXPECT_EQ(h.rowCount(kGrid), 0);
    h.click("CheckBox1");
    EXPECT_EQ(h.rowCount(kGrid), 3);
}

// ---- deleting --------------------------------------------------------------------------------

TEST_F(LoansPageTest, DeleteOnANewRowOrAnEmptyListDoesNothingAndSaysNothing)
{
    h.click("Button36");
    h.click("Button35");
    type(0, "借出金额", "50");
    h.click("Button36");
    EXPECT_TRUE(h.boxes.shown().empty());
    EXPECT_EQ(h.rowCount(kGrid), 1);
    EXPECT_TRUE(loans().hasPendingChanges());
}

TEST_F(LoansPageTest, DeleteAsksWithTheIdThenTheTotalsFollowTheRemainingLoans)
{
    h.household().addLoan("S", 1, "1000", "200");
    h.household().addLoan("S", 1, "300", "0");
    h.household().addLoan("Z", 2, "450.5", "0");
    h.db().execute("update s_jie set j_yuMoney=j_chuMoney-j_ruMoney");
    ledger::RefreshLoanTotals(h.db());
    h.enter("S");
    EXPECT_EQ(loanTotals(), (std::vector<std::string>{"1|1100|0", "2|0|450.5", "3|0|0"}));

    h.select(kGrid, 0);
    remove(false);
    EXPECT_EQ(h.boxes.texts(), std::vector<QString>{QStringLiteral("是否确定删除？1")});
    EXPECT_EQ(h.boxes.shown()[0].kind, Kind::Confirmation);
    EXPECT_EQ(stored().size(), 3u);

    remove();
    EXPECT_EQ(h.columnTexts(kGrid, QStringLiteral("借出金额")), QStringList{QStringLiteral("￥300.00")});
    EXPECT_EQ(loanTotals(), (std::vector<std::string>{"1|300|0", "2|0|450.5", "3|0|0"}));
    h.select(kGrid, 0);
    remove();
    EXPECT_EQ(h.boxes.texts().back(), QStringLiteral("是否确定删除？2"));
    EXPECT_EQ(loanTotals(), (std::vector<std::string>{"1|0|0", "2|0|450.5", "3|0|0"}))
        << "an account with no borrowed loan left shows 0";
}

// ---- saving ----------------------------------------------------------------------------------

TEST_F(LoansPageTest, ASaveStoresTheLoansAndTheTotalsTogether)
{
    h.click("Button35");
    testsupport::editDate(grid(), 0, QStringLiteral("日期"), QDate(2024, 3, 5));
    testsupport::chooseInLookup(grid(), 0, QStringLiteral("账户"), QStringLiteral("银行卡"));
    type(0, "借出金额", "2000");
    type(0, "已还金额", "500.5");
    type(0, "借款人", "表哥");
    EXPECT_EQ(stored().size(), 0u) << "nothing is written before the save";
    save();
    EXPECT_EQ(stored(), (std::vector<std::string>{"1|S|2|2000|500.5|1499.5"}));
    EXPECT_EQ(h.household().rows("select j_date from s_jie"), std::vector<std::string>{"2024-03-05"});
    EXPECT_EQ(loanTotals(), (std::vector<std::string>{"1|0|0", "2|1499.5|0", "3|0|0"}));
    EXPECT_EQ(h.household().scalar("select z_yue from z_zhanghu where id=2"), "1499.5") << "the balance follows";
    EXPECT_FALSE(loans().hasPendingChanges());
    EXPECT_EQ(h.rowCount(kGrid), 1) << "the page is not reopened after a save";

    h.click("RadioButton2");
    h.click("Button35");
    EXPECT_EQ(loans().text("j_class"), "Z");
    testsupport::chooseInLookup(grid(), 0, QStringLiteral("账户"), QStringLiteral("银行卡"));
    type(0, "借出金额", "99.99");
    save();
    EXPECT_EQ(loanTotals(), (std::vector<std::string>{"1|0|0", "2|1499.5|99.99", "3|0|0"}));
}

TEST_F(LoansPageTest, AFailingSaveWritesNothingKeepsTheEditsAndLeavesTheTotals)
{
    h.household().addLoan("S", 1, "100", "0");
    h.db().execute("update s_jie set j_yuMoney=100");
    ledger::RefreshLoanTotals(h.db());
    h.enter("S");
    type(0, "已还金额", "40");
    h.click("Button35");
    type(1, "借出金额", "一千");
    save();
    EXPECT_EQ(h.boxes.texts().back(), QStringLiteral("对不起，数据格式不对"));
    EXPECT_EQ(h.boxes.shown().back().kind, Kind::Notice);
    EXPECT_EQ(stored(), (std::vector<std::string>{"1|S|1|100|0|100"}));
    EXPECT_EQ(loanTotals()[0], "1|100|0");
    EXPECT_FALSE(h.db().inTransaction());
    EXPECT_TRUE(loans().hasPendingChanges());
    EXPECT_EQ(h.rowCount(kGrid), 2);

    type(1, "借出金额", "1000");
    save();
    EXPECT_EQ(stored(), (std::vector<std::string>{"1|S|1|100|40|60", "2|S|0|1000|0|1000"}));
    EXPECT_EQ(loanTotals()[0], "1|60|0") << "a loan on no account adds to none";
}

TEST_F(LoansPageTest, CancellingTheSaveOrSwitchingTheKindDropsThePendingEdits)
{
    h.household().addLoan("S", 1, "100", "0");
    h.enter("S");
    type(0, "借出金额", "150");
    save(false);
    EXPECT_EQ(shown(0, "借出金额"), QStringLiteral("￥100.00"));
    EXPECT_FALSE(loans().hasPendingChanges());
    h.click("Button35");
    type(1, "借出金额", "5");
    h.click("RadioButton2");
    h.click("RadioButton1");
    EXPECT_EQ(h.rowCount(kGrid), 1);
    EXPECT_EQ(stored().size(), 1u);
}

TEST_F(LoansPageTest, TheKeysAddAndSaveWhileThePageIsInFront)
{
    h.grid(kGrid)->view()->setFocus();
    h.press(QKeySequence(QStringLiteral("Ctrl+N")));
    ASSERT_EQ(h.rowCount(kGrid), 1);
    type(0, "借出金额", "66.6");
    h.boxes.answer(true);
    h.press(QKeySequence(QStringLiteral("Ctrl+S")));
    EXPECT_EQ(stored(), (std::vector<std::string>{"1|S|0|66.6|0|66.6"}));
    h.window()->hide();
    h.press(QKeySequence(QStringLiteral("Ctrl+N")));
    EXPECT_EQ(h.rowCount(kGrid), 1) << "a hidden page takes no keys";
}

// ---- the account list ---------------------------------------------------------------------

// An account added on the accounts page after this page was first opened
// is offered the next time the page is entered, without restarting.
TEST_F(LoansPageTest, TheAccountListIsReadAgainWheneverThePageIsEntered)
{
    h.click("Button35");
    QComboBox* list = testsupport::dropLookup(grid(), 0, QStringLiteral("账户"));
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->count(), 3);
    list->hidePopup();
    grid()->dropEdits();

    const int64_t account = h.household().addAccount("工资卡");
    h.household().addLoan("S", account, "800", "0");
    h.enter("S");
    EXPECT_EQ(shown(0, "账户"), QStringLiteral("工资卡"));
    h.click("Button35");
    list = testsupport::dropLookup(grid(), 1, QStringLiteral("账户"));
    ASSERT_NE(list, nullptr);
    EXPECT_TRUE(list->view()->isVisible()) << "the list drops down as soon as editing starts";
    EXPECT_NE(list->findText(QStringLiteral("工资卡")), -1);
    auto* table = qobject_cast<QTableView*>(list->view());
    ASSERT_NE(table, nullptr);
    EXPECT_FALSE(table->horizontalHeader()->isHidden()) << "the list shows its titles";
    EXPECT_EQ(list->model()->headerData(0, Qt::Horizontal).toString(), QStringLiteral("id"));
    EXPECT_EQ(list->model()->headerData(1, Qt::Horizontal).toString(), QStringLiteral("账户"));
    EXPECT_EQ(list->model()->index(3, 0).data().toString(), QString::number(account));
    testsupport::saveScreenshot(h.window(), QStringLiteral("loans-page-account-list"), {list->view()->window()});
    list->hidePopup();
}

} // namespace
