// The income and expenditure page: listing a day, finding an item, typing
// an amount, saving, editing and deleting records, the budget panel, the
// chart and the calculator, as a user does them.

#include "page_harness.h"
#include "screenshots.h"
#include "typing.h"

#include "mainwindow/entry/entry_page.h"
#include "widgets/bar_chart.h"
#include "widgets/data_grid.h"
#include "widgets/date_picker.h"
#include "widgets/lookup_combo_box.h"

#include <QApplication>
#include <QClipboard>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

using Kind = testsupport::ScriptedMessageBoxes::Kind;

namespace {

class EntryPageTest : public testing::Test {
protected:
    void SetUp() override
    {
        h.household().addUser("爸爸"); // id 2
        h.household().addUser("妈妈"); // id 3
        h.db().execute("insert into s_fenlei (f_id, f_class, f_name, f_pinyin) values (1, 'Z', '外卖', Null)"); // id 45
        h.enter("Z");
        setDates(QDate(2024, 3, 5), QDate(2024, 3, 5));
        h.boxes.clear();
    }

    QLineEdit* edit(const char* name) { return h.find<QLineEdit>(name); }
    widgets::DatePicker* picker(const char* name) { return h.find<widgets::DatePicker>(name); }
    widgets::LookupComboBox* box(const char* name) { return h.find<widgets::LookupComboBox>(name); }
    QWidget* itemList() { return h.find("GroupBox6"); }
    QString label(const char* name) { return h.find<QLabel>(name)->text(); }
    void press(const char* button) { h.click(button); }
    void enter(const char* klass) { h.enter(klass); }

    void setDates(QDate query, QDate editor)
    {
        picker("DateTimePicker1")->setDate(query);
        picker("DateTimePicker2")->setDate(editor);
    }

    // Types into the item field and clicks the first item found.
    void chooseItem(const QString& typed)
    {
        edit("Edit3")->setText(typed);
        ASSERT_GT(h.rowCount("DBGridEh2"), 0) << "no item for " << typed.toStdString();
        h.select("DBGridEh2", 0);
    }

    void typeAmount(const QString& amount)
    {
        edit("Edit1")->clear();
        edit("Edit1")->setFocus();
        testsupport::typeText(edit("Edit1"), amount);
    }

    // Adds a record as a user would: item, amount, payer, account, note, save.
    void addRecord(const QString& item, const QString& amount, int payer = 0, int account = 0, const QString& note = {})
    {
        press("Button1");
        chooseItem(item);
        typeAmount(amount);
        box("DBLookupComboboxEh1")->setCurrentIndex(payer);
        box("DBLookupComboboxEh2")->setCurrentIndex(account);
        edit("Edit2")->setText(note);
        press("Button3");
    }

    std::vector<std::string> records()
    {
        return h.household().rows("select f_fenleiid, s_jine, s_userid, s_other, s_zhanghuid, s_date, f_class from s_shouru");
    }
    QString shownAmount(int row) { return h.cell("DBGridEh1", row, QStringLiteral("金额")); }
    std::string account(int id, const char* column)
    {
        return h.household().scalar(std::string("select ") + column + " from z_zhanghu where id=" + std::to_string(id));
    }
    QWidget* keypadKey(const char* name) { return h.find<QPushButton>(name); }
    void keypad(std::initializer_list<const char*> keys)
    {
        for (const char* key : keys)
            h.find<QPushButton>(key)->click();
    }

