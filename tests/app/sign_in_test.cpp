// Start-up and sign-in: the user list, the remembered sign-in, the password
// check, and a missing database.

#include "program_folder.h"

#include "../ledger/file_checks.h"

#include "ledger/sample_ledger.h"
#include "pages/sign_in_statements.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <gtest/gtest.h>

using apptest::child;
using apptest::click;
using apptest::ProgramFolder;
using Kind = testsupport::ScriptedMessageBoxes::Kind;

namespace {

class SignIn : public testing::Test {
protected:
    std::unique_ptr<app::SignInWindow> start()
    {
        auto window = std::make_unique<app::SignInWindow>(folder.boxes);
        window->FormCreate();
        window->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(window.get()));
        return window;
    }
    QComboBox* users(QWidget* w) { return child<QComboBox>(w, "ComboBox1"); }
    QLineEdit* password(QWidget* w) { return child<QLineEdit>(w, "Edit2"); }
    QCheckBox* remember(QWidget* w) { return child<QCheckBox>(w, "CheckBox1"); }
    void pressEnterIn(QWidget* w) { QTest::keyClick(w, Qt::Key_Return); }

    ProgramFolder folder;
};

TEST_F(SignIn, TheWindowShowsTheUsersInDatabaseOrderWithThePasswordFocused)
{
    folder.db().execute("insert into s_user (sys_name, sys_pwd) values ('爸爸', 'abc')");
    folder.db().execute("insert into s_user (sys_name, sys_pwd) values ('Amy', '')");
    auto w = start();
    EXPECT_EQ(w->objectName(), QStringLiteral("F_Login"));
    EXPECT_EQ(w->windowTitle(), QStringLiteral("欢迎使用Quibo家的记账本"));
    EXPECT_EQ(w->size(), QSize(470, 264));
    EXPECT_TRUE(w->windowFlags() & Qt::FramelessWindowHint);
    EXPECT_TRUE(w->windowFlags() & Qt::WindowStaysOnTopHint);
    ASSERT_EQ(users(w.get())->count(), 3);
    EXPECT_EQ(users(w.get())->itemText(1), QStringLiteral("爸爸"));
    EXPECT_EQ(users(w.get())->currentIndex(), 0);
    EXPECT_FALSE(remember(w.get())->isChecked());
    EXPECT_TRUE(password(w.get())->text().isEmpty());
    EXPECT_EQ(QApplication::focusWidget(), password(w.get()));
    EXPECT_EQ(w->currentSkinName(), QString()) << "without a remembered sign-in the skin name is empty";
    EXPECT_TRUE(folder.boxes.shown().empty()) << "the default skin loads without a notice";
    EXPECT_EQ(password(w.get())->geometry(), QRect(232, 120, 193, 24));
    EXPECT_EQ(users(w.get())->geometry(), QRect(232, 88, 193, 21));
}

TEST_F(SignIn, AnEmptyUserListSignsNobodyIn)
{
    folder.db().execute("delete from s_user");
    auto w = start();
    EXPECT_EQ(users(w.get())->count(), 0);
    click(w.get(), "Image2");
    pressEnterIn(password(w.get()));
    EXPECT_EQ(w->mainWindow(), nullptr);
    EXPECT_TRUE(folder.boxes.shown().empty());
}

TEST_F(SignIn, TheRememberedSignInIsApplied)
{
    folder.db().execute("insert into s_user (sys_name, sys_pwd) values ('Tom', 'pw')");
    folder.db().execute("update sys_sys set isji=1, isuser='TOM', ispwd='pw', skinx='暖阳' where id=1");
    auto w = start();
    EXPECT_TRUE(remember(w.get())->isChecked());
    EXPECT_EQ(users(w.get())->currentText(), QStringLiteral("Tom"));
    EXPECT_EQ(password(w.get())->text(), QStringLiteral("pw"));
    EXPECT_EQ(w->currentSkinName(), QStringLiteral("暖阳"));
    pressEnterIn(password(w.get()));
    ASSERT_NE(w->mainWindow(), nullptr);
    EXPECT_FALSE(w->isVisible());
}

