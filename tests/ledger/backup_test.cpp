// Backups of the ledger: one a day, the newest 30 kept, nothing but exact
// backup names ever removed, no half copy under a backup name (not even
// from a killed process), failures reported; restoring a backup.

#include "file_checks.h"
#include "ledger_fixture.h"

#include "ledger/backup.h"
#include "ledger/error.h"
#include "ledger/sample_ledger.h"
#include "ledger/schema.h"

#include <gtest/gtest.h>

#include <csignal>
#include <cstdio>
#include <filesystem>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

extern char** environ;

using filechecks::at;
using filechecks::bytesOf;
using filechecks::namesIn;
using ledger::BackupInfo;
using ledger::Connection;
using ledger::Error;
using testsupport::LedgerFixture;
using testsupport::TempDir;

namespace {

std::vector<std::string> backupNames(const std::string& ledgerPath)
{
    std::vector<std::string> names;
    for (const BackupInfo& b : ledger::listBackups(ledgerPath, false))
        names.push_back(std::filesystem::path(b.path).filename().string());
    return names;
}

std::string backupFolder(const LedgerFixture& f)
{
    return ledger::backupFolderFor(f.path());
}

// A ledger big enough that a copy a page at a time takes a while.
std::string sampleLedger(const TempDir& dir, int records)
{
    ledger::SampleOptions options;
    options.records = records;
    options.years = 1;
    const std::string path = dir.file(ledger::kDatabaseFileName);
    ledger::createSampleLedger(path, options);
    return path;
}

int64_t recordsIn(const std::string& path)
{
    Connection c;
    c.open(ledger::connectionStringFor(path));
    return c.select("select count(*) from s_shouru").rows[0][0].asLong();
}

TEST(DailyBackups, OneACalendarDayListedWithTimeSizeAndRecords)
{
    LedgerFixture f;
    f.addRecord("Z", 2, "12.5", "2024-03-05");
    EXPECT_TRUE(ledger::backupDue(f.path(), at(2024, 3, 5, 8)));
    const std::string written = ledger::writeBackup(f.db(), at(2024, 3, 5, 8, 1, 2));
    EXPECT_EQ(written, backupFolder(f) + "/fmy-20240305-080102.dll");
    EXPECT_FALSE(ledger::backupDue(f.path(), at(2024, 3, 5, 23, 59, 59)));
    EXPECT_TRUE(ledger::backupDue(f.path(), at(2024, 3, 6, 0, 0, 0)));

    f.addRecord("Z", 2, "30", "2024-03-05"); // after the copy: not in it
    const auto backups = ledger::listBackups(f.path());
    ASSERT_EQ(backups.size(), 1u);
    EXPECT_EQ(backups[0].time, at(2024, 3, 5, 8, 1, 2));
    EXPECT_EQ(backups[0].size, std::filesystem::file_size(written));
    EXPECT_EQ(backups[0].records, 1);
    EXPECT_EQ(recordsIn(written), 1);
}

TEST(DailyBackups, TheThirtyFirstRemovesTheOldestAndTheListIsNewestFirst)
{
    LedgerFixture f;
    for (int day = 1; day <= 30; ++day)
        ledger::writeBackup(f.db(), at(2024, 1, day));
    EXPECT_EQ(ledger::listBackups(f.path(), false).size(), 30u);
    ledger::writeBackup(f.db(), at(2024, 1, 31));
    const auto names = backupNames(f.path());
    ASSERT_EQ(names.size(), 30u);
    EXPECT_EQ(names.front(), "fmy-20240131-080000.dll");
    EXPECT_EQ(names.back(), "fmy-20240102-080000.dll");
}

TEST(DailyBackups, TwoBackupsInOneSecondBothKeepTheirCopy)
{
    LedgerFixture f;
    ledger::writeBackup(f.db(), at(2024, 1, 1, 23, 59, 59));
    EXPECT_EQ(ledger::writeBackup(f.db(), at(2024, 1, 1, 23, 59, 59)), backupFolder(f) + "/fmy-20240102-000000.dll");
    EXPECT_EQ(backupNames(f.path()).size(), 2u);
}

TEST(DailyBackups, FilesNamedLikeABackupButNotExactlySurviveTheCleanUp)
{
    LedgerFixture f;
    const std::string folder = backupFolder(f);
    std::filesystem::create_directory(folder);
    const std::vector<std::string> foreign = {"fmy-20000101-120000.dll.bak",
                                              "fmy-2000-01-01.dll",
                                              "FMY-20000101-120000.dll",
                                              "fmy-20000101-120000.DLL",
                                              "fmy-20000101-12000.dll",
                                              "fmy-20000230-120000.dll",
                                              "xfmy-20000101-120000.dll",
                                              "fmy-20000101-120000.dll~",
                                              ".fmy-backup-1",
                                              "notes.txt"};
    for (const std::string& name : foreign)
        filechecks::writeBytes(folder + "/" + name, "family photo " + name);
    std::filesystem::create_directory(folder + "/fmy-19990101-000000.dll");
    TempDir elsewhere;
    filechecks::writeBytes(elsewhere.file("target"), "not ours");
    std::filesystem::create_symlink(elsewhere.file("target"), folder + "/fmy-19990102-000000.dll");

    for (int day = 1; day <= 31; ++day)
        ledger::writeBackup(f.db(), at(2024, 1, day));
    for (const std::string& name : foreign)
        EXPECT_EQ(bytesOf(folder + "/" + name), "family photo " + name) << name;
    EXPECT_TRUE(std::filesystem::is_directory(folder + "/fmy-19990101-000000.dll"));
    EXPECT_TRUE(std::filesystem::is_symlink(folder + "/fmy-19990102-000000.dll"));
    EXPECT_EQ(bytesOf(elsewhere.file("target")), "not ours");
    EXPECT_EQ(backupNames(f.path()).back(), "fmy-20240102-080000.dll");
    EXPECT_EQ(namesIn(folder).size(), foreign.size() + 2 + 30);
}

TEST(BackupCopies, SlicesFromTheOpenConnectionCarryItsOwnWritesAlong)
{
    TempDir dir;
    const std::string path = sampleLedger(dir, 2000);
    Connection db;
    db.open(ledger::connectionStringFor(path));
    ledger::BackupCopy copy(db, at(2024, 5, 1));
    EXPECT_FALSE(copy.step(4));
    EXPECT_EQ(copy.pagesCopied(), 4);
    EXPECT_GT(copy.pageCount(), 40);
    db.execute("insert into s_shouru (s_jine, f_class, s_date) values (1, 'Z', #2024-05-01#)");
    while (!copy.step(4)) {}
    EXPECT_EQ(recordsIn(copy.path()), 2001);
}

TEST(BackupCopies, AWriterOnAnotherConnectionMakesTheCopyStartOverConsistently)
{
    TempDir dir;
    const std::string path = sampleLedger(dir, 2000);
    ledger::BackupCopy copy(path, at(2024, 5, 1));
    copy.step(8);
    Connection writer;
    writer.open(ledger::connectionStringFor(path));
    writer.execute("delete from s_shouru where id <= 500");
    while (!copy.step(8)) {}
    EXPECT_EQ(recordsIn(copy.path()), 1500);
}

TEST(BackupCopies, AWorkerCopiesWhileTheWindowsConnectionKeepsWriting)
{
    TempDir dir;
    const std::string path = sampleLedger(dir, 3000);
    Connection db;
    db.open(ledger::connectionStringFor(path));
    std::string written;
    std::thread worker([&] { written = ledger::backupLedgerFile(path, at(2024, 5, 1)); });
    for (int i = 0; i < 50; ++i) {
        ledger::Transaction t(db);
        db.execute("insert into s_shouru (s_jine, f_class, s_date) values (2, 'Z', #2024-05-01#)");
        t.commit();
    }
    worker.join();
    const int64_t copied = recordsIn(written);
    EXPECT_GE(copied, 3000);
    EXPECT_LE(copied, 3050);
}

TEST(BackupCopies, AStoppedCopyLeavesNothing)
{
    TempDir dir;
    const std::string path = sampleLedger(dir, 10000);
    int calls = 0;
    const std::string result = ledger::backupLedgerFile(path, at(2024, 5, 1), [&](int copied, int total) {
        ++calls;
        return copied < total / 2;
    });
    EXPECT_EQ(result, "");
    EXPECT_GE(calls, 1);
    EXPECT_TRUE(namesIn(ledger::backupFolderFor(path)).empty());
}

TEST(BackupFailures, AProcessKilledDuringTheCopyLeavesNoFileUnderABackupName)
{
    TempDir dir;
    const std::string path = sampleLedger(dir, 3000);
    int out[2];
    ASSERT_EQ(::pipe(out), 0);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, out[0]);
    std::vector<std::string> args = {LEDGER_BACKUP_TOOL, path, "--pages", "1", "--pause-ms", "20"};
    std::vector<char*> argv;
    for (std::string& a : args)
        argv.push_back(a.data());
    argv.push_back(nullptr);
    pid_t child = 0;
    ASSERT_EQ(posix_spawn(&child, LEDGER_BACKUP_TOOL, &actions, nullptr, argv.data(), environ), 0);
    posix_spawn_file_actions_destroy(&actions);
    ::close(out[1]);
    FILE* progress = ::fdopen(out[0], "r");
    char line[64] = {};
    for (int i = 0; i < 3; ++i) // a few slices in: mid-way through the copy
        ASSERT_NE(std::fgets(line, sizeof line, progress), nullptr);
    EXPECT_NE(std::string(line).find('/'), std::string::npos) << line;
    ::kill(child, SIGKILL);
    int status = 0;
    ::waitpid(child, &status, 0);
    std::fclose(progress);
    ASSERT_TRUE(WIFSIGNALED(status));

