// The system users page: add, delete and save users in a grid.

#include "program_folder.h"
#include "ledger_fixture.h"
#include "typing.h"

#include "app/sign_in_window.h"
#include "mainwindow/users/users_page.h"
#include "ledger/error.h"
#include "mainwindow/users/users_statements.h"
#include "widgets/data_grid.h"

#include <QHeaderView>
#include <QLineEdit>
#include <gtest/gtest.h>

using apptest::child;
using apptest::click;
using apptest::ProgramFolder;
using Kind = testsupport::ScriptedMessageBoxes::Kind;

namespace {

class UsersPageTest : public testing::Test {
protected:
    void SetUp() override
    {
        folder.db().execute("insert into s_user (sys_name, sys_pwd) values ('爸爸', 'abc')");
        folder.db().execute("insert into s_user (sys_name, sys_pwd) values ('妈妈', '')");
        signIn = std::make_unique<app::SignInWindow>();
        signIn->FormCreate();
        signIn->SignIn();
        main = signIn->mainWindow();
        ASSERT_NE(main, nullptr);
        ASSERT_TRUE(QTest::qWaitForWindowExposed(main));
        click(main, "L10");
        page = child<mainwindow::UsersPage>(main, "Panel16");
        grid = child<widgets::DataGrid>(main, "DBGridEh16");
        folder.boxes.clear();
    }

    std::vector<std::string> users() { return testsupport::rowTexts(folder.db().select("select * from s_user").rows); }
    void select(int row) { grid->view()->setCurrentIndex(grid->model()->index(row, 1)); }
    void typeIntoCell(int row, int column, const QString& text)
    {
        grid->view()->setFocus();
        grid->view()->setCurrentIndex(grid->model()->index(row, column));
        testsupport::typeText(grid->view(), text);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QApplication::processEvents();
    }

    ProgramFolder folder;
    std::unique_ptr<app::SignInWindow> signIn;
    mainwindow::MainWindow* main = nullptr;
    mainwindow::UsersPage* page = nullptr;
    widgets::DataGrid* grid = nullptr;
};

TEST_F(UsersPageTest, ListsTheUsersWithTheirPasswordsInClear)
{
    EXPECT_EQ(child<QWidget>(main, "GroupBox23")->height(), 344);
    EXPECT_TRUE(grid->view()->isColumnHidden(0));
    EXPECT_EQ(grid->model()->headerData(1, Qt::Horizontal).toString(), QStringLiteral("用户名"));
    EXPECT_EQ(grid->model()->data(grid->model()->index(1, 2)).toString(), QStringLiteral("abc"));
    EXPECT_EQ(grid->view()->verticalHeader()->defaultSectionSize(), 25);
}

TEST_F(UsersPageTest, AddedAndEditedUsersAreSavedInOneGo)
{
    click(page, "Button46");
    typeIntoCell(3, 1, QStringLiteral("小明"));
    typeIntoCell(3, 2, QStringLiteral("xm"));
    typeIntoCell(1, 2, QStringLiteral("new"));
    EXPECT_EQ(users().size(), 3u) << "nothing is written before the save";
    folder.boxes.answer(true);
    click(page, "Button48");
    EXPECT_EQ(folder.boxes.texts(), std::vector<QString>{QStringLiteral("是否确定保存数据？")});
    EXPECT_EQ(users(), (std::vector<std::string>{"1|管理员|", "2|爸爸|new", "3|妈妈|", "4|小明|xm"}));
}

TEST_F(UsersPageTest, CancellingTheSaveDropsThePendingEdits)
{
    click(page, "Button46");
    typeIntoCell(3, 1, QStringLiteral("小明"));
    folder.boxes.answer(false);
    click(page, "Button48");
    EXPECT_EQ(grid->model()->rowCount(), 3);
    EXPECT_EQ(users().size(), 3u);
    EXPECT_FALSE(page->query().hasPendingChanges());
}

TEST_F(UsersPageTest, AFailingSaveKeepsTheEditsAndSaysSo)
{
    click(page, "Button46");
    typeIntoCell(3, 1, QString(51, QLatin1Char('x')));
    folder.boxes.answer(true);
    click(page, "Button48");
    EXPECT_EQ(folder.boxes.texts().back(), QStringLiteral("对不起，操作异常"));
    EXPECT_EQ(folder.boxes.shown().back().kind, Kind::Notice);
    EXPECT_EQ(users().size(), 3u);
    EXPECT_TRUE(page->query().hasPendingChanges());
    EXPECT_FALSE(folder.db().inTransaction());
}

TEST_F(UsersPageTest, TheDefaultUserIsProtectedEvenWhenRenamed)
{
    select(0);
    typeIntoCell(0, 1, QStringLiteral("改名"));
    click(page, "Button47");
    EXPECT_EQ(folder.boxes.texts(), std::vector<QString>{QStringLiteral("系统默认用户不能删除！")});
    EXPECT_EQ(users().size(), 3u);
}

TEST_F(UsersPageTest, DeletingAskesThenGoesStraightToTheDatabase)
{
    select(2);
    folder.boxes.answer(false);
    click(page, "Button47");
    EXPECT_EQ(users().size(), 3u);
    select(2);
    folder.boxes.answer(true);
    click(page, "Button47");
    EXPECT_EQ(folder.boxes.texts(), (std::vector<QString>{QStringLiteral("是否确定删除？"), QStringLiteral("是否确定删除？")}));
    EXPECT_EQ(users(), (std::vector<std::string>{"1|管理员|", "2|爸爸|abc"}));
    EXPECT_EQ(grid->model()->rowCount(), 2);
}

TEST_F(UsersPageTest, DeletingAnUnsavedRowDoesNothing)
{
    click(page, "Button46");
    typeIntoCell(3, 1, QStringLiteral("小明"));
    click(page, "Button47");
    EXPECT_TRUE(folder.boxes.shown().empty());
    EXPECT_EQ(grid->model()->rowCount(), 4);
}

TEST_F(UsersPageTest, TheDeleteKeyDeletesNoRow)
{
    select(2);
    QTest::keyClick(grid->view(), Qt::Key_Delete);
    EXPECT_EQ(grid->model()->rowCount(), 3);
    EXPECT_FALSE(page->query().hasPendingChanges());
}

TEST_F(UsersPageTest, EnteringThePageAgainDropsPendingEdits)
{
    click(page, "Button46");
    typeIntoCell(3, 1, QStringLiteral("小明"));
    click(main, "Label1");
    click(main, "L10");
    EXPECT_EQ(grid->model()->rowCount(), 3);
}

TEST(UsersStatements, AreThePagesTextsAndTakeOnlyWholeNumbers)
{
    EXPECT_EQ(mainwindow::users::usersList(), "select id,sys_name as 用户名 ,sys_pwd as 密码 from s_user");
    EXPECT_EQ(mainwindow::users::deleteUser("12"), "delete from s_user where id=12");
    EXPECT_THROW(mainwindow::users::deleteUser("1 or 1=1"), ledger::Error);
    EXPECT_THROW(mainwindow::users::deleteUser(""), ledger::Error);
}

} // namespace
