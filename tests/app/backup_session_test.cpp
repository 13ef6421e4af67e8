// Backups in the running program: the day's backup comes only after a good
// sign-in, a failing one is said in the status band, and putting a backup
// back brings the pages and the sign-in in line with it.

#include "household.h"
#include "program_folder.h"
#include "screenshots.h"

#include "ledger/backup.h"
#include "ledger/schema.h"
#include "mainwindow/backups.h"
#include "widgets/data_grid.h"

#include <QComboBox>
#include <QLineEdit>
#include <QTreeWidget>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <unistd.h>

using apptest::child;
using apptest::click;
using apptest::ProgramFolder;
using Kind = testsupport::ScriptedMessageBoxes::Kind;
namespace fs = std::filesystem;

namespace {

class BackupSession : public testing::Test {
protected:
    std::unique_ptr<app::SignInWindow> start()
    {
        auto w = std::make_unique<app::SignInWindow>(folder.boxes);
        w->FormCreate();
        w->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(w.get()));
        return w;
    }
    // Signs in as the user with the password and lets the day's backup end.
    mainwindow::MainWindow* signIn(app::SignInWindow* w, const QString& user = QStringLiteral("管理员"),
                                   const QString& password = {})
    {
        child<QComboBox>(w, "ComboBox1")->setCurrentText(user);
        child<QLineEdit>(w, "Edit2")->setText(password);
        click(w, "Image2");
        mainwindow::MainWindow* main = w->mainWindow();
        if (main)
            settle(main);
        return main;
    }
    void settle(mainwindow::MainWindow* main)
    {
        for (int i = 0; i < 300 && main->automaticBackupPending(); ++i)
            QTest::qWait(10);
        EXPECT_FALSE(main->automaticBackupPending()) << "the day's backup starts once the window is shown";
        main->backups().wait();
        QApplication::processEvents();
    }
    std::vector<ledger::BackupInfo> backups() { return ledger::listBackups(ledger::kDatabaseFileName); }
    QString status(mainwindow::MainWindow* main) { return child<QLabel>(main, "backupStatus")->toolTip(); }
    void openSettings(mainwindow::MainWindow* main) { click(main, "L10"); }
    QTreeWidget* list(mainwindow::MainWindow* main) { return child<QTreeWidget>(main, "backupList"); }
    // Every text a grid shows, row by row.
    QStringList gridTexts(mainwindow::MainWindow* main, const char* name)
    {
        QStringList texts;
        auto* grid = child<widgets::DataGrid>(main, name);
        for (int r = 0; grid && r < grid->model()->rowCount(); ++r)
            for (int c = 0; c < grid->model()->columnCount(); ++c)
                texts << grid->model()->index(r, c).data().toString();
        return texts;
    }
    std::string today() { return QDate::currentDate().toString(QStringLiteral("yyyy-MM-dd")).toStdString(); }

    ProgramFolder folder;
};

TEST_F(BackupSession, OneBackupADayAndNoneBeforeAGoodSignIn)
{
    testsupport::Household(folder.db()).addUser("爸爸", "abc");
    auto w = start();
    QApplication::processEvents();
    child<QComboBox>(w.get(), "ComboBox1")->setCurrentText(QStringLiteral("爸爸"));
    child<QLineEdit>(w.get(), "Edit2")->setText(QStringLiteral("wrong"));
    click(w.get(), "Image2");
    QApplication::processEvents();
    EXPECT_EQ(w->mainWindow(), nullptr);
    EXPECT_FALSE(fs::exists(ledger::kBackupFolderName)) << "nothing is written for someone not signed in";

    mainwindow::MainWindow* main = signIn(w.get(), QStringLiteral("爸爸"), QStringLiteral("abc"));
    ASSERT_NE(main, nullptr);
    ASSERT_EQ(backups().size(), 1u);
    EXPECT_EQ(backups()[0].time.datePart(), ledger::localNow().datePart());
    EXPECT_EQ(backups()[0].records, 0);
    EXPECT_TRUE(status(main).isEmpty());

    // The second sign-in of the day adds none.
    auto again = start();
    ASSERT_NE(signIn(again.get()), nullptr);
    EXPECT_EQ(backups().size(), 1u);
}

