// The 数据备份 group of the settings page: the list of backups, a backup
// now whatever the day's rule, the folder, and every record exported.

#include "csv_reader.h"
#include "page_harness.h"
#include "screenshots.h"

#include "ledger/backup.h"
#include "mainwindow/backups.h"
#include "mainwindow/users/users_page.h"

#include <QGroupBox>
#include <QPushButton>
#include <QTreeWidget>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

using Kind = testsupport::ScriptedMessageBoxes::Kind;
namespace fs = std::filesystem;

namespace {

class BackupGroupTest : public testing::Test {
protected:
    void SetUp() override { h.enter(); }

    std::string folder() { return ledger::backupFolderFor(h.db().path()); }
    std::vector<std::string> namesIn(const std::string& dir)
    {
        std::vector<std::string> names;
        std::error_code error;
        for (const auto& e : fs::directory_iterator(dir, error))
            names.push_back(e.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }
    QTreeWidget* list() { return h.find<QTreeWidget>("backupList"); }

    testsupport::PageHarness<mainwindow::UsersPage> h;
};

TEST_F(BackupGroupTest, SitsBelowTheUsersWithEveryControlNamedAndClear)
{
    auto* users = h.find<QGroupBox>("GroupBox23");
    auto* group = h.find<QGroupBox>("backupGroup");
    EXPECT_EQ(group->title(), QStringLiteral("数据备份"));
    EXPECT_FALSE(users->geometry().intersects(group->geometry()));
    EXPECT_TRUE(h.window()->rect().contains(group->geometry())) << "the group fits in the page";
    EXPECT_EQ(list()->accessibleName(), QStringLiteral("已有的备份(&L)"));
    for (const char* name : {"backupNow", "restoreBackup", "openBackupFolder", "exportAllRecords"}) {
        auto* button = h.find<QPushButton>(name);
        EXPECT_FALSE(button->text().isEmpty()) << name;
        EXPECT_GE(button->width(), button->sizeHint().width()) << name << " clips its caption";
        EXPECT_TRUE(group->rect().contains(button->geometry())) << name;
        EXPECT_FALSE(button->geometry().intersects(list()->geometry())) << name;
    }
    EXPECT_EQ(list()->topLevelItemCount(), 0) << "no backups yet";
}

TEST_F(BackupGroupTest, BackUpNowIgnoresTheOneADayRuleAndListsNewestFirst)
{
    ledger::writeBackup(h.db()); // today's automatic one
    ASSERT_FALSE(ledger::backupDue(h.db().path(), ledger::localNow()));
    h.household().addRecord("Z", 2, "12.5", "2024-03-05");
    h.click("backupNow");
    EXPECT_EQ(h.boxes.texts(), std::vector<QString>{QStringLiteral("备份成功")});
    const auto backups = ledger::listBackups(h.db().path());
    ASSERT_EQ(backups.size(), 2u);
    ASSERT_EQ(list()->topLevelItemCount(), 2) << "the list follows the new backup";
    EXPECT_EQ(list()->topLevelItem(0)->data(0, Qt::UserRole).toString().toStdString(), backups[0].path);
    EXPECT_EQ(list()->topLevelItem(0)->text(2), QStringLiteral("1")) << "its records";
    EXPECT_EQ(list()->topLevelItem(1)->text(2), QStringLiteral("0"));
    EXPECT_TRUE(list()->topLevelItem(0)->text(1).endsWith(QStringLiteral(" KB")));
    const auto t = backups[0].time;
    EXPECT_EQ(list()->topLevelItem(0)->text(0),
              QString::asprintf("%04d-%02d-%02d %02d:%02d:%02d", t.year, t.month, t.day, t.hour, t.minute, t.second));
    EXPECT_TRUE(h.context().backups->status().isEmpty());
}

// Copies are counted once; one that another file has replaced since is counted again.
TEST_F(BackupGroupTest, ACopyReplacedSinceItWasCountedIsCountedAgain)
{
    const std::string first = ledger::writeBackup(h.db(), *ledger::DateTime::make(2024, 5, 1, 8, 0, 0));
    h.enter();
    ASSERT_EQ(list()->topLevelItemCount(), 1);
    EXPECT_EQ(list()->topLevelItem(0)->text(2), QStringLiteral("0"));
    for (int i = 0; i < 3; ++i)
        h.household().addRecord("Z", 2, "1", "2024-03-05");
    const std::string second = ledger::writeBackup(h.db(), *ledger::DateTime::make(2024, 5, 2, 8, 0, 0));
    fs::copy_file(second, first, fs::copy_options::overwrite_existing);
    fs::last_write_time(first, fs::last_write_time(second) + std::chrono::seconds(1));
    h.enter();
    ASSERT_EQ(list()->topLevelItemCount(), 2);
    EXPECT_EQ(list()->topLevelItem(1)->text(2), QStringLiteral("3"));
    std::ofstream(first, std::ios::trunc) << "no ledger";
    h.enter();
    EXPECT_EQ(list()->topLevelItem(1)->text(2), QStringLiteral("无法读取"));
}

TEST_F(BackupGroupTest, AFailedBackupNowSaysWhyAndBecomesTheStatus)
{
    // Where the folder belongs there is a file: nothing can go in it.
    std::ofstream(folder()) << "不是文件夹";
    h.click("backupNow");
    ASSERT_EQ(h.boxes.shown().size(), 1u);
    EXPECT_EQ(h.boxes.shown()[0].kind, Kind::Refusal);
    EXPECT_TRUE(h.boxes.texts()[0].startsWith(QStringLiteral("备份失败：")));
    EXPECT_TRUE(h.context().backups->status().startsWith(QStringLiteral("备份失败：")));
    fs::remove(folder());
    h.click("backupNow");
    EXPECT_TRUE(h.context().backups->status().isEmpty()) << "a good backup clears the failure";
}

TEST_F(BackupGroupTest, OpensTheBackupFolderMakingItWhenThereIsNoneYet)
{
    h.click("openBackupFolder");
    ASSERT_EQ(h.boxes.foldersOpened().size(), 1u);
    EXPECT_EQ(fs::path(h.boxes.foldersOpened()[0].toStdString()), fs::absolute(folder()));
    EXPECT_TRUE(fs::is_directory(folder()));
}

TEST_F(BackupGroupTest, RestoringWithoutAChoiceOrWhenCancelledChangesNothing)
{
    h.click("restoreBackup");
    EXPECT_EQ(h.boxes.shown().back().kind, Kind::Refusal);
    ledger::writeBackup(h.db());
    h.enter();
    h.household().addRecord("Z", 2, "12.5", "2024-03-05");
    h.boxes.clear();
    h.boxes.answer(false);
    h.click("restoreBackup");
    EXPECT_EQ(h.boxes.texts(), std::vector<QString>{QStringLiteral("是否确定用所选备份替换当前账本？当前账本会先备份。")});
    EXPECT_EQ(h.household().scalar("select count(*) from s_shouru"), "1");
    EXPECT_EQ(ledger::listBackups(h.db().path()).size(), 1u);
}

TEST_F(BackupGroupTest, Screenshot)
{
    h.household().addUser("爸爸", "abc");
    for (int i = 0; i < 6; ++i) {
        h.household().addRecord("Z", 2, "12.5", "2024-03-05");
        ledger::writeBackup(h.db(), *ledger::DateTime::make(2026, 11, 20 + i, 8, 30, i));
    }
    std::ofstream(folder() + "/" + ledger::backupFileName(*ledger::DateTime::make(2026, 11, 1, 7, 0, 0))) << "坏的";
    h.enter();
    ASSERT_EQ(list()->topLevelItemCount(), 7);
    EXPECT_FALSE(testsupport::saveScreenshot(h.window(), QStringLiteral("settings-page")).isEmpty());
}

class ExportTest : public BackupGroupTest {
protected:
    std::string target() { return dir.file("全部收支记录.csv"); }
    testsupport::TempDir dir;
};

TEST_F(ExportTest, EveryRecordReadsBackWithItsNotesIntact)
{
    const int64_t mum = h.household().addUser("妈妈");
    h.household().addRecord("S", 5, "8000", "2024-03-10", mum, 2, "三月工资");
    h.household().addRecord("Z", 2, "12.5", "2024-03-05", 1, 1, "豆浆, \"甜\"\n两份");
    h.boxes.chooseFile(QString::fromStdString(target()));
    h.click("exportAllRecords");
    EXPECT_EQ(h.boxes.progressShown(), std::vector<QString>{QStringLiteral("正在导出全部收支记录…")});
    EXPECT_EQ(h.boxes.texts(), std::vector<QString>{QStringLiteral("导出完成")});
    const testsupport::CsvTable expected = {
        {"日期", "收支", "大类", "项目", "金额", "收付款人", "账户", "备注"},
        {"2024-03-05", "支出", "餐饮美食", "早餐", "12.50", "管理员", "现金", "豆浆, \"甜\"\n两份"},
        {"2024-03-10", "收入", "工资薪金", "工资", "8000.00", "妈妈", "银行卡", "三月工资"},
    };
    EXPECT_EQ(testsupport::readCsv(target()), expected);
}

TEST_F(ExportTest, ACancelledExportLeavesNoFileAndNoDialogChoiceWritesNothing)
{
    h.click("exportAllRecords"); // the save dialog cancelled
    EXPECT_TRUE(h.boxes.progressShown().empty());
    h.db().beginTransaction();
    for (int i = 0; i < 3000; ++i)
        h.household().addRecord("Z", 2, "1", "2024-01-01");
    h.db().commit();
    h.boxes.chooseFile(QString::fromStdString(target()));
    h.boxes.cancelProgressAfter(2);
    h.click("exportAllRecords");
    EXPECT_EQ(h.boxes.progressShown().size(), 1u);
    EXPECT_TRUE(h.boxes.shown().empty()) << "a cancel is no failure";
    EXPECT_TRUE(namesIn(dir.path()).empty()) << "not even a temporary";
}

TEST_F(ExportTest, AnUnwritableTargetIsRefusedWithTheReason)
{
    h.boxes.chooseFile(QString::fromStdString(dir.file("没有的文件夹/全部.csv")));
    h.click("exportAllRecords");
    ASSERT_EQ(h.boxes.shown().size(), 1u);
    EXPECT_EQ(h.boxes.shown()[0].kind, Kind::Refusal);
    EXPECT_TRUE(h.boxes.texts()[0].startsWith(QStringLiteral("导出失败：")));
}

} // namespace