    testsupport::PageHarness<mainwindow::EntryPage> h;
};

// ---- listing and dates ----------------------------------------------------------------

TEST_F(EntryPageTest, DateStepsMoveEachDateByOneDayAndDoNotList)
{
    setDates(QDate(2024, 3, 5), QDate(2024, 3, 10));
    addRecord(QStringLiteral("zc"), QStringLiteral("5"));
    setDates(QDate(2024, 3, 10), QDate(2024, 3, 10));
    press("Button7");
    EXPECT_EQ(h.rowCount("DBGridEh1"), 1);
    press("Button4");
    EXPECT_EQ(picker("DateTimePicker1")->date(), QDate(2024, 3, 9));
    EXPECT_EQ(picker("DateTimePicker2")->date(), QDate(2024, 3, 9));
    EXPECT_EQ(h.rowCount("DBGridEh1"), 1) << "the grid shows the old day until 查询";
    press("Button6");
    press("Button6");
    EXPECT_EQ(picker("DateTimePicker1")->date(), QDate(2024, 3, 11));
    picker("DateTimePicker2")->setDate(QDate(2020, 1, 1));
    press("Button6");
    EXPECT_EQ(picker("DateTimePicker1")->date(), QDate(2024, 3, 12));
    EXPECT_EQ(picker("DateTimePicker2")->date(), QDate(2020, 1, 2)) << "each date moves from its own value";
    press("Button5");
    EXPECT_EQ(picker("DateTimePicker1")->date(), QDate::currentDate());
    EXPECT_EQ(picker("DateTimePicker2")->date(), QDate::currentDate());
    press("Button7");
    EXPECT_EQ(h.rowCount("DBGridEh1"), 0);
}

TEST_F(EntryPageTest, TheDayGridShowsAmountsWithTheYenFormat)
{
    addRecord(QStringLiteral("zc"), QStringLiteral("0.5"));
    addRecord(QStringLiteral("wc"), QStringLiteral("12.5"));
    EXPECT_EQ(shownAmount(0), QStringLiteral("￥.50"));
    EXPECT_EQ(shownAmount(1), QStringLiteral("￥12.50"));
    auto* view = h.grid("DBGridEh1")->view();
    const int widths[] = {40, 60, 80, 80, 80, 80, 768 - 420};
    for (int c = 0; c < 7; ++c)
        EXPECT_EQ(view->columnWidth(c), widths[c]) << c;
}

// The program is Chinese throughout: its dates read year/month/day whatever
// the system's locale (the test runs in the C locale, which writes 3/5/2024).
TEST_F(EntryPageTest, DatesReadYearMonthDayWhateverTheLocale)
{
    EXPECT_EQ(picker("DateTimePicker1")->text(), QStringLiteral("2024/3/5"));
    addRecord(QStringLiteral("zc"), QStringLiteral("5"));
    EXPECT_EQ(h.cell("DBGridEh1", 0, QStringLiteral("时间")), QStringLiteral("2024/3/5"));
    EXPECT_EQ(records(), std::vector<std::string>{"2|5|1||1|2024-03-05|Z"});
}

// ---- finding an item --------------------------------------------------------------------

TEST_F(EntryPageTest, TheItemSearchFindsNameAndQuickCodeIgnoringCase)
{
    auto names = [&] { return h.columnTexts("DBGridEh2", QStringLiteral("项目")).join(','); };
    edit("Edit3")->setText(QStringLiteral("zc"));
    EXPECT_TRUE(itemList()->isVisible());
    EXPECT_EQ(names(), QStringLiteral("早餐"));
    edit("Edit3")->setText(QStringLiteral("ZC"));
    EXPECT_EQ(names(), QStringLiteral("早餐"));
    edit("Edit3")->setText(QStringLiteral("餐"));
    EXPECT_EQ(names(), QStringLiteral("早餐,午餐,晚餐"));
    edit("Edit3")->setText(QStringLiteral("外卖"));
    EXPECT_EQ(names(), QString()) << "an item without a quick code is not found by typing";
    h.click("Edit3");
    EXPECT_TRUE(names().contains(QStringLiteral("外卖"))) << "a click in the field lists every item of the class";
    EXPECT_FALSE(names().contains(QStringLiteral("工资")));
    EXPECT_TRUE(h.grid("DBGridEh2")->view()->isColumnHidden(2));
    edit("Edit3")->setText(QStringLiteral("50%"));
    EXPECT_EQ(names(), QString()) << "a typed % is no wildcard";
}

TEST_F(EntryPageTest, TheItemListHidesWhenTheUserGoesElsewhere)
{
    edit("Edit3")->setText(QStringLiteral("c"));
    ASSERT_TRUE(itemList()->isVisible());
    h.click("Panel4");
    EXPECT_FALSE(itemList()->isVisible());
    edit("Edit3")->setText(QStringLiteral("cc"));
    press("Button1");
    EXPECT_FALSE(itemList()->isVisible());
    chooseItem(QStringLiteral("zc"));
    EXPECT_EQ(edit("Edit3")->text(), QStringLiteral("早餐"));
    EXPECT_FALSE(itemList()->isVisible());
}

// ---- the amount field ----------------------------------------------------------------------

TEST_F(EntryPageTest, TheAmountFieldTakesDigitsOnePointAndTwoDecimals)
{
    typeAmount(QStringLiteral("12.345"));
    EXPECT_EQ(edit("Edit1")->text(), QStringLiteral("12.34"));
    typeAmount(QStringLiteral("1..2a元-"));
    EXPECT_EQ(edit("Edit1")->text(), QStringLiteral("1.2"));
    typeAmount(QStringLiteral("3.75"));
    edit("Edit1")->setCursorPosition(0);
    testsupport::typeText(edit("Edit1"), QStringLiteral("9"));
    EXPECT_EQ(edit("Edit1")->text(), QStringLiteral("3.75")) << "with two decimals nothing more is taken, wherever the caret";
    edit("Edit1")->setCursorPosition(4);
    QTest::keyClick(edit("Edit1"), Qt::Key_Backspace);
    EXPECT_EQ(edit("Edit1")->text(), QStringLiteral("3.7"));
}

// Editing keys work as in any field; a paste goes through the filter like typing.
TEST_F(EntryPageTest, TheAmountFieldEditsLikeAnyFieldAndFiltersAPaste)
{
    typeAmount(QStringLiteral("1234"));
    edit("Edit1")->setCursorPosition(1);
    QTest::keyClick(edit("Edit1"), Qt::Key_Delete);
    EXPECT_EQ(edit("Edit1")->text(), QStringLiteral("134"));
    QTest::keyClick(edit("Edit1"), Qt::Key_Home);
    QTest::keyClick(edit("Edit1"), Qt::Key_Delete);
    EXPECT_EQ(edit("Edit1")->text(), QStringLiteral("34"));
    QTest::keyClick(edit("Edit1"), Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(edit("Edit1"), Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("34"));
    QTest::keyClick(edit("Edit1"), Qt::Key_X, Qt::ControlModifier);
    EXPECT_EQ(edit("Edit1")->text(), QString());
    QTest::keyClick(edit("Edit1"), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(edit("Edit1")->text(), QStringLiteral("34"));
    QApplication::clipboard()->setText(QStringLiteral("a1.2b3 4元5"));
    QTest::keyClick(edit("Edit1"), Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(edit("Edit1"), Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(edit("Edit1")->text(), QStringLiteral("1.23")) << "a paste is filtered like typing";
}

TEST_F(EntryPageTest, TakingTheFocusSelectsTheAmountSoTypingReplacesIt)
{
    ASSERT_EQ(edit("Edit1")->text(), QStringLiteral("0"));
    h.click("Edit1");
    QApplication::processEvents();
    testsupport::typeText(edit("Edit1"), QStringLiteral("123"));
    EXPECT_EQ(edit("Edit1")->text(), QStringLiteral("123")) << "by mouse";
    edit("Edit3")->setFocus();
    QTest::keyClick(edit("Edit3"), Qt::Key_Tab);
    QApplication::processEvents();
    ASSERT_EQ(QApplication::focusWidget(), edit("Edit1"));
    testsupport::typeText(edit("Edit1"), QStringLiteral("45"));
    EXPECT_EQ(edit("Edit1")->text(), QStringLiteral("45")) << "by keyboard";
}

TEST_F(EntryPageTest, NumericKeypadDigitsGoToTheCalculatorOnly)
{
    edit("Edit1")->setFocus();
    for (int key : {Qt::Key_1, Qt::Key_5}) {
        QKeyEvent press(QEvent::KeyPress, key, Qt::KeypadModifier, QString(QChar('0' + key - Qt::Key_0)));
        QApplication::sendEvent(edit("Edit1"), &press);
    }
    EXPECT_EQ(edit("Edit1")->text(), QStringLiteral("15"));
}

TEST_F(EntryPageTest, TheKeypadOpensAndEqualsClosesIt)
{
    QWidget* keypadBox = h.find("GroupBox7");
    EXPECT_FALSE(keypadBox->isVisible());
    EXPECT_EQ(edit("Edit1")->text(), QStringLiteral("0"));
    h.click("Image7");
    EXPECT_TRUE(keypadBox->isVisible());
    EXPECT_FALSE(h.find("Image7")->isVisible());
    EXPECT_TRUE(h.find("Image8")->isVisible());
    keypad({"Button13", "Button25", "Button15", "Button18", "Button21", "Button26"}); // 9 + 4 * 3 =
    EXPECT_EQ(edit("Edit1")->text(), QStringLiteral("39"));
    EXPECT_FALSE(keypadBox->isVisible());
    EXPECT_TRUE(h.find("Image7")->isVisible());
    h.click("Image7");
    keypad({"Button10"});
    EXPECT_EQ(edit("Edit1")->text(), QStringLiteral("0"));
    EXPECT_EQ(QApplication::focusWidget(), keypadKey("Button26")) << "C moves the focus to =";
}

TEST_F(EntryPageTest, AfterAComputationEnterKeepsATypedAmount)
{
    h.click("Image7");
    keypad({"Button21", "Button18", "Button15", "Button26"}); // 3 * 4 =
    ASSERT_EQ(edit("Edit1")->text(), QStringLiteral("12"));
    typeAmount(QStringLiteral("50"));
    QTest::keyClick(edit("Edit1"), Qt::Key_Return);
    EXPECT_EQ(edit("Edit1")->text(), QStringLiteral("50"));
}

TEST_F(EntryPageTest, BackspaceOnTheKeypadShortensTheOperand)
{
    h.click("Image7");
    keypad({"Button19", "Button20", "Button21", "Button8", "Button15"}); // 1 2 3 ⌫ 4
    EXPECT_EQ(edit("Edit1")->text(), QStringLiteral("124"));
}

// A result is shown to the cent, and what is shown is saved.
TEST_F(EntryPageTest, ACalculatedAmountIsShownAndSavedToTheCent)
{
    chooseItem(QStringLiteral("zc"));
    h.click("Image7");
    keypad({"Button19", "Button23", "Button14", "Button21", "Button26"}); // 10 / 3 =
    EXPECT_EQ(edit("Edit1")->text(), QStringLiteral("3.33"));
    press("Button3");
    EXPECT_EQ(h.boxes.texts(), std::vector<QString>{QStringLiteral("保存成功")});
    EXPECT_EQ(records(), std::vector<std::string>{"2|3.33|1||1|2024-03-05|Z"});
}

// ---- saving ----------------------------------------------------------------------------------

TEST_F(EntryPageTest, SavingANewRecordBooksItOnItsDayAndAccount)
{
    addRecord(QStringLiteral("zc"), QStringLiteral("12.5"), 1, 1, QStringLiteral("豆浆油条"));
    EXPECT_EQ(h.boxes.texts(), std::vector<QString>{QStringLiteral("保存成功")});
    EXPECT_EQ(h.boxes.shown()[0].kind, Kind::Information);
    EXPECT_EQ(records(), std::vector<std::string>{"2|12.5|2|豆浆油条|2|2024-03-05|Z"});
    EXPECT_EQ(h.rowCount("DBGridEh1"), 1);
    EXPECT_EQ(account(2, "z_zhichu"), "12.5");
    EXPECT_EQ(account(2, "z_yue"), "-12.5");
    EXPECT_EQ(h.page().entryMode(), QStringLiteral("add"));
    EXPECT_EQ(edit("Edit3")->text(), QStringLiteral("早餐")) << "the editor keeps its values after a save";
}

TEST_F(EntryPageTest, EmptyAndZeroAmountsAreRefusedButZeroPointZeroZeroIsSaved)
{
    chooseItem(QStringLiteral("zc"));
    for (const char* amount : {"", "0", " 0 "}) {
        edit("Edit1")->setText(QString::fromUtf8(amount));
        press("Button3");
        EXPECT_EQ(h.boxes.texts().back(), QStringLiteral("对不起，金额不能为零")) << amount;
        EXPECT_EQ(QApplication::focusWidget(), edit("Edit1"));
    }
    EXPECT_TRUE(records().empty());
    edit("Edit1")->setText(QStringLiteral("0.00"));
    press("Button3");
    EXPECT_EQ(records(), std::vector<std::string>{"2|0|1||1|2024-03-05|Z"});
}

TEST_F(EntryPageTest, AnAmountThatIsNoNumberIsRefusedBeforeAnyStatement)
{
    chooseItem(QStringLiteral("zc"));
    for (const char* amount : {"1 2", ".", "12.345"}) {
        edit("Edit1")->setText(QString::fromUtf8(amount));
        press("Button3");
        EXPECT_EQ(h.boxes.texts().back(), QStringLiteral("对不起，金额格式不对")) << amount;
        EXPECT_EQ(h.boxes.shown().back().kind, Kind::Refusal);
        EXPECT_EQ(QApplication::focusWidget(), edit("Edit1"));
    }
    EXPECT_TRUE(records().empty());
}

TEST_F(EntryPageTest, NotesAndItemsWithQuotesAreSavedAsTyped)
{
    h.db().execute("insert into s_fenlei (f_id, f_class, f_name, f_pinyin) values (1, 'Z', 'Tom''s \"咖啡\"', 'tom')");
    addRecord(QStringLiteral("tom"), QStringLiteral("18"), 0, 0, QStringLiteral("Tom's; delete from s_user"));
    EXPECT_EQ(h.boxes.texts(), std::vector<QString>{QStringLiteral("保存成功")});
    EXPECT_EQ(h.household().scalar("select s_other from s_shouru"), "Tom's; delete from s_user");
    EXPECT_EQ(h.household().scalar("select f_name from s_z_all"), "Tom's \"咖啡\"");
    EXPECT_EQ(h.household().scalar("select count(*) from s_user"), "3");
}

TEST_F(EntryPageTest, TheItemMustBeAnItemOfTheRecordsClass)
{
    for (const char* name : {"工资", "餐饮美食", "不存在"}) {
        chooseItem(QStringLiteral("zc"));
        edit("Edit3")->setText(QString::fromUtf8(name));
        edit("Edit1")->setText(QStringLiteral("5"));
        press("Button3");
        EXPECT_EQ(h.boxes.texts().back(), QStringLiteral("对不起，请重新输入项目")) << name;
        EXPECT_EQ(QApplication::focusWidget(), edit("Edit3"));
    }
    EXPECT_TRUE(records().empty());

    // A clicked expenditure record keeps its class across a switch to income.
    addRecord(QStringLiteral("zc"), QStringLiteral("5"));
    h.select("DBGridEh1", 0);
    enter("S");
    edit("Edit3")->setText(QStringLiteral("工资"));
    edit("Edit1")->setText(QStringLiteral("100"));
    press("Button3");
    EXPECT_EQ(h.boxes.texts().back(), QStringLiteral("对不起，请重新输入项目"));
    EXPECT_EQ(records(), std::vector<std::string>{"2|5|1||1|2024-03-05|Z"});
}

TEST_F(EntryPageTest, ClickingARecordLoadsItAndSavingChangesIt)
{
    addRecord(QStringLiteral("zc"), QStringLiteral("12.5"), 1, 1, QStringLiteral("早饭"));
    addRecord(QStringLiteral("wc"), QStringLiteral("30"), 2, 0);
    h.select("DBGridEh1", 0);
    EXPECT_EQ(h.page().entryMode(), QStringLiteral("edit"));
    EXPECT_EQ(h.find<QLabel>("editid")->text(), QStringLiteral("1"));
    EXPECT_EQ(edit("Edit3")->text(), QStringLiteral("早餐"));
    EXPECT_EQ(edit("Edit1")->text(), QStringLiteral("12.5"));
    EXPECT_EQ(box("DBLookupComboboxEh1")->currentText(), QStringLiteral("爸爸"));
    EXPECT_EQ(box("DBLookupComboboxEh2")->currentText(), QStringLiteral("银行卡"));
    EXPECT_EQ(edit("Edit2")->text(), QStringLiteral("早饭"));
    EXPECT_FALSE(itemList()->isVisible());
    typeAmount(QStringLiteral("20"));
    box("DBLookupComboboxEh2")->setCurrentIndex(2);
    press("Button3");
    EXPECT_EQ(records(), (std::vector<std::string>{"2|20|2|早饭|3|2024-03-05|Z", "3|30|3||1|2024-03-05|Z"}));
    EXPECT_EQ(account(2, "z_zhichu"), "0");
    EXPECT_EQ(account(3, "z_zhichu"), "20");
    EXPECT_EQ(account(3, "z_yue"), "-20");
}

TEST_F(EntryPageTest, DeletingAsksFirstAndAfterwardsASaveChangesNothing)
{
    press("Button2");
    EXPECT_EQ(h.boxes.texts(), std::vector<QString>{QStringLiteral("对不起，请先选择要删除的记录")});
    addRecord(QStringLiteral("zc"), QStringLiteral("12.5"));
    h.select("DBGridEh1", 0);
    h.boxes.clear();
    h.boxes.answer(false);
    press("Button2");
    EXPECT_EQ(records().size(), 1u);
    h.boxes.answer(true);
    press("Button2");
    EXPECT_EQ(h.boxes.texts(), (std::vector<QString>{QStringLiteral("是否确定删除？"), QStringLiteral("是否确定删除？")}));
    EXPECT_TRUE(records().empty());
    EXPECT_EQ(h.find<QLabel>("editid")->text(), QStringLiteral("0"));
    EXPECT_EQ(account(1, "z_zhichu"), "0");
    EXPECT_EQ(account(1, "z_yue"), "0");
    EXPECT_EQ(h.page().entryMode(), QStringLiteral("edit"));

    // Still in "edit" with no record: the save says so and changes nothing.
    h.boxes.clear();
    press("Button3");
    EXPECT_EQ(h.boxes.texts(), std::vector<QString>{QStringLiteral("对不起，请先选择要修改的记录")});
    EXPECT_TRUE(records().empty());
    press("Button1");
    press("Button3"); // 增加 made it an insert, but the item field is empty now
    chooseItem(QStringLiteral("zc"));
    edit("Edit1")->setText(QStringLiteral("8"));
    press("Button3");
    EXPECT_EQ(records().size(), 1u);
}

// ---- modes, look-up boxes -----------------------------------------------------------------

TEST_F(EntryPageTest, TheModesHaveTheirCaptions)
{
    EXPECT_EQ(label("Label8"), QStringLiteral("付款人"));
    EXPECT_EQ(h.find<QGroupBox>("GroupBox4")->title(), QStringLiteral("预算信息"));
    enter("S");
    EXPECT_EQ(label("Label8"), QStringLiteral("收款人"));
    EXPECT_EQ(h.find<QGroupBox>("GroupBox4")->title(), QStringLiteral("本月比上月增长"));
    EXPECT_EQ(label("Label15"), QStringLiteral("本月收入"));
    EXPECT_EQ(label("Label17"), QStringLiteral("上月收入"));
    EXPECT_EQ(label("Label14"), QStringLiteral("收入增长"));
    enter("Z");
    EXPECT_EQ(label("Label15"), QStringLiteral("本月预算金额"));
    EXPECT_EQ(label("Label17"), QStringLiteral("实际金额"));
}

TEST_F(EntryPageTest, EnteringThePageKeepsTheChosenPayerAndAccount)
{
    box("DBLookupComboboxEh1")->setCurrentIndex(2);
    box("DBLookupComboboxEh2")->setCurrentIndex(1);
    for (const char* klass : {"Z", "Z", "S", "Z"}) {
        enter(klass);
        EXPECT_EQ(box("DBLookupComboboxEh1")->currentText(), QStringLiteral("妈妈")) << klass;
        EXPECT_EQ(box("DBLookupComboboxEh2")->currentText(), QStringLiteral("银行卡")) << klass;
    }
    h.db().execute("delete from z_zhanghu where id=2");
    h.db().execute("insert into s_user (sys_name) values ('小明')");
    enter("Z");
    EXPECT_EQ(box("DBLookupComboboxEh2")->currentText(), QStringLiteral("现金")) << "a chosen account that is gone: the first";
    EXPECT_EQ(box("DBLookupComboboxEh1")->count(), 4) << "users added elsewhere appear";
}

TEST_F(EntryPageTest, ASaveWithoutAnAccountFailsBeforeAnyStatement)
{
    h.db().execute("delete from z_zhanghu");
    enter("Z");
    chooseItem(QStringLiteral("zc"));
    edit("Edit1")->setText(QStringLiteral("5"));
    press("Button3");
    ASSERT_FALSE(h.boxes.shown().empty());
    EXPECT_EQ(h.boxes.shown().back().kind, Kind::StandardError);
    EXPECT_TRUE(records().empty());
}

// ---- the budget panel ----------------------------------------------------------------------

TEST_F(EntryPageTest, TheBudgetPanelComparesTheCategorysBudgetWithItsMonthsSpending)
{
    h.household().setBudget(1, "1500");
    addRecord(QStringLiteral("zc"), QStringLiteral("100"));
    addRecord(QStringLiteral("wc"), QStringLiteral("20.5"));
    addRecord(QStringLiteral("dc"), QStringLiteral("77")); // another category
    setDates(QDate(2024, 4, 1), QDate(2024, 4, 1));
    addRecord(QStringLiteral("wc"), QStringLiteral("1000")); // another month
    enter("S");
    setDates(QDate(2024, 3, 6), QDate(2024, 3, 6));
    addRecord(QStringLiteral("gz"), QStringLiteral("30")); // income
    enter("Z");
    setDates(QDate(2024, 3, 31), QDate(2024, 3, 31));
    chooseItem(QStringLiteral("zc"));
    EXPECT_EQ(label("Label14"), QStringLiteral("餐饮美食"));
    EXPECT_EQ(label("Label20"), QStringLiteral("1500"));
    EXPECT_EQ(label("Label21"), QStringLiteral("120.5"));
    EXPECT_EQ(label("Label22"), QStringLiteral("1379.5"));

    chooseItem(QStringLiteral("jy")); // no budget set, nothing spent
    EXPECT_EQ(label("Label14"), QStringLiteral("交通出行"));
    EXPECT_EQ(label("Label20"), QStringLiteral("0"));
    EXPECT_EQ(label("Label21"), QStringLiteral("77"));
    EXPECT_EQ(label("Label22"), QStringLiteral("-77"));
}

TEST_F(EntryPageTest, IncomeModeComparesThisMonthToDateWithLastMonth)
{
    enter("S");
    const std::pair<QDate, const char*> income[] = {{QDate(2023, 12, 5), "8000"}, {QDate(2023, 12, 31), "500.5"},
                                                    {QDate(2024, 1, 10), "9000"}, {QDate(2024, 1, 20), "1"},
                                                    {QDate(2024, 2, 29), "66"},   {QDate(2024, 3, 1), "10"},
                                                    {QDate(2024, 3, 16), "1000"}};
    for (const auto& [day, amount] : income) {
        setDates(day, day);
        addRecord(QStringLiteral("gz"), QString::fromUtf8(amount));
    }
    setDates(QDate(2024, 1, 15), QDate(2024, 1, 15));
    chooseItem(QStringLiteral("jj"));
    EXPECT_EQ(label("Label14"), QStringLiteral("收入增长"));
    EXPECT_EQ(label("Label20"), QStringLiteral("9000")) << "January up to the 15th";
    EXPECT_EQ(label("Label21"), QStringLiteral("8500.5")) << "December of the year before";
    EXPECT_EQ(label("Label22"), QStringLiteral("499.5"));
    setDates(QDate(2024, 3, 15), QDate(2024, 3, 15));
    chooseItem(QStringLiteral("jj"));
    EXPECT_EQ(label("Label20"), QStringLiteral("10"));
    EXPECT_EQ(label("Label21"), QStringLiteral("66")) << "February has its 29th";
}

// ---- the chart -------------------------------------------------------------------------------

TEST_F(EntryPageTest, TheChartShowsTheSevenLatestDaysOldestOnTheLeft)
{
    for (int d = 1; d <= 9; ++d) {
        setDates(QDate(2024, 3, d), QDate(2024, 3, d));
        addRecord(QStringLiteral("zc"), QString::number(d * 1000));
    }
    enter("S"); // income days are not counted
    setDates(QDate(2024, 3, 20), QDate(2024, 3, 20));
    addRecord(QStringLiteral("gz"), QStringLiteral("99"));
    enter("Z");
    auto* chart = h.find<widgets::BarChart>("DBChart1");
    EXPECT_EQ(chart->labels().join(','), QStringLiteral("03-03,03-04,03-05,03-06,03-07,03-08,03-09"));
    EXPECT_EQ(chart->values().front(), 3000);
    EXPECT_EQ(chart->values().back(), 9000);
    EXPECT_GE(chart->axisMaximum(), 9000) << "the axis covers the largest bar";
    EXPECT_LT(chart->barRect(0).height(), chart->barRect(6).height());
    EXPECT_GE(chart->barRect(6).top(), 0);
    // At the panel's size each date stays readable beside its neighbours.
    for (int i = 0; i + 1 < 7; ++i)
        EXPECT_FALSE(chart->labelRect(i).intersects(chart->labelRect(i + 1))) << i;
    EXPECT_GE(QFontInfo(chart->labelFont()).pixelSize(), 9) << "small enough to fit, large enough to read";
    EXPECT_TRUE(chart->rect().contains(chart->labelRect(6)));
}

// Totals over four decades put five marks on a short axis: their labels used to run into each other.
TEST_F(EntryPageTest, TheAxisLabelsStayApartAndInside)
{
    int day = 1;
    for (const char* amount : {"5", "60", "700", "8000"}) {
        setDates(QDate(2024, 3, day), QDate(2024, 3, day));
        addRecord(QStringLiteral("zc"), QString::fromUtf8(amount));
        ++day;
    }
    enter("Z");
    auto* chart = h.find<widgets::BarChart>("DBChart1");
    const auto labels = chart->axisLabels();
    ASSERT_FALSE(labels.empty());
    EXPECT_EQ(labels.front().text, QStringLiteral("1")) << "the lowest mark keeps its label";
    for (size_t i = 0; i < labels.size(); ++i) {
        EXPECT_TRUE(chart->rect().contains(labels[i].place)) << labels[i].text.toStdString();
        if (i > 0)
            EXPECT_FALSE(labels[i].place.intersects(labels[i - 1].place)) << labels[i].text.toStdString();
    }
}

// A day whose total is a whole power of ten used to sit on the axis' lower end with no bar at all.
TEST_F(EntryPageTest, EveryDayWithATotalHasAVisibleBar)
{
    for (const char* amount : {"1000.25", "1000", "10", "0.5"}) {
        h.db().execute("delete from s_shouru");
        addRecord(QStringLiteral("zc"), QString::fromUtf8(amount));
        enter("Z");
        auto* chart = h.find<widgets::BarChart>("DBChart1");
        ASSERT_EQ(chart->values().size(), 1u) << amount;
        EXPECT_GE(chart->barRect(0).height(), chart->plotArea().height() / 10) << amount;
    }
}

// ---- what it looks like ------------------------------------------------------------------------

TEST_F(EntryPageTest, BothModesLookRightWithTheListAndTheKeypadOpen)
{
    addRecord(QStringLiteral("zc"), QStringLiteral("12.5"), 1, 0, QStringLiteral("豆浆油条"));
    addRecord(QStringLiteral("wc"), QStringLiteral("0.5"), 2, 1);
    edit("Edit3")->setText(QStringLiteral("c"));
    h.click("Image7");
    QApplication::processEvents();
    EXPECT_TRUE(h.find("GroupBox6")->isVisible());
    EXPECT_TRUE(h.find("GroupBox7")->isVisible());
    testsupport::saveScreenshot(h.window(), QStringLiteral("entry-expenditure"));
    enter("S");
    addRecord(QStringLiteral("gz"), QStringLiteral("8000"));
    h.click("Edit3");
    QApplication::processEvents();
    EXPECT_TRUE(h.find("GroupBox6")->isVisible());
    testsupport::saveScreenshot(h.window(), QStringLiteral("entry-income"));
}

} // namespace
