// The category report: spending and income per item name over a period,
// and the difference of the two totals.

#include "page_harness.h"

#include "mainwindow/reports/category_report_page.h"
#include "widgets/data_grid.h"
#include "widgets/date_picker.h"

#include <gtest/gtest.h>

namespace {

class CategoryReportTest : public testing::Test {
protected:
    void SetUp() override
    {
        auto& house = h.household();
        // 礼物 twice: once for a meal out, once among the family's gifts.
        const int64_t mealGift = house.addItem(1, "Z", "礼物", "lw");
        const int64_t familyGift = house.addItem(34, "Z", "礼物", "lw");
        house.addRecord("Z", 2, "20", "2024-03-02");
        house.addRecord("Z", 3, "30", "2024-03-05");
        house.addRecord("Z", mealGift, "500", "2024-03-08");
        house.addRecord("Z", familyGift, "250", "2024-03-20");
        house.addRecord("S", 5, "1000.25", "2024-03-10");
        house.addRecord("Z", 13, "80", "2024-04-02");
        h.enter();
    }

    void refresh(QDate first, QDate last)
    {
        h.find<widgets::DatePicker>("DateTimePicker8")->setDate(first);
        h.find<widgets::DatePicker>("DateTimePicker7")->setDate(last);
        h.click("Button44");
    }
    // The statement asks for no order.
    QStringList rows(const char* grid)
    {
        QStringList out = h.rowTexts(grid, {"项目", "金额"});
        out.sort();
        return out;
    }
    QStringList footer(const char* grid) { return h.footerTexts(grid); }
    QString difference() { return h.find<QLabel>("Label37")->text(); }

    testsupport::PageHarness<mainwindow::CategoryReportPage> h;
};

TEST_F(CategoryReportTest, TotalsPerItemNameAndTheDifference)
{
    refresh(QDate(2024, 3, 1), QDate(2024, 3, 31));
    EXPECT_EQ(rows("DBGridEh13"), (QStringList{"午餐|￥30.00", "早餐|￥20.00", "礼物|￥750.00"}))
        << "items of one name under different categories are added together";
    EXPECT_EQ(rows("DBGridEh14"), QStringList{"工资|￥1000.25"});
    EXPECT_EQ(footer("DBGridEh13"), (QStringList{"总计：", "￥800.00"}));
    EXPECT_EQ(footer("DBGridEh14"), (QStringList{"总计：", "￥1000.25"}));
    EXPECT_EQ(difference(), QStringLiteral("200.25 元"));
    EXPECT_EQ(h.find<QLabel>("Label39")->text(), QStringLiteral("合计差额＝收入－支出："));
    EXPECT_EQ(h.find<QLabel>("Label37")->palette().color(QPalette::WindowText), QColor(Qt::red));
}

TEST_F(CategoryReportTest, SpendingAboveIncomeGivesANegativeDifference)
{
    refresh(QDate(2024, 4, 1), QDate(2024, 4, 30));
    EXPECT_EQ(rows("DBGridEh13"), QStringList{"打车|￥80.00"});
    EXPECT_EQ(h.rowCount("DBGridEh14"), 0);
    EXPECT_EQ(difference(), QStringLiteral("-80 元"));
}

TEST_F(CategoryReportTest, AnEmptyOrReversedPeriodGivesEmptyListsAndNoDifference)
{
    for (const auto& [first, last] :
         {std::pair{QDate(2023, 1, 1), QDate(2023, 12, 31)}, {QDate(2024, 3, 31), QDate(2024, 3, 1)}}) {
        refresh(QDate(2024, 3, 1), QDate(2024, 3, 31));
        refresh(first, last);
        EXPECT_EQ(h.rowCount("DBGridEh13"), 0) << first.toString().toStdString();
        EXPECT_EQ(h.rowCount("DBGridEh14"), 0);
        EXPECT_EQ(footer("DBGridEh13"), (QStringList{"总计：", "￥.00"}));
        EXPECT_EQ(difference(), QStringLiteral("0 元"));
    }
}

TEST_F(CategoryReportTest, EnteringKeepsWhatTheReportShowedUntilF5)
{
    EXPECT_EQ(difference(), QString()) << "nothing is loaded on entering";
    h.find<widgets::DatePicker>("DateTimePicker8")->setDate(QDate(2024, 3, 1));
    h.find<widgets::DatePicker>("DateTimePicker7")->setDate(QDate(2024, 3, 31));
    h.press(QKeySequence(Qt::Key_F5));
    EXPECT_EQ(difference(), QStringLiteral("200.25 元"));
    h.household().addRecord("S", 6, "0.75", "2024-03-31");
    h.enter();
    EXPECT_EQ(difference(), QStringLiteral("200.25 元"));
    EXPECT_EQ(h.rowCount("DBGridEh14"), 1);
    h.press(QKeySequence(Qt::Key_F5));
    EXPECT_EQ(difference(), QStringLiteral("201 元"));
}

} // namespace
