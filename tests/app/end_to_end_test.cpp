// From the program entry: a new user made on the users page signs in,
// asks to be remembered, and finds the sign-in filled in next time.

#include "program_folder.h"
#include "screenshots.h"
#include "typing.h"

#include "app/program.h"
#include "mainwindow/users/users_page.h"
#include "widgets/data_grid.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <gtest/gtest.h>

using apptest::child;
using apptest::click;

namespace {

void typeIntoCell(widgets::DataGrid* grid, int row, int column, const QString& text)
{
    grid->view()->setFocus();
    grid->view()->setCurrentIndex(grid->model()->index(row, column));
    testsupport::typeText(grid->view(), text);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QApplication::processEvents();
}

TEST(EndToEnd, ANewUserSignsInAndIsRememberedAfterARestart)
{
    apptest::ProgramFolder folder;
    {
        auto F_Login = app::startProgram(folder.boxes);
        ASSERT_TRUE(QTest::qWaitForWindowExposed(F_Login.get()));
        testsupport::saveScreenshot(F_Login.get(), QStringLiteral("signin"));
        QTest::keyClick(child<QLineEdit>(F_Login.get(), "Edit2"), Qt::Key_Return);
        mainwindow::MainWindow* main = F_Login->mainWindow();
        ASSERT_NE(main, nullptr);
        click(main, "L10");
        auto* page = child<mainwindow::UsersPage>(main, "Panel16");
        auto* grid = child<widgets::DataGrid>(main, "DBGridEh16");
        click(page, "Button46");
        typeIntoCell(grid, 1, 1, QStringLiteral("小红"));
        typeIntoCell(grid, 1, 2, QStringLiteral("Hong 1"));
        folder.boxes.answer(true);
        click(page, "Button48");
        click(main, "Label5");
    }
    {
        auto F_Login = app::startProgram(folder.boxes);
        auto* users = child<QComboBox>(F_Login.get(), "ComboBox1");
        ASSERT_EQ(users->count(), 2);
        users->setCurrentIndex(1);
        child<QLineEdit>(F_Login.get(), "Edit2")->setText(QStringLiteral("Hong 1"));
        child<QCheckBox>(F_Login.get(), "CheckBox1")->setChecked(true);
        click(F_Login.get(), "Image2");
        ASSERT_NE(F_Login->mainWindow(), nullptr);
        click(F_Login->mainWindow(), "Label5");
    }
    {
        auto F_Login = app::startProgram(folder.boxes);
        EXPECT_TRUE(child<QCheckBox>(F_Login.get(), "CheckBox1")->isChecked());
        EXPECT_EQ(child<QComboBox>(F_Login.get(), "ComboBox1")->currentText(), QStringLiteral("小红"));
        EXPECT_EQ(child<QLineEdit>(F_Login.get(), "Edit2")->text(), QStringLiteral("Hong 1"));
        EXPECT_EQ(F_Login->currentSkinName(), QStringLiteral("晴空"));
        QTest::keyClick(child<QLineEdit>(F_Login.get(), "Edit2"), Qt::Key_Return);
        EXPECT_NE(F_Login->mainWindow(), nullptr);
    }
    EXPECT_TRUE(folder.boxes.texts() == std::vector<QString>{QStringLiteral("是否确定保存数据？")});
}

} // namespace