TEST_F(SignIn, ARememberedUserWhoIsGoneLeavesTheListWithoutASelection)
{
    folder.db().execute("update sys_sys set isji=1, isuser='gone', ispwd='', skinx='' where id=1");
    auto w = start();
    EXPECT_EQ(users(w.get())->currentIndex(), -1);
    EXPECT_EQ(users(w.get())->currentText(), QString());
    click(w.get(), "Image2");
    EXPECT_EQ(w->mainWindow(), nullptr) << "signing in without a name does nothing";
    EXPECT_TRUE(folder.boxes.shown().empty());
}

TEST_F(SignIn, AnUnknownSkinIsANoticeAndStartUpGoesOn)
{
    folder.db().execute("update sys_sys set isji=1, isuser='管理员', skinx='不存在' where id=1");
    auto w = start();
    ASSERT_EQ(folder.boxes.texts(), std::vector<QString>{QStringLiteral("调入皮肤文件时发生错误.")});
    EXPECT_EQ(folder.boxes.shown()[0].kind, Kind::Notice);
    EXPECT_EQ(users(w.get())->currentText(), QStringLiteral("管理员"));
}

TEST_F(SignIn, PasswordsCompareExactlyAndAWrongOneIsClearedAndFocused)
{
    folder.db().execute("insert into s_user (sys_name, sys_pwd) values ('Tom', 'Pw ')");
    auto w = start();
    users(w.get())->setCurrentIndex(1);
    for (const char* wrong : {"pw ", "Pw", " Pw ", "PW "}) {
        password(w.get())->setText(QString::fromUtf8(wrong));
        click(w.get(), "Image2");
        EXPECT_EQ(w->mainWindow(), nullptr) << wrong;
        EXPECT_TRUE(password(w.get())->text().isEmpty());
        EXPECT_EQ(QApplication::focusWidget(), password(w.get()));
    }
    ASSERT_EQ(folder.boxes.shown().size(), 4u);
    EXPECT_EQ(folder.boxes.shown()[0].kind, Kind::Refusal);
    EXPECT_EQ(folder.boxes.shown()[0].text, QStringLiteral("对不起，密码不正确，请你重新输入！"));
    EXPECT_EQ(folder.boxes.shown()[0].owner, w.get());
    password(w.get())->setText(QStringLiteral("Pw "));
    click(w.get(), "Image2");
    EXPECT_NE(w->mainWindow(), nullptr);
}

TEST_F(SignIn, EnterSignsInOnlyFromThePasswordBox)
{
    auto w = start();
    users(w.get())->setFocus();
    QTest::keyClick(users(w.get()), Qt::Key_Return);
    remember(w.get())->setFocus();
    QTest::keyClick(remember(w.get()), Qt::Key_Enter);
    EXPECT_EQ(w->mainWindow(), nullptr);
    QTest::keyClick(password(w.get()), Qt::Key_Return, Qt::ShiftModifier);
    EXPECT_NE(w->mainWindow(), nullptr) << "the default user has an empty password";
}

TEST_F(SignIn, TickedTheSettingsRowRemembersUntickedItForgetsThePassword)
{
    folder.db().execute("insert into s_user (sys_name, sys_pwd) values ('O\"Neil', 'a\"b')");
    {
        auto w = start();
        users(w.get())->setCurrentIndex(1);
        password(w.get())->setText(QStringLiteral("a\"b"));
        remember(w.get())->setChecked(true);
        click(w.get(), "Image2");
        ASSERT_NE(w->mainWindow(), nullptr) << "a name with a double quote signs in";
    }
    EXPECT_EQ(folder.scalar("select isji & '|' & isuser & '|' & ispwd from sys_sys"), "1|O\"Neil|a\"b");
    {
        auto w = start();
        EXPECT_EQ(users(w.get())->currentText(), QStringLiteral("O\"Neil"));
        remember(w.get())->setChecked(false);
        click(w.get(), "Image2");
        ASSERT_NE(w->mainWindow(), nullptr);
    }
    EXPECT_EQ(folder.scalar("select isji & '|' & isuser & '|' & ispwd from sys_sys"), "0|O\"Neil|");
}