TEST_F(BackupSession, AFailingBackupIsSaidInTheStatusBandUntilOneSucceeds)
{
    // A folder that takes no files; as root permissions do not stop writes,
    // so a file stands where the folder belongs.
    const bool root = ::geteuid() == 0;
    if (root) {
        std::ofstream(ledger::kBackupFolderName) << "x";
    } else {
        fs::create_directory(ledger::kBackupFolderName);
        fs::permissions(ledger::kBackupFolderName, fs::perms::owner_read | fs::perms::owner_exec);
    }
    auto w = start();
    mainwindow::MainWindow* main = signIn(w.get());
    ASSERT_NE(main, nullptr);
    EXPECT_TRUE(main->isVisible()) << "the program goes on";
    EXPECT_TRUE(status(main).startsWith(QStringLiteral("备份失败："))) << status(main).toStdString();
    EXPECT_FALSE(child<QLabel>(main, "backupStatus")->text().isEmpty());
    EXPECT_TRUE(folder.boxes.shown().empty()) << "no box in the way of the day's work";
    testsupport::saveScreenshot(main, QStringLiteral("main-window-backup-failed"));
    if (root)
        fs::remove(ledger::kBackupFolderName);
    else
        fs::permissions(ledger::kBackupFolderName, fs::perms::owner_all);
    for (const auto& e : fs::directory_iterator(".")) // nothing half-written beside the ledger
        EXPECT_EQ(e.path().filename().string().find(".fmy"), std::string::npos) << e.path();

    openSettings(main);
    click(main, "backupNow");
    EXPECT_TRUE(status(main).isEmpty());
    EXPECT_TRUE(child<QLabel>(main, "backupStatus")->text().isEmpty());
    EXPECT_EQ(backups().size(), 1u);
}

TEST_F(BackupSession, ARestoreBringsBackDeletedRecordsOnEveryPage)
{
    testsupport::Household house(folder.db());
    auto w = start();
    mainwindow::MainWindow* main = signIn(w.get());
    ASSERT_NE(main, nullptr);
    house.addRecord("Z", 2, "12.5", today(), 1, 1, "豆浆油条");
    house.addRecord("Z", 3, "30", today(), 1, 1, "盒饭");
    house.addAccount("零钱包", "50");
    openSettings(main);
    click(main, "backupNow");
    const std::string saved = backups()[0].path;
    folder.db().execute("delete from s_shouru");
    folder.db().execute("delete from z_zhanghu where z_name='零钱包'");
    click(main, "Label1");
    EXPECT_FALSE(gridTexts(main, "DBGridEh1").contains(QStringLiteral("豆浆油条")));

    openSettings(main);
    QTreeWidget* l = list(main);
    ASSERT_EQ(l->topLevelItemCount(), 2);
    l->setCurrentItem(l->topLevelItem(0));
    ASSERT_EQ(l->currentItem()->data(0, Qt::UserRole).toString().toStdString(), saved);
    folder.boxes.clear();
    folder.boxes.answer(true);
    click(main, "restoreBackup");
    QApplication::processEvents();
    QApplication::processEvents();
    ASSERT_EQ(w->mainWindow(), main) << "the same user is still there: still signed in";
    EXPECT_EQ(folder.boxes.texts(), (std::vector<QString>{QStringLiteral("是否确定用所选备份替换当前账本？当前账本会先备份。"),
                                                          QStringLiteral("备份已恢复。")}));
    // The test's own connection still reads the file that was replaced.
    EXPECT_EQ(w->connection().select("select count(*) from s_shouru").rows[0][0].toText(), "2");
    ASSERT_EQ(backups().size(), 3u) << "the ledger as it was went into a backup first";
    EXPECT_EQ(backups()[0].records, 0);
    EXPECT_EQ(list(main)->topLevelItemCount(), 3) << "the settings page read again";

    click(main, "Label1");
    EXPECT_TRUE(gridTexts(main, "DBGridEh1").contains(QStringLiteral("豆浆油条")));
    EXPECT_TRUE(gridTexts(main, "DBGridEh1").contains(QStringLiteral("盒饭")));
    click(main, "Label3");
    EXPECT_TRUE(gridTexts(main, "DBGridEh3").contains(QStringLiteral("零钱包")));
}

// A restore reads every page anew: the question says which pages would lose what is not saved yet.
TEST_F(BackupSession, TheRestoreQuestionNamesPagesWithUnsavedChanges)
{
    auto w = start();
    mainwindow::MainWindow* main = signIn(w.get());
    ASSERT_NE(main, nullptr);
    openSettings(main);
    click(main, "backupNow");
    click(main, "Label3");
    click(main, "Button27"); // a new account, not saved
    openSettings(main);
    list(main)->setCurrentItem(list(main)->topLevelItem(0));
    const size_t copies = backups().size();
    folder.boxes.clear();
    folder.boxes.answer(false);
    click(main, "restoreBackup");
    EXPECT_EQ(folder.boxes.texts(), std::vector<QString>{QStringLiteral("是否确定用所选备份替换当前账本？当前账本会先备份。\n"
                                                                        "账户页上未保存的修改将被放弃。")});
    EXPECT_EQ(backups().size(), copies) << "answered no: nothing happened";
}

