// The check at open: a damaged ledger is refused, told apart from a missing
// file or a wrong password, and left exactly as it was.

#include "file_checks.h"
#include "ledger_fixture.h"

#include "ledger/error.h"
#include "ledger/sample_ledger.h"
#include "ledger/schema.h"

#include <gtest/gtest.h>

#include <memory>

using filechecks::bytesOf;
using filechecks::namesIn;
using ledger::Connection;
using ledger::Error;
using ledger::OpenFailure;
using testsupport::TempDir;

namespace {

// With `early`, the verdict comes from a check started before the open, on
// a thread of its own, as the program does at start.
OpenFailure failureOpening(const std::string& path, const std::string& password = ledger::kDatabasePassword, bool early = false)
{
    Connection c;
    std::unique_ptr<ledger::EarlyIntegrityCheck> check;
    if (early)
        check = std::make_unique<ledger::EarlyIntegrityCheck>(path);
    try {
        c.open(ledger::connectionStringFor(path, password), check.get());
    } catch (const Error& e) {
        EXPECT_EQ(e.kind(), Error::Kind::Open) << e.what();
        EXPECT_FALSE(c.isOpen());
        return c.openFailure();
    }
    return c.openFailure();
}

struct Damage {
    const char* where;
    size_t page; // from 1; 0: the middle of the file
    size_t offset;
    size_t length;
};

TEST(IntegrityAtOpen, ADamagedLedgerIsRefusedAndLeftByteForByte)
{
    TempDir dir;
    const std::string good = dir.file("good.dll");
    ledger::createSampleLedger(good, {.records = 3000, .years = 1});
    const std::string original = bytesOf(good);
    const size_t pages = original.size() / 4096;
    const Damage damages[] = {
        {"the schema page's tree header", 1, 100, 8},
        {"two pages in the middle", pages / 2, 0, 8192},
        {"the cell pointers of a middle page", pages / 2 + 1, 8, 24},
        {"the last page", pages, 0, 4096},
    };
    for (const Damage& d : damages) {
        TempDir copyDir;
        const std::string path = copyDir.file(ledger::kDatabaseFileName);
        std::string bytes = original;
        bytes.replace((d.page - 1) * 4096 + d.offset, d.length, std::string(d.length, '\x5a'));
        filechecks::writeBytes(path, bytes);

        EXPECT_EQ(failureOpening(path), OpenFailure::Damaged) << d.where;
        EXPECT_EQ(failureOpening(path, ledger::kDatabasePassword, true), OpenFailure::Damaged) << d.where << ", early";
        EXPECT_TRUE(bytesOf(path) == bytes) << d.where << ": the damaged file was written";
        EXPECT_EQ(namesIn(copyDir.path()), std::vector<std::string>{ledger::kDatabaseFileName}) << d.where;
    }
    EXPECT_EQ(failureOpening(good), OpenFailure::None);
    EXPECT_EQ(failureOpening(good, ledger::kDatabasePassword, true), OpenFailure::None);
    EXPECT_EQ(failureOpening(good, "wrong", true), OpenFailure::WrongPassword) << "the early check is only of the pages";
}

// Opened before the verdict: reads go on, the first write takes the
// verdict, and a damaged file is closed unwritten.
TEST(IntegrityAtOpen, BeforeTheVerdictAWriteWaitsForIt)
{
    TempDir dir;
    const std::string path = dir.file("ledger.dll");
    ledger::createSampleLedger(path, {.records = 3000, .years = 1});
    std::string bytes = bytesOf(path);
    {
        Connection sound;
        sound.openBeforeVerdict(ledger::connectionStringFor(path), std::make_unique<ledger::EarlyIntegrityCheck>(path));
        EXPECT_TRUE(sound.awaitingVerdict());
        sound.execute("update s_user set sys_pwd='x'");
        EXPECT_FALSE(sound.awaitingVerdict());
    }
    bytes = bytesOf(path);
    bytes.replace(bytes.size() / 2 / 4096 * 4096, 8192, std::string(8192, '\x5a'));
    filechecks::writeBytes(path, bytes);
    Connection c;
    c.openBeforeVerdict(ledger::connectionStringFor(path), std::make_unique<ledger::EarlyIntegrityCheck>(path));
    EXPECT_NO_THROW(c.select("select count(*) from s_user"));
    EXPECT_THROW(c.execute("update s_user set sys_pwd='y'"), Error);
    EXPECT_EQ(c.openFailure(), OpenFailure::Damaged);
    EXPECT_FALSE(c.isOpen());
    EXPECT_THROW(c.beginTransaction(), Error) << "closed, it refuses what comes after";
    EXPECT_TRUE(bytesOf(path) == bytes);

    Connection unchecked; // no check of this file under way: checked at once
    EXPECT_THROW(unchecked.openBeforeVerdict(ledger::connectionStringFor(path), nullptr), Error);
    EXPECT_EQ(unchecked.openFailure(), OpenFailure::Damaged);
}

TEST(IntegrityAtOpen, AnEarlyCheckOfAnotherFileIsNotTaken)
{
    TempDir dir;
    const std::string good = dir.file("good.dll");
    ledger::createSampleLedger(good, {.records = 200, .years = 1});
    std::string bytes = bytesOf(good);
    bytes.replace(bytes.size() - 4096, 4096, std::string(4096, '\x5a'));
    const std::string damaged = dir.file("damaged.dll");
    filechecks::writeBytes(damaged, bytes);

    ledger::EarlyIntegrityCheck ofGood(good);
    Connection c;
    EXPECT_THROW(c.open(ledger::connectionStringFor(damaged), &ofGood), Error);
    EXPECT_EQ(c.openFailure(), OpenFailure::Damaged);
}

TEST(IntegrityAtOpen, DamageIsToldApartFromOtherFailures)
{
    TempDir dir;
    ledger::createStartingDatabase(dir.file("fmy.dll"));
    filechecks::writeBytes(dir.file("text.dll"), "no database at all");
    {
        std::string bytes = bytesOf(dir.file("fmy.dll"));
        bytes.replace(0, 16, "not SQLite here!");
        filechecks::writeBytes(dir.file("no-header.dll"), bytes);
    }
    EXPECT_EQ(failureOpening(dir.file("fmy.dll")), OpenFailure::None);
    EXPECT_EQ(failureOpening(dir.file("missing.dll")), OpenFailure::Missing);
    EXPECT_EQ(failureOpening(dir.file("fmy.dll"), "wrong"), OpenFailure::WrongPassword);
    EXPECT_EQ(failureOpening(dir.file("text.dll")), OpenFailure::NotLedger);
    EXPECT_EQ(failureOpening(dir.file("no-header.dll")), OpenFailure::NotLedger);
}

TEST(IntegrityAtOpen, TheColumnsStillRefuseBadValuesAfterTheCheck)
{
    testsupport::LedgerFixture f;
    // The check leaves the columns' constraints out while it runs; they must be back.
    try {
        f.db().execute("insert into s_user (sys_name) values ('" + std::string(51, 'x') + "')");
        FAIL() << "a name longer than the column was stored";
    } catch (const Error& e) {
        EXPECT_EQ(e.kind(), Error::Kind::Constraint);
    }
    EXPECT_THROW(f.db().executeNative("INSERT INTO s_shouru (s_date) VALUES ('soon')"), Error);
    EXPECT_EQ(f.scalar("select count(*) from s_shouru"), "0");
}

} // namespace
