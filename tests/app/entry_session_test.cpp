// A week's bookkeeping typed at the keyboard only: sign in, book five
// expenditures and two incomes by quick code, correct one, delete one.

#include "household.h"
#include "program_folder.h"
#include "screenshots.h"
#include "typing.h"

#include "app/program.h"
#include "mainwindow/entry/entry_page.h"
#include "widgets/data_grid.h"

#include <QLineEdit>
#include <gtest/gtest.h>

namespace {

QWidget* focus()
{
    return QApplication::focusWidget();
}

void key(int k, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    QTest::keyClick(focus(), static_cast<Qt::Key>(k), modifiers);
    QApplication::processEvents();
}

void type(const QString& text)
{
    testsupport::typeText(focus(), text);
}

// Item by quick code, Enter to take it, Tab to the amount, Tab past the
// account to the note (which keeps the last one: Backspace clears the
// selected text), then Ctrl+S.
void book(const char* code, const char* amount, const char* note)
{
    type(QString::fromUtf8(code));
    key(Qt::Key_Return);
    key(Qt::Key_Tab);
    type(QString::fromUtf8(amount));
    key(Qt::Key_Tab);
    key(Qt::Key_Tab);
    key(Qt::Key_Backspace);
    type(QString::fromUtf8(note));
    key(Qt::Key_S, Qt::ControlModifier);
}

// From the item field through the editor to the day grid, down to a row, Enter.
void openRecord(int row)
{
    for (int i = 0; i < 5; ++i)
        key(Qt::Key_Tab);
    ASSERT_EQ(focus()->parentWidget()->objectName(), QStringLiteral("DBGridEh1")) << "the day grid follows the save button";
    key(Qt::Key_Home, Qt::ControlModifier);
    for (int i = 0; i < row; ++i)
        key(Qt::Key_Down);
    key(Qt::Key_Return);
}

TEST(TypedSession, AWeekOfRecordsAtTheKeyboard)
{
    apptest::ProgramFolder folder;
    auto F_Login = app::startProgram(folder.boxes);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(F_Login.get()));
    QApplication::setActiveWindow(F_Login.get());
    key(Qt::Key_Return); // the default user, empty password
    mainwindow::MainWindow* main = F_Login->mainWindow();
    ASSERT_NE(main, nullptr);
    QApplication::setActiveWindow(main);
    ASSERT_TRUE(QTest::qWaitForWindowActive(main));
    main->pageInFront()->setFocus();
    key(Qt::Key_1, Qt::ControlModifier);
    ASSERT_EQ(focus()->objectName(), QStringLiteral("Edit3"));

    book("zc", "12.5", "豆浆油条");
    book("wc", "30", "");
    book("dc", "45.6", "打车回家");
    book("gjdt", "2", "");
    book("mc", "88.8", "超市");
    key(Qt::Key_2, Qt::ControlModifier);
    ASSERT_EQ(main->context().b_zt, QStringLiteral("S"));
    book("gz", "8000", "");
    book("jj", "1000.25", "年终奖");
    key(Qt::Key_1, Qt::ControlModifier);

    openRecord(1); // 午餐: 30 becomes 35
    key(Qt::Key_Tab);
    type(QStringLiteral("35"));
    key(Qt::Key_S, Qt::ControlModifier);
    openRecord(3); // 公交地铁 goes
    key(Qt::Key_D, Qt::ControlModifier);

    const std::string today = ledger::DateTime::today().isoDate();
    EXPECT_EQ(testsupport::rowTexts(folder.db().select("select f_name, s_jine, s_other, f_class from s_z_all").rows),
              (std::vector<std::string>{"早餐|12.5|豆浆油条|Z", "午餐|35||Z", "打车|45.6|打车回家|Z", "买菜|88.8|超市|Z",
                                        "工资|8000||S", "奖金|1000.25|年终奖|S"}));
    EXPECT_EQ(folder.scalar("select count(*) from s_shouru where s_date=#" + today + "#"), "6");
    EXPECT_EQ(folder.scalar("select z_zhichu & '|' & z_shouru & '|' & z_yue from z_zhanghu where id=1"), "181.9|9000.25|8818.35");

    auto* grid = main->findChild<widgets::DataGrid*>(QStringLiteral("DBGridEh1"));
    ASSERT_EQ(grid->model()->rowCount(), 4);
    EXPECT_EQ(grid->model()->data(grid->model()->index(1, 4)).toString(), QStringLiteral("￥35.00"));
    testsupport::saveScreenshot(main, QStringLiteral("entry-session"));
    const std::vector<QString> expected = {QStringLiteral("保存成功"),      QStringLiteral("保存成功"),
                                           QStringLiteral("保存成功"),      QStringLiteral("保存成功"),
                                           QStringLiteral("保存成功"),      QStringLiteral("保存成功"),
                                           QStringLiteral("保存成功"),      QStringLiteral("保存成功"),
                                           QStringLiteral("是否确定删除？")};
    EXPECT_EQ(folder.boxes.texts(), expected);
}

} // namespace