TEST_F(SignIn, AnOlderLedgerGetsItsIndexesOnlyAfterAGoodSignIn)
{
    folder.db().executeNative("DROP INDEX s_shouru_day_totals");
    folder.db().execute("update s_user set sys_pwd='pw'");
    auto w = start();
    QApplication::processEvents();
    EXPECT_TRUE(ledger::lacksIndexes(folder.db())) << "nobody has signed in yet";
    password(w.get())->setText(QStringLiteral("pw"));
    pressEnterIn(password(w.get()));
    ASSERT_NE(w->mainWindow(), nullptr);
    QApplication::processEvents();
    EXPECT_FALSE(ledger::lacksIndexes(folder.db()));
}

TEST(SignInWithoutADatabase, ShowsTheNoticeThenTheErrorAndCanStillExit)
{
    ProgramFolder folder(false);
    app::SignInWindow w(folder.boxes);
    w.FormCreate();
    ASSERT_EQ(folder.boxes.shown().size(), 2u);
    EXPECT_EQ(folder.boxes.shown()[0].kind, Kind::Notice);
    EXPECT_EQ(folder.boxes.shown()[0].text, QStringLiteral("对不起，系统数据库源没有找到，请你重新定位系统数据库！"));
    EXPECT_EQ(folder.boxes.shown()[1].kind, Kind::StandardError);
    EXPECT_TRUE(folder.boxes.shown()[1].text.contains(QStringLiteral("fmy.dll"))) << folder.boxes.shown()[1].text.toStdString();
    EXPECT_FALSE(QFile::exists(QStringLiteral("fmy.dll"))) << "starting never creates the database";
    w.show();
    EXPECT_EQ(child<QComboBox>(&w, "ComboBox1")->count(), 0);
    click(&w, "Image2");
    EXPECT_EQ(folder.boxes.shown().size(), 3u);
    EXPECT_EQ(folder.boxes.shown()[2].kind, Kind::StandardError);
    click(&w, "Image3");
    EXPECT_FALSE(w.isVisible());
}

// A damaged ledger fails like a missing one, then the family is told
// where its newest backup is; the file is left exactly as it was.
TEST(SignInWithADamagedLedger, FailsLikeAMissingOneThenNamesTheNewestBackup)
{
    ProgramFolder folder;
    folder.db().execute("insert into s_user (sys_name, sys_pwd) values ('爸爸', '')");
    folder.db().close();
    QDir().mkdir(QStringLiteral("备份"));
    QFile::copy(QStringLiteral("fmy.dll"), QStringLiteral("备份/fmy-20261201-080000.dll"));
    QFile::copy(QStringLiteral("fmy.dll"), QStringLiteral("备份/fmy-20261205-213000.dll"));
    QFile::copy(QStringLiteral("fmy.dll"), QStringLiteral("备份/fmy-20261206-0700.dll")); // not a backup's name
    std::string bytes = filechecks::bytesOf("fmy.dll");
    bytes.replace(bytes.size() - 4096, 4096, std::string(4096, '\x5a'));
    filechecks::writeBytes("fmy.dll", bytes);

    for (bool early : {false, true}) {
        folder.boxes.clear();
        app::SignInWindow w(folder.boxes, early ? std::make_unique<ledger::EarlyIntegrityCheck>("fmy.dll") : nullptr);
        w.FormCreate();
        const auto& shown = folder.boxes.shown();
        // The early verdict comes while the window waits for the password.
        for (int waited = 0; early && shown.size() < 3 && waited < 5000; waited += 10)
            QTest::qWait(10);
        ASSERT_EQ(shown.size(), 3u);
        EXPECT_EQ(shown[0].text, QStringLiteral("对不起，系统数据库源没有找到，请你重新定位系统数据库！"));
        EXPECT_EQ(shown[1].kind, Kind::StandardError);
        EXPECT_TRUE(shown[1].text.contains(QStringLiteral("已损坏"))) << shown[1].text.toStdString();
        EXPECT_EQ(shown[2].kind, Kind::Notice);
        EXPECT_TRUE(shown[2].text.contains(QStringLiteral("fmy-20261205-213000.dll"))) << shown[2].text.toStdString();
        EXPECT_TRUE(shown[2].text.contains(QDir(QStringLiteral("备份")).absolutePath())) << shown[2].text.toStdString();
        EXPECT_EQ(child<QComboBox>(&w, "ComboBox1")->count(), 0);
        click(&w, "Image2");
        EXPECT_EQ(w.mainWindow(), nullptr);
    }
    EXPECT_TRUE(filechecks::bytesOf("fmy.dll") == bytes) << "nothing is written to a damaged ledger";
}

