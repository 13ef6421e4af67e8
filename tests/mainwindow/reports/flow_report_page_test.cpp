// The daily flow report: the days of a period with their income and
// expenditure, and the records of the day chosen in that list.

#include "page_harness.h"

#include "mainwindow/reports/flow_report_page.h"
#include "widgets/data_grid.h"
#include "widgets/date_picker.h"

#include <QTest>
#include <gtest/gtest.h>

namespace {

class FlowReportTest : public testing::Test {
protected:
    void SetUp() override
    {
        auto& house = h.household();
        house.addUser("爸爸"); // 2
        house.addUser("妈妈"); // 3
        // A week of a household: five days with only spending, one payday.
        house.addRecord("Z", 2, "12.5", "2024-03-04", 2, 1, "豆浆油条");
        house.addRecord("Z", 3, "30", "2024-03-05", 3, 2);
        house.addRecord("Z", 13, "0.5", "2024-03-05", 2, 1);
        house.addRecord("S", 5, "8000", "2024-03-06", 2, 2, "三月工资");
        house.addRecord("Z", 2, "8.3", "2024-03-07", 2, 1);
        house.addRecord("Z", 3, "25", "2024-03-08", 3, 1);
        house.addRecord("Z", 2, "6", "2024-03-09", 2, 1);
        // Just outside the week.
        house.addRecord("S", 6, "50", "2024-03-03", 2, 1);
        house.addRecord("Z", 3, "100", "2024-03-11", 2, 1);
        h.enter();
    }

    void refresh(QDate first, QDate last)
    {
        h.find<widgets::DatePicker>("DateTimePicker5")->setDate(first);
        h.find<widgets::DatePicker>("DateTimePicker6")->setDate(last);
        h.click("Button43");
    }
    void refreshTheWeek() { refresh(QDate(2024, 3, 4), QDate(2024, 3, 10)); }
    QStringList footer(const char* grid) { return h.footerTexts(grid); }
    QStringList items(const char* grid) { return h.columnTexts(grid, "项目"); }

    testsupport::PageHarness<mainwindow::FlowReportPage> h;
};

TEST_F(FlowReportTest, AWeekOfMostlySpendingListsEveryDayWithARecord)
{
    refreshTheWeek();
    EXPECT_EQ(h.columnTexts("DBGridEh10", "x_d"),
              (QStringList{"2024/3/4", "2024/3/5", "2024/3/6", "2024/3/7", "2024/3/8", "2024/3/9"}))
        << "days with only spending or only income are listed too, in date order";
    EXPECT_EQ(h.columnTexts("DBGridEh10", "a"), (QStringList{"￥.00", "￥.00", "￥8000.00", "￥.00", "￥.00", "￥.00"}));
    EXPECT_EQ(h.columnTexts("DBGridEh10", "b"), (QStringList{"￥12.50", "￥30.50", "￥.00", "￥8.30", "￥25.00", "￥6.00"}));
    EXPECT_EQ(footer("DBGridEh10"), (QStringList{"总计：", "￥8000.00", "￥82.30"})) << "the sums of the listed days only";
    EXPECT_EQ(h.titles("DBGridEh10"), (QStringList{"日期", "收入", "支出"}));
}

TEST_F(FlowReportTest, TheRecordsOfTheChosenDayAreShownBesideTheList)
{
    refreshTheWeek();
    EXPECT_EQ(items("DBGridEh11"), QStringList{"早餐"}) << "the first day's records come with the refresh";
    EXPECT_EQ(h.cell("DBGridEh11", 0, "备注"), QStringLiteral("豆浆油条"));
    EXPECT_EQ(h.rowCount("DBGridEh12"), 0);

    h.select("DBGridEh10", 1);
    EXPECT_EQ(items("DBGridEh11"), (QStringList{"午餐", "打车"}));
    EXPECT_EQ(h.columnTexts("DBGridEh11", "收付款人"), (QStringList{"妈妈", "爸爸"}));
    EXPECT_EQ(footer("DBGridEh11"), (QStringList{"总计：", "", "￥30.50", "", ""}));

    h.select("DBGridEh10", 2); // payday: income only
    EXPECT_EQ(h.rowCount("DBGridEh11"), 0);
    EXPECT_EQ(items("DBGridEh12"), QStringList{"工资"});
    EXPECT_EQ(h.cell("DBGridEh12", 0, "账户"), QStringLiteral("银行卡"));
    EXPECT_EQ(footer("DBGridEh12"), (QStringList{"总计：", "", "￥8000.00", "", ""}));

    QTest::keyClick(h.grid("DBGridEh10")->view(), Qt::Key_Down); // the keyboard moves the day too
    QApplication::processEvents();
    EXPECT_EQ(items("DBGridEh11"), QStringList{"早餐"});
    EXPECT_EQ(h.cell("DBGridEh11", 0, "金额"), QStringLiteral("￥8.30"));
    EXPECT_EQ(h.rowCount("DBGridEh12"), 0);
}

TEST_F(FlowReportTest, ARefreshThatFindsNothingKeepsTheDaysRecords)
{
    refreshTheWeek();
    h.select("DBGridEh10", 1);
    refresh(QDate(2024, 1, 1), QDate(2024, 1, 31));
    EXPECT_EQ(h.rowCount("DBGridEh10"), 0);
    EXPECT_EQ(footer("DBGridEh10"), (QStringList{"总计：", "￥.00", "￥.00"}));
    EXPECT_EQ(items("DBGridEh11"), (QStringList{"午餐", "打车"}));
}

TEST_F(FlowReportTest, APeriodEndingBeforeItStartsListsNothing)
{
    refresh(QDate(2024, 3, 10), QDate(2024, 3, 4));
    EXPECT_EQ(h.rowCount("DBGridEh10"), 0);
    EXPECT_TRUE(h.boxes.shown().empty());
}

TEST_F(FlowReportTest, EnteringLoadsNothingAndF5Refreshes)
{
    h.find<widgets::DatePicker>("DateTimePicker5")->setDate(QDate(2024, 3, 4));
    h.find<widgets::DatePicker>("DateTimePicker6")->setDate(QDate(2024, 3, 10));
    EXPECT_EQ(h.rowCount("DBGridEh10"), 0) << "empty the first time";
    h.press(QKeySequence(Qt::Key_F5));
    EXPECT_EQ(h.rowCount("DBGridEh10"), 6);
    h.household().addRecord("Z", 2, "1", "2024-03-10");
    h.enter();
    EXPECT_EQ(h.rowCount("DBGridEh10"), 6) << "the list keeps what it showed until 刷新";
    h.press(QKeySequence(Qt::Key_F5));
    EXPECT_EQ(h.rowCount("DBGridEh10"), 7);
}

TEST_F(FlowReportTest, ADayWhoseRecordsCannotBeReadIsPassedOverSilently)
{
    refreshTheWeek();
    h.select("DBGridEh10", 2); // the income details hold the payday
    h.db().executeNative("DROP VIEW s_z_all");
    h.select("DBGridEh10", 1);
    EXPECT_TRUE(h.boxes.shown().empty()) << "no message for the details";
    EXPECT_EQ(h.rowCount("DBGridEh11"), 0) << "the list that failed is left empty";
    EXPECT_EQ(items("DBGridEh12"), QStringList{"工资"}) << "the one after it keeps what it showed";
    EXPECT_EQ(h.grid("DBGridEh10")->query()->currentRow(), 1);
}

} // namespace