    const std::string folder = ledger::backupFolderFor(path);
    EXPECT_TRUE(ledger::listBackups(path).empty());
    ASSERT_EQ(namesIn(folder).size(), 1u); // the killed copy's temporary, under no backup name
    EXPECT_FALSE(ledger::backupTimeOf(namesIn(folder)[0]));
    // The next backup clears the stale temporary away.
    const std::string written = ledger::backupLedgerFile(path, at(2024, 5, 1));
    EXPECT_EQ(namesIn(folder), std::vector<std::string>{"fmy-20240501-080000.dll"});
    EXPECT_EQ(recordsIn(written), 3000);
}

void expectFileError(Connection& db, const std::string& reason)
{
    try {
        ledger::writeBackup(db, at(2024, 5, 1));
        ADD_FAILURE() << "the backup was written";
    } catch (const Error& e) {
        EXPECT_EQ(e.kind(), Error::Kind::File);
        EXPECT_NE(std::string(e.what()).find(reason), std::string::npos) << e.what();
    }
    EXPECT_NO_THROW(db.select("select count(*) from s_user")) << "the ledger stays usable";
}

TEST(BackupFailures, AFileWhereTheFolderBelongsIsAnError)
{
    LedgerFixture f;
    filechecks::writeBytes(backupFolder(f), "in the way");
    expectFileError(f.db(), "已有同名的文件");
    EXPECT_EQ(bytesOf(backupFolder(f)), "in the way");
}

