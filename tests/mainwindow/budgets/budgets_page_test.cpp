// The budget page: a month's spending per category beside its budget, and
// the budgets themselves, written row by row.

#include "page_harness.h"
#include "typing.h"

#include "mainwindow/budgets/budgets_page.h"
#include "pages/categories_statements.h"
#include "widgets/data_grid.h"
#include "widgets/spin_edit.h"

#include <QApplication>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <gtest/gtest.h>

using Kind = testsupport::ScriptedMessageBoxes::Kind;

namespace {

class BudgetsPageTest : public testing::Test {
protected:
    void SetUp() override
    {
        auto& house = h.household();
        house.setBudget(1, "1500", "饭钱");
        house.addRecord("Z", 2, "20", "2024-03-02"); // 餐饮美食
        house.addRecord("Z", 3, "30.5", "2024-03-31"); // 餐饮美食
        house.addRecord("Z", 13, "15", "2024-03-09"); // 交通出行
        house.addRecord("S", 5, "8000", "2024-03-05"); // income is no spending
        house.addRecord("Z", 2, "9", "2024-04-01");
        h.enter();
    }

    widgets::SpinEdit* spin(const char* name) { return h.find<widgets::SpinEdit>(name); }
    // Clicks into the field, types over its text, and clicks the other field.
    void typeInto(const char* field, const QString& text, const char* then)
    {
        h.click(field);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_A, Qt::ControlModifier);
        testsupport::typeText(QApplication::focusWidget(), text);
        h.click(then);
    }
    void compare(const QString& year, const QString& month)
    {
        typeInto("SpinEdit2", year, "SpinEdit1");
        typeInto("SpinEdit1", month, "SpinEdit2");
        h.click("Button42");
    }
    // The statement asks for no order.
    QStringList comparison()
    {
        QStringList out = h.rowTexts("DBGridEh8", {"f_name", "xxmoney", "y_money", "y_x"});
        out.sort();
        return out;
    }
    QTabWidget* tabs() { return h.find<QTabWidget>("PageControl1"); }
    void chooseTab(int index)
    {
        QTabBar* bar = tabs()->tabBar();
        QTest::mouseClick(bar, Qt::LeftButton, Qt::NoModifier, bar->tabRect(index).center());
        QApplication::processEvents();
    }
    std::string budget(int category)
    {
        return h.household().scalar("select y_money & '|' & y_x from s_yushuan where f_id=" + std::to_string(category));
    }

    testsupport::PageHarness<mainwindow::BudgetsPage> h;
};

TEST_F(BudgetsPageTest, OpensOnTheCurrentMonthWhichHasNoSpendingYet)
{
    const QDate today = QDate::currentDate();
    EXPECT_EQ(spin("SpinEdit2")->text(), QString::number(today.year()));
    EXPECT_EQ(spin("SpinEdit1")->text(), QString::number(today.month()));
    EXPECT_EQ(h.rowCount("DBGridEh8"), 0) << "a month without expenditure lists nothing";
    EXPECT_EQ(tabs()->currentIndex(), 0);
    EXPECT_EQ(tabs()->tabBar()->tabRect(0).size(), QSize(80, 26));
    EXPECT_EQ(tabs()->tabBar()->tabRect(1).size(), QSize(80, 26));
}

TEST_F(BudgetsPageTest, ComparesAMonthsSpendingPerCategoryWithItsBudget)
{
    h.db().execute("update s_yushuan set y_money=Null where f_id=11");
    compare("2024", "3");
    EXPECT_EQ(comparison(), (QStringList{"交通出行|￥15.00||", "餐饮美食|￥50.50|￥1500.00|饭钱"}))
        << "a category whose budget is empty is listed with an empty budget";
    EXPECT_EQ(h.titles("DBGridEh8"), (QStringList{"项目名称", "本月消费总额", "预算消费金额", "备注"}));
    compare("2024", "4");
    EXPECT_EQ(comparison(), QStringList{"餐饮美食|￥9.00|￥1500.00|饭钱"});
}

TEST_F(BudgetsPageTest, TheYearRunsFrom1900To2100)
{
    h.household().addRecord("Z", 2, "18", "2025-06-01");
    compare("2025", "6");
    EXPECT_EQ(spin("SpinEdit2")->text(), QStringLiteral("2025")) << "a recent year stays as typed";
    EXPECT_EQ(comparison(), QStringList{"餐饮美食|￥18.00|￥1500.00|饭钱"});

    for (const auto& [typed, kept] : std::vector<std::pair<QString, QString>>{
             {"2100", "2100"}, {"2101", "2100"}, {"1900", "1900"}, {"1899", "1900"}, {"九", "1900"}}) {
        typeInto("SpinEdit2", typed, "SpinEdit1");
        EXPECT_EQ(spin("SpinEdit2")->text(), kept) << typed.toStdString();
    }
    typeInto("SpinEdit2", "2100", "SpinEdit1");
    h.click("SpinEdit2");
    h.press(QKeySequence(Qt::Key_Up));
    EXPECT_EQ(spin("SpinEdit2")->text(), QStringLiteral("2100")) << "the up button stops at the upper bound";
    typeInto("SpinEdit1", "13", "SpinEdit2");
    EXPECT_EQ(spin("SpinEdit1")->text(), QStringLiteral("12"));
}

