// The categories page: the top-level categories of a class on the left,
// the items of the category clicked on the right, each list added to,
// deleted from and saved on its own; every item's quick code follows its name.

#include "page_harness.h"
#include "screenshots.h"
#include "typing.h"

#include "mainwindow/categories/categories_page.h"
#include "widgets/data_grid.h"

#include <QApplication>
#include <QGroupBox>
#include <QTest>
#include <gtest/gtest.h>

using Kind = testsupport::ScriptedMessageBoxes::Kind;

namespace {

constexpr const char* kCategories = "DBGridEh4";
constexpr const char* kItems = "DBGridEh5";
const QString kName = QStringLiteral("项目名称");
const QString kCode = QStringLiteral("快速代码");

class CategoriesPageTest : public testing::Test {
protected:
    void SetUp() override { h.enter("Z"); }

    QString names(const char* grid) { return h.columnTexts(grid, kName).join(','); }
    QString codes() { return h.columnTexts(kItems, kCode).join(','); }
    ledger::Query& items() { return *h.grid(kItems)->query(); }
    ledger::Query& categories() { return *h.grid(kCategories)->query(); }
    std::string scalar(const std::string& statement) { return h.household().scalar(statement); }
    std::string codeOf(int id) { return scalar("select f_pinyin from s_fenlei where id=" + std::to_string(id)); }
    void press(const char* button, bool ok = true)
    {
        h.boxes.answer(ok);
        h.click(button);
    }
    void keyDown(const char* grid)
    {
        h.grid(grid)->view()->setFocus();
        QTest::keyClick(h.grid(grid)->view(), Qt::Key_Down);
        QApplication::processEvents();
    }
    // Opens the cell's editor, clears it and presses Enter.
    void clearCell(const char* grid, int row, const QString& column)
    {
        QTableView* view = h.grid(grid)->view();
        view->setFocus();
        view->setCurrentIndex(h.grid(grid)->model()->index(row, h.grid(grid)->model()->columnOf(column)));
        QTest::keyClick(view, Qt::Key_F2);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backspace);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QApplication::processEvents();
    }
    void expectRefusal(const char* text)
    {
        ASSERT_FALSE(h.boxes.shown().empty());
        EXPECT_EQ(h.boxes.shown().back().kind, Kind::Refusal);
        EXPECT_EQ(h.boxes.shown().back().text, QString::fromUtf8(text));
    }

    testsupport::PageHarness<mainwindow::CategoriesPage> h;
};

const char* const kExpenditureCategories = "餐饮美食,交通出行,居家生活,通讯网络,休闲娱乐,医疗保健,学习教育,人情往来,服饰美容";

// ---- opening and showing -----------------------------------------------------------------

TEST_F(CategoriesPageTest, EachClassShowsItsCategoriesAndTheItemsOfTheFirst)
{
    EXPECT_EQ(names(kCategories), QString::fromUtf8(kExpenditureCategories));
    EXPECT_EQ(names(kItems), QStringLiteral("早餐,午餐,晚餐,买菜,水果零食"));
    EXPECT_EQ(codes(), QStringLiteral("zc,wc,wc,mc,sgls"));
    EXPECT_EQ(h.find<QGroupBox>("GroupBoxCategories")->title(), QStringLiteral("支出类别"));
    testsupport::saveScreenshot(h.window(), QStringLiteral("categories-expenditure"));
    h.enter("S");
    EXPECT_EQ(names(kCategories), QStringLiteral("工资薪金,其他收入"));
    EXPECT_EQ(names(kItems), QStringLiteral("工资,奖金,加班费"));
    EXPECT_EQ(h.find<QGroupBox>("GroupBoxCategories")->title(), QStringLiteral("收入类别"));
    testsupport::saveScreenshot(h.window(), QStringLiteral("categories-income"));
}

TEST_F(CategoriesPageTest, TheGridsShowOnlyNamesAndCodesAcrossTheirWidth)
{
    widgets::DataGrid* left = h.grid(kCategories);
    widgets::DataGrid* right = h.grid(kItems);
    EXPECT_EQ(left->width(), 249);
    for (int c : {0, 1, 2})
        EXPECT_EQ(right->view()->isColumnHidden(c), true) << c;
    EXPECT_EQ(left->view()->isColumnHidden(0) && left->view()->isColumnHidden(1), true);
    EXPECT_EQ(left->view()->columnWidth(2), left->view()->viewport()->width());
    EXPECT_EQ(right->view()->columnWidth(3) + right->view()->columnWidth(4), right->view()->viewport()->width());
    EXPECT_LT(h.find("Button31")->mapTo(h.window(), QPoint()).x(), h.find("Button32")->mapTo(h.window(), QPoint()).x());
    EXPECT_EQ(h.find("Button34")->mapTo(h.window(), QPoint()).y(), h.find("Button29")->mapTo(h.window(), QPoint()).y());
}

