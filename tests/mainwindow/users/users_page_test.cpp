// The system users page: add, delete and save users in a grid.

#include "page_harness.h"

#include "mainwindow/users/users_page.h"
#include "widgets/data_grid.h"

#include <QHeaderView>
#include <gtest/gtest.h>

using Kind = testsupport::ScriptedMessageBoxes::Kind;

namespace {

class UsersPageTest : public testing::Test {
protected:
    void SetUp() override
    {
        h.household().addUser("爸爸", "abc");
        h.household().addUser("妈妈", "");
        h.enter();
    }

    std::vector<std::string> users() { return h.household().rows("select * from s_user"); }
    bool pending() { return h.grid("DBGridEh16")->query()->hasPendingChanges(); }

    testsupport::PageHarness<mainwindow::UsersPage> h;
};

TEST_F(UsersPageTest, ListsTheUsersWithTheirPasswordsInClear)
{
    EXPECT_EQ(h.find("GroupBox23")->height(), 344);
    widgets::DataGrid* grid = h.grid("DBGridEh16");
    EXPECT_TRUE(grid->view()->isColumnHidden(0));
    EXPECT_EQ(grid->model()->headerData(1, Qt::Horizontal).toString(), QStringLiteral("用户名"));
    EXPECT_EQ(h.cell("DBGridEh16", 1, "密码"), QStringLiteral("abc"));
    EXPECT_EQ(grid->view()->verticalHeader()->defaultSectionSize(), 25);
}

TEST_F(UsersPageTest, AddedAndEditedUsersAreSavedInOneGo)
{
    h.click("Button46");
    h.typeIntoCell("DBGridEh16", 3, "用户名", QStringLiteral("小明"));
    h.typeIntoCell("DBGridEh16", 3, "密码", QStringLiteral("xm"));
    h.typeIntoCell("DBGridEh16", 1, "密码", QStringLiteral("new"));
    EXPECT_EQ(users().size(), 3u) << "nothing is written before the save";
    h.boxes.answer(true);
    h.click("Button48");
    EXPECT_EQ(h.boxes.texts(), std::vector<QString>{QStringLiteral("是否确定保存数据？")});
    EXPECT_EQ(users(), (std::vector<std::string>{"1|管理员|", "2|爸爸|new", "3|妈妈|", "4|小明|xm"}));
}

TEST_F(UsersPageTest, CancellingTheSaveDropsThePendingEdits)
{
    h.click("Button46");
    h.typeIntoCell("DBGridEh16", 3, "用户名", QStringLiteral("小明"));
    h.boxes.answer(false);
    h.click("Button48");
    EXPECT_EQ(h.rowCount("DBGridEh16"), 3);
    EXPECT_EQ(users().size(), 3u);
    EXPECT_FALSE(pending());
}

TEST_F(UsersPageTest, AFailingSaveKeepsTheEditsAndSaysSo)
{
    h.click("Button46");
    h.typeIntoCell("DBGridEh16", 3, "用户名", QString(51, QLatin1Char('x')));
    h.boxes.answer(true);
    h.click("Button48");
    EXPECT_EQ(h.boxes.texts().back(), QStringLiteral("对不起，操作异常"));
    EXPECT_EQ(h.boxes.shown().back().kind, Kind::Notice);
    EXPECT_EQ(users().size(), 3u);
    EXPECT_TRUE(pending());
    EXPECT_FALSE(h.db().inTransaction());
}

TEST_F(UsersPageTest, TheDefaultUserIsProtectedEvenWhenRenamed)
{
    h.typeIntoCell("DBGridEh16", 0, "用户名", QStringLiteral("改名"));
    h.click("Button47");
    EXPECT_EQ(h.boxes.texts(), std::vector<QString>{QStringLiteral("系统默认用户不能删除！")});
    EXPECT_EQ(h.boxes.shown().back().kind, Kind::Notice);
    EXPECT_EQ(users().size(), 3u);
}

TEST_F(UsersPageTest, DeletingAsksThenGoesStraightToTheDatabase)
{
    h.select("DBGridEh16", 2);
    h.boxes.answer(false);
    h.click("Button47");
    EXPECT_EQ(users().size(), 3u);
    h.select("DBGridEh16", 2);
    h.boxes.answer(true);
    h.click("Button47");
    EXPECT_EQ(h.boxes.texts(), (std::vector<QString>{QStringLiteral("是否确定删除？"), QStringLiteral("是否确定删除？")}));
    EXPECT_EQ(users(), (std::vector<std::string>{"1|管理员|", "2|爸爸|abc"}));
    EXPECT_EQ(h.rowCount("DBGridEh16"), 2);
}

TEST_F(UsersPageTest, DeletingAnUnsavedRowDoesNothing)
{
    h.click("Button46");
    h.typeIntoCell("DBGridEh16", 3, "用户名", QStringLiteral("小明"));
    h.click("Button47");
    EXPECT_TRUE(h.boxes.shown().empty());
    EXPECT_EQ(h.rowCount("DBGridEh16"), 4);
}

TEST_F(UsersPageTest, TheDeleteKeyDeletesNoRow)
{
    h.select("DBGridEh16", 2);
    h.press(QKeySequence(Qt::Key_Delete));
    EXPECT_EQ(h.rowCount("DBGridEh16"), 3);
    EXPECT_FALSE(pending());
}

TEST_F(UsersPageTest, EnteringThePageAgainDropsPendingEdits)
{
    h.click("Button46");
    h.typeIntoCell("DBGridEh16", 3, "用户名", QStringLiteral("小明"));
    h.enter();
    EXPECT_EQ(h.rowCount("DBGridEh16"), 3);
}

TEST_F(UsersPageTest, TheKeysOfTheListAddDeleteAndSave)
{
    h.select("DBGridEh16", 2);
    h.press(QKeySequence(QStringLiteral("Ctrl+N")));
    EXPECT_EQ(h.rowCount("DBGridEh16"), 4);
    h.typeIntoCell("DBGridEh16", 3, "用户名", QStringLiteral("小明"));
    h.press(QKeySequence(QStringLiteral("Ctrl+S")));
    EXPECT_EQ(h.household().scalar("select count(*) from s_user"), "4");
    h.select("DBGridEh16", 3);
    h.press(QKeySequence(QStringLiteral("Ctrl+D")));
    EXPECT_EQ(h.boxes.texts(), (std::vector<QString>{QStringLiteral("是否确定保存数据？"), QStringLiteral("是否确定删除？")}));
    EXPECT_EQ(h.household().scalar("select count(*) from s_user"), "3");
}

} // namespace