TEST(BackupFailures, AReadOnlyFolderIsAnError)
{
    if (::geteuid() == 0)
        GTEST_SKIP() << "running as root: folder permissions do not stop writes (AFileWhereTheFolderBelongsIsAnError "
                        "covers an unwritable folder)";
    LedgerFixture f;
    std::filesystem::create_directory(backupFolder(f));
    std::filesystem::permissions(backupFolder(f), std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
    expectFileError(f.db(), "没有写入权限");
    std::filesystem::permissions(backupFolder(f), std::filesystem::perms::owner_all);
    EXPECT_TRUE(namesIn(backupFolder(f)).empty());
}

TEST(BackupFailures, RunningOutOfRoomMidCopyLeavesNothing)
{
    TempDir dir;
    const std::string path = sampleLedger(dir, 3000);
    Connection db;
    db.open(ledger::connectionStringFor(path));
    // A file size limit fails the copy's writes part of the way, as a full disk would.
    rlimit before{};
    ::getrlimit(RLIMIT_FSIZE, &before);
    rlimit small = before;
    small.rlim_cur = 64 * 1024;
    std::signal(SIGXFSZ, SIG_IGN);
    ::setrlimit(RLIMIT_FSIZE, &small);
    expectFileError(db, "无法在文件夹");
    ::setrlimit(RLIMIT_FSIZE, &before);
    EXPECT_TRUE(namesIn(ledger::backupFolderFor(path)).empty());
}

TEST(Restore, ABackupComesBackInPlaceAndTheLedgerAsItWasIsBackedUpFirst)
{
    LedgerFixture f;
    f.addRecord("Z", 2, "12.5", "2024-03-05", 1, 1, "豆浆, 油条");
    f.addRecord("S", 5, "8000", "2024-03-10", 1, 2, "三月工资");
    const std::string backup = ledger::writeBackup(f.db(), at(2024, 3, 11));
    f.db().execute("delete from s_shouru");
    const std::string before = ledger::restoreBackup(f.db(), backup, ledger::kDatabasePassword, at(2024, 3, 12));

    ASSERT_TRUE(f.db().isOpen());
    EXPECT_EQ(f.db().path(), f.path());
    EXPECT_EQ(f.scalar("select count(*) from s_shouru"), "2");
    EXPECT_EQ(f.scalar("select s_other from s_z_all where f_class='Z'"), "豆浆, 油条");
    f.addRecord("Z", 2, "3", "2024-03-12"); // the reopened connection writes
    EXPECT_EQ(f.scalar("select count(*) from s_shouru"), "3");
    EXPECT_EQ(recordsIn(before), 0);
    EXPECT_EQ(backupNames(f.path()), (std::vector<std::string>{"fmy-20240312-080000.dll", "fmy-20240311-080000.dll"}));
    EXPECT_EQ(namesIn(f.dir().path()), (std::vector<std::string>{"fmy.dll", "备份"})) << "no temporary is left";
}

TEST(Restore, AFileThatIsNoUsableLedgerIsRefusedAndNothingChanges)
{
    LedgerFixture f;
    f.addRecord("Z", 2, "12.5", "2024-03-05");
    ledger::writeBackup(f.db(), at(2024, 3, 1));
    TempDir other;
    filechecks::writeBytes(other.file("text.dll"), "just some text, not a database");
    {
        Connection plain;
        plain.create(other.file("other-program.dll"), "x");
        plain.executeNative("DELETE FROM ledger_meta WHERE key = 'format'");
    }
    ledger::createStartingDatabase(other.file("other-password.dll"), "another");
    ledger::createSampleLedger(other.file("damaged.dll"), {.records = 2000, .years = 1});
    {
        std::string bytes = bytesOf(other.file("damaged.dll"));
        bytes.replace(bytes.size() / 2 / 4096 * 4096, 8192, std::string(8192, 'Z'));
        filechecks::writeBytes(other.file("damaged.dll"), bytes);
    }
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"text.dll", "不是本程序的账本"},
        {"other-program.dll", "不是本程序的账本"},
        {"other-password.dll", "数据库密码与本账本不同"},
        {"damaged.dll", "已损坏"},
        {"missing.dll", "找不到所选文件"},
    };
    const std::string ledgerBefore = bytesOf(f.path());
    for (const auto& [name, reason] : cases) {
        const std::string chosen = other.file(name);
        const std::string chosenBefore = bytesOf(chosen);
        try {
            ledger::restoreBackup(f.db(), chosen, ledger::kDatabasePassword, at(2024, 3, 12));
            ADD_FAILURE() << name << " was restored";
        } catch (const Error& e) {
            EXPECT_EQ(e.kind(), Error::Kind::Open) << name;
            EXPECT_NE(std::string(e.what()).find(reason), std::string::npos) << name << ": " << e.what();
        }
        EXPECT_EQ(bytesOf(f.path()), ledgerBefore) << name;
        EXPECT_EQ(bytesOf(chosen), chosenBefore) << name;
        EXPECT_EQ(f.scalar("select count(*) from s_shouru"), "1") << name;
        EXPECT_EQ(backupNames(f.path()).size(), 1u) << name << ": no backup is made for a refused restore";
        EXPECT_EQ(namesIn(f.dir().path()), (std::vector<std::string>{"fmy.dll", "备份"})) << name;
    }
}

} // namespace