TEST_F(CategoriesPageTest, AClickOnACategoryShowsItsItemsTheKeyboardDoesNot)
{
    keyDown(kCategories);
    EXPECT_EQ(categories().currentRow(), 1);
    EXPECT_EQ(names(kItems), QStringLiteral("早餐,午餐,晚餐,买菜,水果零食"));
    h.select(kCategories, 1);
    EXPECT_EQ(names(kItems), QStringLiteral("公交地铁,打车,加油,停车费"));
    h.db().execute("delete from s_fenlei where f_class='S'");
    h.enter("S");
    EXPECT_EQ(h.rowCount(kCategories), 0);
    EXPECT_EQ(h.rowCount(kItems), 0);
}

// ---- adding ---------------------------------------------------------------------------------

TEST_F(CategoriesPageTest, AddingWaitsWhileTheCurrentRowHasNoName)
{
    h.click("Button29");
    h.click("Button29");
    EXPECT_EQ(h.rowCount(kCategories), 10);
    EXPECT_EQ(categories().text("f_class"), "Z");
    h.typeIntoCell(kCategories, 9, kName, QStringLiteral("宠物"));
    h.click("Button29");
    EXPECT_EQ(h.rowCount(kCategories), 11);

    h.click("Button32");
    h.click("Button32");
    EXPECT_EQ(h.rowCount(kItems), 6);
    EXPECT_EQ(items().text("f_id"), "1");
    EXPECT_EQ(items().text("f_class"), "Z");
}

TEST_F(CategoriesPageTest, AnEmptyListTakesItsFirstRowAndANewCategoryItsFirstItem)
{
    h.db().execute("delete from s_fenlei where f_class='S'");
    h.enter("S");
    h.click("Button29");
    h.typeIntoCell(kCategories, 0, kName, QStringLiteral("投资收益"));
    press("Button31");
    const std::string id = scalar("select id from s_fenlei where f_name='投资收益'");
    EXPECT_EQ(h.household().rows("select f_id, f_class from s_fenlei where id=" + id), std::vector<std::string>{"0|S"});
    h.select(kCategories, 0);
    EXPECT_EQ(h.rowCount(kItems), 0);
    h.click("Button32");
    h.typeIntoCell(kItems, 0, kName, QStringLiteral("股票分红"));
    press("Button34");
    EXPECT_EQ(h.household().rows("select f_id, f_class, f_name, f_pinyin from s_fenlei where f_id=" + id),
              std::vector<std::string>{id + "|S|股票分红|gpfh"});
}

// An item saved before its category would belong to none: the category
// page would never list it again.
TEST_F(CategoriesPageTest, NoItemIsAddedUnderAnUnsavedCategoryOrNone)
{
    h.click("Button29");
    h.typeIntoCell(kCategories, 9, kName, QStringLiteral("宠物"));
    h.select(kCategories, 9);
    EXPECT_EQ(h.rowCount(kItems), 0);
    h.click("Button32");
    EXPECT_EQ(h.rowCount(kItems), 0);
    h.db().execute("delete from s_fenlei where f_class='S'");
    h.enter("S");
    h.click("Button32");
    EXPECT_EQ(h.rowCount(kItems), 0);
    EXPECT_TRUE(h.boxes.shown().empty());
}

// ---- saving and the budget rows -------------------------------------------------------------

TEST_F(CategoriesPageTest, SavedExpenditureCategoriesGetABudgetRowOnEitherPage)
{
    h.click("Button29");
    h.typeIntoCell(kCategories, 9, kName, QStringLiteral("宠物"));
    press("Button31");
    EXPECT_EQ(h.boxes.texts(), std::vector<QString>{QStringLiteral("是否确定保存数据？")});
    EXPECT_EQ(scalar("select count(*) from s_yushuan y inner join s_fenlei f on y.f_id=f.id where f.f_name='宠物'"), "1");
    EXPECT_EQ(scalar("select count(*) from s_yushuan"), "10");

    h.db().execute("delete from s_yushuan where f_id=11"); // a category that lost its row
    h.enter("S");
    h.click("Button29");
    h.typeIntoCell(kCategories, 2, kName, QStringLiteral("投资收益"));
    press("Button31");
    EXPECT_EQ(scalar("select count(*) from s_yushuan where f_id=11"), "1") << "the income page fills expenditure gaps too";
    EXPECT_EQ(scalar("select count(*) from s_yushuan y inner join s_fenlei f on y.f_id=f.id where f.f_class='S'"), "0");
}