TEST_F(BudgetsPageTest, TheSettingTabListsEveryBudgetByItsCategoryName)
{
    chooseTab(1);
    EXPECT_EQ(h.columnTexts("DBGridEh9", "项目名称"), (QStringList{"餐饮美食", "交通出行", "居家生活", "通讯网络", "休闲娱乐",
                                                                   "医疗保健", "学习教育", "人情往来", "服饰美容"}));
    EXPECT_EQ(h.cell("DBGridEh9", 0, "y_money"), QStringLiteral("￥1500.00"));
    EXPECT_EQ(h.cell("DBGridEh9", 1, "y_money"), QStringLiteral("￥.00"));
    widgets::DataGrid* grid = h.grid("DBGridEh9");
    EXPECT_TRUE(grid->view()->isColumnHidden(grid->model()->columnOf("id")));
    EXPECT_TRUE(grid->view()->isColumnHidden(grid->model()->columnOf("f_id")));
    EXPECT_EQ(h.titles("DBGridEh9"), (QStringList{"项目名称", "预算金额", "备注信息"}));

    h.typeIntoCell("DBGridEh9", 0, "项目名称", QStringLiteral("改名"));
    EXPECT_EQ(h.cell("DBGridEh9", 0, "项目名称"), QStringLiteral("餐饮美食")) << "the name is not edited here";
}

TEST_F(BudgetsPageTest, ABudgetIsWrittenWhenItsRowIsLeft)
{
    chooseTab(1);
    h.typeIntoCell("DBGridEh9", 1, "y_money", QStringLiteral("600"));
    h.typeIntoCell("DBGridEh9", 1, "y_x", QStringLiteral("油费"));
    h.select("DBGridEh9", 2);
    EXPECT_EQ(budget(11), "600|油费") << "no save button: the row is written as it is posted";
    chooseTab(0);
    compare("2024", "3");
    EXPECT_EQ(comparison(), (QStringList{"交通出行|￥15.00|￥600.00|油费", "餐饮美食|￥50.50|￥1500.00|饭钱"}));
}

TEST_F(BudgetsPageTest, ABudgetStillBeingTypedIsWrittenBeforeTheListsAreRead)
{
    chooseTab(1);
    h.typeIntoCell("DBGridEh9", 2, "y_money", QStringLiteral("3000"));
    chooseTab(0);
    EXPECT_EQ(budget(16), "3000|") << "leaving the tab writes it";
    chooseTab(1);
    h.typeIntoCell("DBGridEh9", 2, "y_x", QStringLiteral("房租"));
    h.enter(); // the navigation label again
    EXPECT_EQ(budget(16), "3000|房租") << "entering the page again does not drop it";
    EXPECT_EQ(h.cell("DBGridEh9", 2, "y_x"), QStringLiteral("房租"));
    EXPECT_TRUE(h.boxes.shown().empty());
}

TEST_F(BudgetsPageTest, ANoteTheDatabaseRefusesIsShownAndKept)
{
    chooseTab(1);
    h.typeIntoCell("DBGridEh9", 1, "y_x", QString(51, QLatin1Char('x')));
    h.select("DBGridEh9", 2);
    ASSERT_FALSE(h.boxes.shown().empty());
    EXPECT_EQ(h.boxes.shown().back().kind, Kind::StandardError);
    EXPECT_EQ(budget(11), "0|");
    EXPECT_EQ(h.grid("DBGridEh9")->query()->currentRow(), 1) << "the grid stays on the row";
}

TEST_F(BudgetsPageTest, ANewCategoryAppearsWithAnEmptyBudgetTheNextTimeThePageOpens)
{
    const int64_t pets = h.household().addCategory("Z", "宠物");
    h.db().execute(pages::kAddMissingBudgets); // as the category page saves it
    chooseTab(1);
    EXPECT_EQ(h.rowCount("DBGridEh9"), 9);
    h.enter();
    ASSERT_EQ(h.rowCount("DBGridEh9"), 10);
    EXPECT_EQ(h.cell("DBGridEh9", 9, "项目名称"), QStringLiteral("宠物"));
    EXPECT_EQ(h.cell("DBGridEh9", 9, "y_money"), QStringLiteral("￥.00"));
    EXPECT_EQ(h.cell("DBGridEh9", 9, "y_x"), QString());
    EXPECT_EQ(tabs()->currentIndex(), 1) << "the tab last chosen stays in front";

    h.db().execute("delete from s_fenlei where id=" + std::to_string(pets));
    h.enter();
    EXPECT_EQ(h.cell("DBGridEh9", 9, "项目名称"), QString()) << "a budget whose category is gone has no name";
}

} // namespace