TEST_F(BackupSession, ARestoredLedgerWithoutTheUserSendsBackToTheSignIn)
{
    const std::string before = ledger::writeBackup(folder.db(), *ledger::DateTime::make(2024, 5, 1, 8, 0, 0));
    testsupport::Household(folder.db()).addUser("爸爸", "abc");
    auto w = start();
    mainwindow::MainWindow* main = signIn(w.get(), QStringLiteral("爸爸"), QStringLiteral("abc"));
    ASSERT_NE(main, nullptr);
    openSettings(main);
    QTreeWidget* l = list(main);
    for (int i = 0; i < l->topLevelItemCount(); ++i)
        if (fs::path(l->topLevelItem(i)->data(0, Qt::UserRole).toString().toStdString()).filename() ==
            fs::path(before).filename())
            l->setCurrentItem(l->topLevelItem(i));
    ASSERT_EQ(fs::path(l->currentItem()->data(0, Qt::UserRole).toString().toStdString()).filename(), fs::path(before).filename());
    folder.boxes.clear();
    folder.boxes.answer(true);
    click(main, "restoreBackup");
    QApplication::processEvents();
    QApplication::processEvents();
    EXPECT_EQ(folder.boxes.texts().back(), QStringLiteral("备份已恢复。恢复的账本里没有当前用户，请重新登录。"));
    EXPECT_EQ(w->mainWindow(), nullptr);
    EXPECT_TRUE(w->isVisible());
    auto* users = child<QComboBox>(w.get(), "ComboBox1");
    EXPECT_EQ(users->count(), 1) << "the restored ledger's users";
    EXPECT_EQ(users->itemText(0), QStringLiteral("管理员"));
    EXPECT_TRUE(child<QLineEdit>(w.get(), "Edit2")->text().isEmpty());
    ASSERT_NE(signIn(w.get()), nullptr) << "and one of them signs in again";
}

TEST_F(BackupSession, AFileThatIsNoLedgerOrHasAnotherPasswordIsRefusedAndChangesNothing)
{
    testsupport::Household(folder.db()).addRecord("Z", 2, "12.5", today());
    auto w = start();
    mainwindow::MainWindow* main = signIn(w.get());
    ASSERT_NE(main, nullptr);
    const std::string dir = ledger::kBackupFolderName;
    std::ofstream(dir + "/" + ledger::backupFileName(*ledger::DateTime::make(2020, 1, 1, 8, 0, 0))) << "只是一段文字";
    ledger::createStartingDatabase(dir + "/" + ledger::backupFileName(*ledger::DateTime::make(2020, 1, 2, 8, 0, 0)),
                                   "another-password");
    const auto ledgerBytes = fs::file_size(ledger::kDatabaseFileName);
    openSettings(main);
    QTreeWidget* l = list(main);
    ASSERT_EQ(l->topLevelItemCount(), 3);
    EXPECT_EQ(l->topLevelItem(2)->text(2), QStringLiteral("无法读取"));
    const std::pair<int, QString> cases[] = {{2, QStringLiteral("不是本程序的账本")}, {1, QStringLiteral("数据库密码")}};
    for (const auto& [row, reason] : cases) {
        folder.boxes.clear();
        l->setCurrentItem(l->topLevelItem(row));
        folder.boxes.answer(true);
        click(main, "restoreBackup");
        QApplication::processEvents();
        ASSERT_EQ(folder.boxes.shown().size(), 2u);
        EXPECT_EQ(folder.boxes.shown()[1].kind, Kind::Refusal);
        EXPECT_TRUE(folder.boxes.texts()[1].contains(reason)) << folder.boxes.texts()[1].toStdString();
        EXPECT_TRUE(folder.boxes.texts()[1].contains(QStringLiteral("当前账本没有改变")));
        EXPECT_EQ(w->mainWindow(), main);
        EXPECT_EQ(folder.scalar("select count(*) from s_shouru"), "1");
        EXPECT_EQ(backups().size(), 3u) << "no backup made for a refused restore";
        EXPECT_EQ(fs::file_size(ledger::kDatabaseFileName), ledgerBytes);
    }
    click(main, "Label1");
    EXPECT_EQ(child<widgets::DataGrid>(main, "DBGridEh1")->model()->rowCount(), 1) << "the window works on as before";
}

} // namespace