TEST_F(CategoriesPageTest, TheBudgetRowsAreWrittenWithTheCategoriesOrNeither)
{
    h.click("Button29");
    h.typeIntoCell(kCategories, 9, kName, QStringLiteral("宠物"));
    h.db().executeNative("CREATE TEMP TRIGGER no_budgets BEFORE INSERT ON s_yushuan BEGIN SELECT RAISE(ABORT, '磁盘已满'); END");
    press("Button31");
    EXPECT_EQ(h.boxes.texts().back(), QStringLiteral("对不起，数据格式不对"));
    EXPECT_EQ(h.boxes.shown().back().kind, Kind::Notice);
    EXPECT_EQ(scalar("select count(*) from s_fenlei where f_name='宠物'"), "0");
    EXPECT_TRUE(categories().hasPendingChanges());
    EXPECT_FALSE(h.db().inTransaction());
    h.db().executeNative("DROP TRIGGER no_budgets");
    press("Button31");
    EXPECT_EQ(scalar("select count(*) from s_yushuan y inner join s_fenlei f on y.f_id=f.id where f.f_name='宠物'"), "1");
}

TEST_F(CategoriesPageTest, AFailingOrCancelledItemSaveKeepsOrDropsTheEdits)
{
    h.click("Button32");
    h.typeIntoCell(kItems, 5, kName, QString(51, QChar(0x996D))); // longer than a name may be
    press("Button34");
    EXPECT_EQ(h.boxes.texts().back(), QStringLiteral("对不起，数据格式不对"));
    EXPECT_TRUE(items().hasPendingChanges());
    EXPECT_EQ(scalar("select count(*) from s_fenlei where f_id=1"), "5");
    press("Button34", false);
    EXPECT_FALSE(items().hasPendingChanges());
    EXPECT_EQ(h.rowCount(kItems), 5);
}

// ---- deleting --------------------------------------------------------------------------------

TEST_F(CategoriesPageTest, TheDefaultCategoriesCannotBeDeleted)
{
    h.click("Button30");
    expectRefusal("对不起，系统默认项，不能删除");
    h.enter("S");
    h.click("Button30");
    expectRefusal("对不起，系统默认项，不能删除");
    EXPECT_EQ(h.boxes.shown().size(), 2u) << "no question after the refusal";
    EXPECT_EQ(scalar("select count(*) from s_fenlei where id in (1, 4)"), "2");
}

TEST_F(CategoriesPageTest, DeletingACategoryTakesItsBudgetRowLeavesItsItemsAndShowsTheFirst)
{
    h.select(kCategories, 1);
    ASSERT_EQ(names(kItems), QStringLiteral("公交地铁,打车,加油,停车费"));
    press("Button30", false);
    EXPECT_EQ(scalar("select count(*) from s_fenlei where id=11"), "1");
    press("Button30");
    EXPECT_EQ(h.boxes.texts().back(), QStringLiteral("是否确定删除？"));
    EXPECT_EQ(scalar("select count(*) from s_fenlei where id=11"), "0");
    EXPECT_EQ(scalar("select count(*) from s_yushuan where f_id=11"), "0");
    EXPECT_EQ(scalar("select count(*) from s_fenlei where f_id=11"), "4") << "the items stay";
    EXPECT_FALSE(names(kCategories).contains(QStringLiteral("交通出行")));
    EXPECT_EQ(categories().currentRow(), 0);
    EXPECT_EQ(names(kItems), QStringLiteral("早餐,午餐,晚餐,买菜,水果零食"));
    h.click("Button32");
    EXPECT_EQ(items().text("f_id"), "1") << "new items go to the category shown";
}

TEST_F(CategoriesPageTest, DeletingAnItemShowsTheItemsOfTheCurrentCategoryAgain)
{
    h.select(kCategories, 1);
    h.select(kItems, 1);
    press("Button33");
    EXPECT_EQ(scalar("select count(*) from s_fenlei where id=13"), "0");
    EXPECT_EQ(names(kItems), QStringLiteral("公交地铁,加油,停车费"));
    keyDown(kCategories); // 居家生活 is current, 交通出行 still shown
    h.select(kItems, 0);
    press("Button33");
    EXPECT_EQ(names(kItems), QStringLiteral("房租,水电燃气,物业费,日用品"));
    h.click("Button32");
    h.typeIntoCell(kItems, 4, kName, QStringLiteral("保洁"));
    h.click("Button33");
    EXPECT_EQ(h.rowCount(kItems), 5) << "an unsaved item is not deleted";
    EXPECT_EQ(h.boxes.texts().size(), 2u);
}

