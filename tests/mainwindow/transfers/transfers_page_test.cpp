// The transfers page: the transfers of a period of whole days, saved in one
// go with the accounts' 转入 and 转出, listed again after every change.

#include "../loans/cell_editors.h"
#include "page_harness.h"
#include "screenshots.h"

#include "ledger/account_totals.h"
#include "ledger/datetime.h"
#include "mainwindow/transfers/transfers_page.h"
#include "widgets/data_grid.h"
#include "widgets/date_picker.h"

#include <QHeaderView>
#include <QScrollBar>
#include <QTest>
#include <gtest/gtest.h>

using Kind = testsupport::ScriptedMessageBoxes::Kind;

namespace {

constexpr const char* kGrid = "DBGridEh7";

std::string iso(const QDate& day)
{
    return day.toString(Qt::ISODate).toStdString();
}

class TransfersPageTest : public testing::Test {
protected:
    void SetUp() override { h.enter(); }

    widgets::DataGrid* grid() { return h.grid(kGrid); }
    ledger::Query& transfers() { return *grid()->query(); }
    QString shown(int row, const char* column) { return h.cell(kGrid, row, QString::fromUtf8(column)); }
    void type(int row, const char* column, const char* text)
    {
        h.typeIntoCell(kGrid, row, QString::fromUtf8(column), QString::fromUtf8(text));
    }
    void period(const QDate& first, const QDate& last)
    {
        h.find<widgets::DatePicker>("DateTimePicker3")->setDate(first);
        h.find<widgets::DatePicker>("DateTimePicker4")->setDate(last);
        h.click("Button41");
    }
    std::vector<std::string> stored()
    {
        return h.household().rows("select id, zh1, zh2, zdate, zXmoney, other from s_zhanghistory");
    }
    std::vector<std::string> transferTotals() { return h.household().rows("select id, z_zhuanru, z_zhuanchu from z_zhanghu"); }
    // A new transfer of the whole form: date, both accounts, amount.
    void addTransfer(int row, const QDate& day, const char* from, const char* to, const char* amount)
    {
        h.click("Button38");
        testsupport::editDate(grid(), row, QStringLiteral("转账时间"), day);
        testsupport::chooseInLookup(grid(), row, QStringLiteral("转出账户"), QString::fromUtf8(from));
        testsupport::chooseInLookup(grid(), row, QStringLiteral("转入账户"), QString::fromUtf8(to));
        type(row, "转账金额", amount);
    }
    void save(bool ok = true)
    {
        h.boxes.answer(ok);
        h.click("Button40");
    }
    void remove(bool ok = true)
    {
        h.boxes.answer(ok);
        h.click("Button39");
    }

