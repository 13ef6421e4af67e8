// The person report: each user's income and expenditure per month.

#include "page_harness.h"

#include "mainwindow/reports/person_report_page.h"
#include "widgets/data_grid.h"
#include "widgets/date_picker.h"

#include <gtest/gtest.h>

namespace {

class PersonReportTest : public testing::Test {
protected:
    void SetUp() override
    {
        auto& house = h.household();
        house.addUser("爸爸"); // 2
        house.addUser("妈妈"); // 3
        // 爸爸: paid and spending in February and in March.
        house.addRecord("S", 5, "8000", "2024-02-05", 2);
        house.addRecord("S", 5, "8000", "2024-03-05", 2);
        house.addRecord("Z", 2, "12.5", "2024-02-10", 2);
        house.addRecord("Z", 3, "30", "2024-03-12", 2);
        // 妈妈: spending in February only, income in March only.
        house.addRecord("Z", 13, "45.67", "2024-02-28", 3);
        house.addRecord("S", 6, "1000.25", "2024-03-20", 3);
        // Months outside the period.
        house.addRecord("Z", 2, "99", "2024-01-31", 2);
        house.addRecord("S", 6, "77", "2024-04-01", 3);
        h.enter();
    }

    void refresh(QDate first, QDate last)
    {
        h.find<widgets::DatePicker>("DateTimePicker10")->setDate(first);
        h.find<widgets::DatePicker>("DateTimePicker9")->setDate(last);
        h.click("Button45");
    }
    QStringList rows() { return h.rowTexts("DBGridEh15", {"sys_name", "s_month", "收入", "支出"}); }
    QStringList footer() { return h.footerTexts("DBGridEh15"); }

    testsupport::PageHarness<mainwindow::PersonReportPage> h;
};

TEST_F(PersonReportTest, OneRowPerUserAndMonthWithZeroForTheSideItLacks)
{
    refresh(QDate(2024, 2, 15), QDate(2024, 3, 10));
    EXPECT_EQ(rows(), (QStringList{"爸爸|2024-02|￥8000.00|￥12.50", "爸爸|2024-03|￥8000.00|￥30.00",
                                   "妈妈|2024-02|￥.00|￥45.67", "妈妈|2024-03|￥1000.25|￥.00"}))
        << "each month the period touches, whole, in order of user and month";
    EXPECT_EQ(footer(), (QStringList{"", "合计：", "￥17000.25", "￥88.17"})) << "each amount counted once";
}

TEST_F(PersonReportTest, TheGridShowsItsColumnsAsTheFamilyReadsThem)
{
    refresh(QDate(2024, 3, 1), QDate(2024, 3, 1));
    widgets::DataGrid* grid = h.grid("DBGridEh15");
    EXPECT_EQ(h.titles("DBGridEh15"), (QStringList{"用户", "月份", "收入", "支出"}));
    const int income = grid->model()->columnOf("收入");
    EXPECT_TRUE(grid->model()->data(grid->model()->index(0, income), Qt::TextAlignmentRole).toInt() & Qt::AlignLeft);
    EXPECT_NEAR(grid->view()->columnWidth(3), 2 * grid->view()->columnWidth(2), 5) << "支出 twice as wide as 收入";
    EXPECT_EQ(rows(), (QStringList{"爸爸|2024-03|￥8000.00|￥30.00", "妈妈|2024-03|￥1000.25|￥.00"}));
}

TEST_F(PersonReportTest, APeriodEndingBeforeItStartsListsNothing)
{
    refresh(QDate(2024, 3, 20), QDate(2024, 3, 5));
    EXPECT_EQ(h.rowCount("DBGridEh15"), 0);
    refresh(QDate(2024, 4, 1), QDate(2024, 2, 1));
    EXPECT_EQ(h.rowCount("DBGridEh15"), 0);
    EXPECT_EQ(footer(), (QStringList{"", "合计：", "￥.00", "￥.00"}));
}

} // namespace