// Enter as soon as the window shows, whether the verdict is known by then
// or not: a damaged ledger signs nobody in, is told once with its backups,
// and is not written.
TEST(SignInWithADamagedLedger, EnterAtOnceSignsNobodyIn)
{
    ProgramFolder folder(false);
    ledger::createSampleLedger(ledger::kDatabaseFileName, {.records = 3000, .years = 1});
    std::string bytes = filechecks::bytesOf("fmy.dll");
    bytes.replace(bytes.size() / 2 / 4096 * 4096, 8192, std::string(8192, '\x5a'));
    filechecks::writeBytes("fmy.dll", bytes);
    app::SignInWindow w(folder.boxes, std::make_unique<ledger::EarlyIntegrityCheck>("fmy.dll"));
    w.FormCreate();
    QTest::keyClick(child<QLineEdit>(&w, "Edit2"), Qt::Key_Return);
    QTest::qWait(50);
    EXPECT_EQ(w.mainWindow(), nullptr);
    int backupNotices = 0;
    for (const QString& text : folder.boxes.texts())
        backupNotices += text.contains(QStringLiteral("备份文件夹")) ? 1 : 0;
    EXPECT_EQ(backupNotices, 1);
    EXPECT_TRUE(filechecks::bytesOf("fmy.dll") == bytes);
}

TEST(SignInWithASoundLedger, TheEarlyCheckLetsTheFamilyIn)
{
    ProgramFolder folder;
    app::SignInWindow w(folder.boxes, std::make_unique<ledger::EarlyIntegrityCheck>("fmy.dll"));
    w.FormCreate();
    child<QCheckBox>(&w, "CheckBox1")->setChecked(true);
    QTest::keyClick(child<QLineEdit>(&w, "Edit2"), Qt::Key_Return);
    ASSERT_NE(w.mainWindow(), nullptr);
    EXPECT_TRUE(folder.boxes.shown().empty());
    EXPECT_EQ(folder.scalar("select isuser from sys_sys"), "管理员") << "the remembered sign-in is written";
}

TEST(SignInWithADamagedLedger, WithoutBackupsSaysSo)
{
    ProgramFolder folder;
    folder.db().close();
    std::string bytes = filechecks::bytesOf("fmy.dll");
    bytes.replace(bytes.size() - 4096, 4096, std::string(4096, '\x5a'));
    filechecks::writeBytes("fmy.dll", bytes);
    app::SignInWindow w(folder.boxes);
    w.FormCreate();
    ASSERT_EQ(folder.boxes.shown().size(), 3u);
    EXPECT_TRUE(folder.boxes.shown()[2].text.contains(QStringLiteral("没有备份"))) << folder.boxes.shown()[2].text.toStdString();
}

} // namespace