    testsupport::PageHarness<mainwindow::TransfersPage> h;
};

// ---- what the page lists -------------------------------------------------------------------

TEST_F(TransfersPageTest, EnteringListsTheTransfersOfTheDayTheWindowOpened)
{
    const QDate today = h.context().opened;
    h.household().addTransfer(1, 2, "100", iso(today));
    h.household().addTransfer(2, 3, "20.5", iso(today.addDays(-1)));
    h.household().addTransfer(3, 1, "7", iso(today) + " 09:30:00"); // after midnight: beyond the period
    h.enter();
    EXPECT_EQ(h.find<widgets::DatePicker>("DateTimePicker3")->date(), today);
    EXPECT_EQ(h.find<widgets::DatePicker>("DateTimePicker4")->date(), today);
    EXPECT_EQ(h.titles(kGrid).join(','), QStringLiteral("转账时间,转出账户,转入账户,转账金额,备注"));
    EXPECT_EQ(h.rowTexts(kGrid, {"转出账户", "转入账户", "转账金额"}), QStringList{QStringLiteral("现金|银行卡|￥100.00")});
    for (const char* hidden : {"id", "zh1", "zh2"})
        EXPECT_TRUE(grid()->view()->isColumnHidden(grid()->model()->columnOf(QString::fromUtf8(hidden)))) << hidden;
    for (const char* column : {"转账时间", "转出账户", "转入账户", "转账金额"})
        EXPECT_EQ(grid()->view()->columnWidth(grid()->model()->columnOf(QString::fromUtf8(column))), 90) << column;
    EXPECT_EQ(grid()->view()->columnWidth(grid()->model()->columnOf(QStringLiteral("备注"))), grid()->width() - 380);
    EXPECT_EQ(grid()->view()->horizontalScrollBar()->isVisible(), false) << "the columns fit the grid";
    // 增加 删除 保存, the period and 查询, left to right above the grid.
    int left = -1;
    for (const char* name : {"Button38", "Button39", "Button40", "DateTimePicker3", "DateTimePicker4", "Button41"}) {
        QWidget* control = h.find(name);
        const int x = control->mapTo(h.window(), QPoint()).x();
        EXPECT_GT(x, left) << name;
        left = x + control->width() - 1;
        EXPECT_LT(control->mapTo(h.window(), QPoint()).y(), grid()->mapTo(h.window(), QPoint()).y()) << name;
    }
    EXPECT_EQ(h.find("DateTimePicker3")->accessibleName(), QStringLiteral("从"));
    EXPECT_EQ(h.find("DateTimePicker4")->accessibleName(), QStringLiteral("到"));
}

// The period compares with midnight at the start of each day.
TEST_F(TransfersPageTest, AnyTimeOfDayOnTheLastDayIsBeyondThePeriod)
{
    h.household().addTransfer(1, 2, "1", "2024-03-01");
    h.household().addTransfer(1, 2, "2", "2024-03-01 09:00:00");
    h.household().addTransfer(1, 2, "3", "2024-03-05");
    h.household().addTransfer(1, 2, "4", "2024-03-05 00:00:01");
    h.household().addTransfer(1, 2, "5", "2024-02-29 23:59:59");
    h.household().addTransfer(1, 2, "6", "2024-03-06");
    period(QDate(2024, 3, 1), QDate(2024, 3, 5));
    EXPECT_EQ(h.columnTexts(kGrid, QStringLiteral("转账金额")).join(','), QStringLiteral("￥1.00,￥2.00,￥3.00"));
    period(QDate(2024, 3, 5), QDate(2024, 3, 1));
    EXPECT_EQ(h.rowCount(kGrid), 0) << "a period that ends before it starts lists nothing";
}

// ---- saving --------------------------------------------------------------------------------

TEST_F(TransfersPageTest, ASaveStoresTransfersAndTotalsAndOneOutsideThePeriodVanishes)
{
    const QDate today = h.context().opened;
    addTransfer(0, today, "现金", "银行卡", "300");
    type(0, "备注", "存钱");
    addTransfer(1, QDate(2024, 3, 5), "银行卡", "信用卡", "99.99");
    EXPECT_EQ(stored().size(), 0u) << "nothing is written before the save";
    save();
    EXPECT_EQ(h.boxes.texts(), std::vector<QString>{QStringLiteral("是否确定保存数据？")});
    EXPECT_EQ(stored(), (std::vector<std::string>{"1|1|2|" + iso(today) + "|300|存钱", "2|2|3|2024-03-05|99.99|"}));
    EXPECT_EQ(h.rowTexts(kGrid, {"转出账户", "转入账户", "转账金额", "备注"}),
              QStringList{QStringLiteral("现金|银行卡|￥300.00|存钱")})
        << "the transfer dated outside the period is gone from the list";
    EXPECT_FALSE(transfers().hasPendingChanges());
    EXPECT_EQ(transferTotals(), (std::vector<std::string>{"1|0|300", "2|300|99.99", "3|99.99|0"}));
    EXPECT_EQ(h.household().scalar("select z_yue from z_zhanghu where id=2"), "200.01");
}

// The list filters by date: a transfer without one could never be listed,
// seen or deleted again, so it is refused and the edits stay.
TEST_F(TransfersPageTest, ATransferWithoutADateIsRefusedAndTheEditsStay)
{
    const QDate today = h.context().opened;
    addTransfer(0, today, "现金", "银行卡", "300");
    h.click("Button38");
    testsupport::chooseInLookup(grid(), 1, QStringLiteral("转出账户"), QStringLiteral("银行卡"));
    type(1, "转账金额", "50");
    save();
    EXPECT_EQ(h.boxes.texts().back(), QStringLiteral("对不起，请选择时间"));
    EXPECT_EQ(h.boxes.shown().back().kind, Kind::Notice);
    EXPECT_EQ(stored().size(), 0u) << "neither transfer is written";
    EXPECT_TRUE(transfers().hasPendingChanges());
    EXPECT_EQ(h.rowCount(kGrid), 2);
    EXPECT_EQ(transferTotals()[0], "1|0|0");

    testsupport::editDate(grid(), 1, QStringLiteral("转账时间"), today);
    save();
    EXPECT_EQ(stored().size(), 2u);
    EXPECT_EQ(h.rowCount(kGrid), 2);
    EXPECT_EQ(transferTotals(), (std::vector<std::string>{"1|0|300", "2|300|50", "3|0|0"}));
}

// The page checks nothing else: the same account on both sides, no account
// (stored as the column default 0)
// or any amount are stored as given.
TEST_F(TransfersPageTest, TheSameAccountOnBothSidesOrNoneIsStoredAsGiven)
{
    const QDate today = h.context().opened;
    addTransfer(0, today, "现金", "现金", "10");
    h.click("Button38");
    testsupport::editDate(grid(), 1, QStringLiteral("转账时间"), today);
    type(1, "转账金额", "5");
    save();
    EXPECT_EQ(h.boxes.texts().size(), 1u);
    EXPECT_EQ(stored(), (std::vector<std::string>{"1|1|1|" + iso(today) + "|10|", "2|0|0|" + iso(today) + "|5|"}));
    EXPECT_EQ(transferTotals()[0], "1|10|10");
}

TEST_F(TransfersPageTest, AFailingSaveWritesNothingAndKeepsTheEdits)
{
    addTransfer(0, h.context().opened, "现金", "银行卡", "一百");
    save();
    EXPECT_EQ(h.boxes.texts().back(), QStringLiteral("对不起，请选择时间"));
    EXPECT_EQ(stored().size(), 0u);
    EXPECT_FALSE(h.db().inTransaction());
    EXPECT_TRUE(transfers().hasPendingChanges());
    type(0, "转账金额", "100");
    save();
    EXPECT_EQ(stored().size(), 1u);
}

TEST_F(TransfersPageTest, CancellingTheSaveOrQueryingDropsThePendingEdits)
{
    addTransfer(0, h.context().opened, "现金", "银行卡", "100");
    save(false);
    EXPECT_EQ(h.rowCount(kGrid), 0);
    addTransfer(0, h.context().opened, "现金", "银行卡", "100");
    h.click("Button41");
    EXPECT_EQ(h.rowCount(kGrid), 0);
    EXPECT_EQ(stored().size(), 0u);
}

// ---- deleting --------------------------------------------------------------------------------

TEST_F(TransfersPageTest, DeleteOnANewRowOrAnEmptyListDoesNothingAndSaysNothing)
{
    h.click("Button39");
    h.click("Button38");
    type(0, "转账金额", "5");
    h.click("Button39");
    EXPECT_TRUE(h.boxes.shown().empty());
    EXPECT_EQ(h.rowCount(kGrid), 1);
}

TEST_F(TransfersPageTest, DeleteAsksWithTheIdThenTheTotalsFollowTheRemainingTransfers)
{
    h.household().addTransfer(1, 2, "100", "2024-03-05");
    h.household().addTransfer(1, 3, "40", "2024-03-05");
    ledger::RefreshTransferTotals(h.db());
    period(QDate(2024, 3, 1), QDate(2024, 3, 31));
    EXPECT_EQ(transferTotals(), (std::vector<std::string>{"1|0|140", "2|100|0", "3|40|0"}));
    h.select(kGrid, 1);
    remove(false);
    EXPECT_EQ(h.boxes.texts(), std::vector<QString>{QStringLiteral("是否确定删除？2")});
    EXPECT_EQ(stored().size(), 2u);
    remove();
    EXPECT_EQ(h.rowCount(kGrid), 1) << "the period is listed again";
    EXPECT_EQ(transferTotals(), (std::vector<std::string>{"1|0|100", "2|100|0", "3|0|0"}));
    h.select(kGrid, 0);
    remove();
    EXPECT_EQ(h.rowCount(kGrid), 0);
    EXPECT_EQ(transferTotals(), (std::vector<std::string>{"1|0|0", "2|0|0", "3|0|0"}));
}

// ---- the account list ---------------------------------------------------------------------

TEST_F(TransfersPageTest, TheAccountListIsReadAgainWheneverThePageIsEntered)
{
    const int64_t account = h.household().addAccount("工资卡");
    h.household().addTransfer(account, 1, "500", iso(h.context().opened));
    h.enter();
    EXPECT_EQ(shown(0, "转出账户"), QStringLiteral("工资卡"));
    h.click("Button38");
    QComboBox* list = testsupport::dropLookup(grid(), 1, QStringLiteral("转出账户"));
    ASSERT_NE(list, nullptr);
    EXPECT_TRUE(list->view()->isVisible()) << "the list drops down as soon as editing starts";
    EXPECT_EQ(list->count(), 4);
    EXPECT_EQ(list->model()->headerData(0, Qt::Horizontal).toString(), QStringLiteral("id"));
    EXPECT_EQ(list->model()->headerData(1, Qt::Horizontal).toString(), QStringLiteral("账户"));
    auto* table = qobject_cast<QTableView*>(list->view());
    ASSERT_NE(table, nullptr);
    EXPECT_EQ(table->horizontalHeader()->sectionResizeMode(0), QHeaderView::Interactive) << "the list's columns can be resized";
    testsupport::saveScreenshot(h.window(), QStringLiteral("transfers-page-account-list"), {list->view()->window()});
    list->hidePopup();
    list->setCurrentIndex(list->findText(QStringLiteral("工资卡")));
    QTest::keyClick(list, Qt::Key_Return);
    QApplication::processEvents();
    EXPECT_EQ(transfers().text("zh1"), std::to_string(account));
}

} // namespace