// ---- quick codes ------------------------------------------------------------------------------

TEST_F(CategoriesPageTest, ANamedOrRenamedItemGetsTheCodeOfItsNameWithTheSave)
{
    h.click("Button32");
    h.typeIntoCell(kItems, 5, kName, QStringLiteral("交通费"));
    EXPECT_EQ(h.cell(kItems, 5, kCode), QStringLiteral("jtf")) << "shown before the save";
    h.typeIntoCell(kItems, 0, kName, QStringLiteral(" 早点 "));
    EXPECT_EQ(h.cell(kItems, 0, kCode), QStringLiteral("zd"));
    EXPECT_EQ(codeOf(2), "zc") << "nothing is written before the save";
    press("Button34");
    EXPECT_EQ(codeOf(2), "zd");
    EXPECT_EQ(scalar("select f_pinyin from s_fenlei where f_name='交通费'"), "jtf");
    EXPECT_FALSE(items().hasPendingChanges());
}

// 保存 while the name is still in the cell's editor: the save takes the name
// and its code at once, nothing is left pending.
TEST_F(CategoriesPageTest, ANameStillBeingTypedIsSavedWithItsCode)
{
    h.click("Button32");
    QTableView* view = h.grid(kItems)->view();
    view->setFocus();
    view->setCurrentIndex(h.grid(kItems)->model()->index(5, h.grid(kItems)->model()->columnOf(kName)));
    testsupport::typeText(view, QStringLiteral("交通费"));
    ASSERT_NE(QApplication::focusWidget(), view) << "the editor is open";
    press("Button34");
    EXPECT_EQ(scalar("select f_pinyin from s_fenlei where f_name='交通费'"), "jtf");
    EXPECT_FALSE(items().hasPendingChanges());
}

TEST_F(CategoriesPageTest, ANameWithoutChineseInitialsKeepsTheCode)
{
    h.typeIntoCell(kItems, 0, kName, QStringLiteral("KFC"));
    EXPECT_EQ(h.cell(kItems, 0, kCode), QStringLiteral("zc"));
    h.typeIntoCell(kItems, 1, kName, QStringLiteral("A区"));
    EXPECT_EQ(h.cell(kItems, 1, kCode), QStringLiteral("q"));
    clearCell(kItems, 1, kName);
    EXPECT_EQ(h.cell(kItems, 1, kName), QString());
    EXPECT_EQ(h.cell(kItems, 1, kCode), QStringLiteral("q")) << "an emptied name keeps its code";
    press("Button34");
    EXPECT_EQ(h.household().rows("select f_name, f_pinyin from s_fenlei where id in (2, 3)"),
              (std::vector<std::string>{"KFC|zc", "|q"}));
}

TEST_F(CategoriesPageTest, MovingOntoAnItemWithAStaleCodeRewritesIt)
{
    h.db().execute("update s_fenlei set f_pinyin='xx' where id in (2, 3)");
    h.enter("Z");
    EXPECT_EQ(h.cell(kItems, 0, kCode), QStringLiteral("zc")) << "the first item is current once the list opens";
    EXPECT_EQ(h.cell(kItems, 1, kCode), QStringLiteral("xx"));
    h.select(kItems, 1);
    EXPECT_EQ(h.cell(kItems, 1, kCode), QStringLiteral("wc"));
    h.select(kItems, 2);
    EXPECT_EQ(items().rowState(0), ledger::Query::RowState::Modified);
    EXPECT_EQ(items().rowState(1), ledger::Query::RowState::Modified);
    EXPECT_EQ(items().rowState(2), ledger::Query::RowState::Unchanged) << "a code that is right is left alone";
    EXPECT_EQ(codeOf(3), "xx");
    press("Button34");
    EXPECT_EQ(h.household().rows("select f_pinyin from s_fenlei where id in (2, 3)"), (std::vector<std::string>{"zc", "wc"}));
}

TEST_F(CategoriesPageTest, ACodeTypedByHandStaysWhileTheNameDoesNotChange)
{
    h.typeIntoCell(kItems, 0, kCode, QStringLiteral("cf"));
    press("Button34");
    EXPECT_EQ(codeOf(2), "cf");
    h.typeIntoCell(kItems, 0, kName, QStringLiteral("早饭"));
    EXPECT_EQ(h.cell(kItems, 0, kCode), QStringLiteral("zf"));
}

} // namespace
