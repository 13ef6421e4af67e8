// Opening the ledger file: the password check, refusing what is not a
// ledger, never creating anything; transactions one at a time.

#include "ledger_fixture.h"

#include "ledger/error.h"
#include "ledger/schema.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

using ledger::Connection;
using ledger::Error;
using testsupport::LedgerFixture;
using testsupport::TempDir;

namespace {

Error::Kind openError(const std::string& connectionString)
{
    Connection c;
    try {
        c.open(connectionString);
    } catch (const Error& e) {
        EXPECT_FALSE(c.isOpen());
        return e.kind();
    }
    ADD_FAILURE() << "opened: " << connectionString;
    return Error::Kind::Usage;
}

TEST(Opening, TheProgramsConnectionStringOpensTheStartingDatabase)
{
    LedgerFixture f;
    Connection c;
    c.open("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=" + f.path() +
           ";Persist Security Info=False;Jet OLEDB:Database Password=qtr508172wkv");
    EXPECT_TRUE(c.isOpen());
    EXPECT_EQ(c.select("select * from s_user").rows.size(), 1u);
}

TEST(Opening, AMissingFileFailsAndNothingIsCreated)
{
    TempDir dir;
    const std::string path = dir.file("fmy.dll");
    EXPECT_EQ(openError(ledger::connectionStringFor(path)), Error::Kind::Open);
    EXPECT_FALSE(std::filesystem::exists(path));
    EXPECT_TRUE(std::filesystem::is_empty(dir.path()));
}

TEST(Opening, AWrongPasswordFails)
{
    LedgerFixture f;
    EXPECT_EQ(openError(ledger::connectionStringFor(f.path(), "qtr508172wkV")), Error::Kind::Open);
    EXPECT_EQ(openError(ledger::connectionStringFor(f.path(), "")), Error::Kind::Open);
}

TEST(Opening, AFileThatIsNoLedgerFails)
{
    TempDir dir;
    for (const std::string& content : {std::string(), std::string("not a database at all"), std::string(4096, '\x01')}) {
        const std::string path = dir.file("fmy.dll");
        std::ofstream(path, std::ios::binary) << content;
        const auto size = std::filesystem::file_size(path);
        EXPECT_EQ(openError(ledger::connectionStringFor(path)), Error::Kind::Open) << content.size();
        EXPECT_EQ(std::filesystem::file_size(path), size);
    }
}

TEST(Opening, ADamagedLedgerFails)
{
    LedgerFixture f;
    f.db().close();
    {
        std::fstream file(f.path(), std::ios::in | std::ios::out | std::ios::binary);
        file.seekp(4096);
        const std::string junk(8192, '\x5a');
        file.write(junk.data(), static_cast<std::streamsize>(junk.size()));
    }
    Connection c;
    try {
        c.open(ledger::connectionStringFor(f.path()));
        c.select("select * from s_shouru");
        c.select("select * from s_z_all");
        FAIL() << "a damaged file was read without an error";
    } catch (const Error&) {
    }
}

TEST(Opening, CreatingRefusesAnExistingFile)
{
    LedgerFixture f;
    EXPECT_THROW(ledger::createStartingDatabase(f.path()), Error);
    EXPECT_EQ(f.scalar("select count(*) from s_user"), "1");
}

TEST(Transactions, OneAtATimeAndRollbackUndoesEverything)
{
    LedgerFixture f;
    f.db().beginTransaction();
    EXPECT_THROW(f.db().beginTransaction(), Error);
    f.db().execute("delete from s_fenlei");
    f.db().execute("insert into s_user (sys_name) values ('x')");
    f.db().rollback();
    EXPECT_FALSE(f.db().inTransaction());
    EXPECT_EQ(f.scalar("select count(*) from s_fenlei"), "44");
    EXPECT_EQ(f.scalar("select count(*) from s_user"), "1");
    EXPECT_THROW(f.db().commit(), Error);

    f.db().beginTransaction();
    f.db().execute("insert into s_user (sys_name) values ('y')");
    f.db().commit();
    EXPECT_EQ(f.scalar("select count(*) from s_user"), "2");
}

TEST(Transactions, AFailedStatementInsideLeavesTheOthersToTheCaller)
{
    LedgerFixture f;
    f.db().beginTransaction();
    f.db().execute("insert into s_user (sys_name) values ('y')");
    EXPECT_THROW(f.db().execute("insert into s_user (sys_name) values ('" + std::string(51, 'x') + "')"), Error);
    f.db().rollback();
    EXPECT_EQ(f.scalar("select count(*) from s_user"), "1");
}

TEST(Caches, TranslationsAreReusedByText)
{
    LedgerFixture f;
    auto a = f.db().translate("select * from s_user");
    auto b = f.db().translate("select * from s_user");
    EXPECT_EQ(a.get(), b.get());
    EXPECT_NE(f.db().translate("select * from s_user ").get(), a.get());
}

TEST(Settings, TheConnectionStringIsReadByItsKeys)
{
    const auto s = ledger::ConnectionSettings::parse("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=fmy.dll;Persist Security "
                                                     "Info=False;Jet OLEDB:Database Password=qtr508172wkv");
    EXPECT_EQ(s.dataSource, "fmy.dll");
    EXPECT_EQ(s.password, "qtr508172wkv");
}

} // namespace

namespace {

// A ledger of an earlier version lacks the indexes the reports read their
// totals from; making them keeps every row as it was.
TEST(LedgerUpgrade, AnOlderLedgerGetsTheIndexesItLacks)
{
    testsupport::LedgerFixture f;
    f.addRecord("Z", 2, "12.5", "2024-03-05");
    EXPECT_FALSE(ledger::lacksIndexes(f.db()));
    f.db().executeNative("DROP INDEX s_shouru_item_totals");
    f.db().executeNative("DROP INDEX s_shouru_day_totals");
    EXPECT_TRUE(ledger::lacksIndexes(f.db()));
    ledger::addMissingIndexes(f.db());
    EXPECT_FALSE(ledger::lacksIndexes(f.db()));
    EXPECT_EQ(f.rows("select f_fenleiid, s_jine, s_date from s_shouru"), std::vector<std::string>{"2|12.5|2024-03-05"});
    ledger::addMissingIndexes(f.db()); // nothing left to make
}

} // namespace
