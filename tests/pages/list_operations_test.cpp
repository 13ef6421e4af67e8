// Saving, dropping and deleting in an editable list with the pass that
// belongs to it: all of it or none of it.

#include "ledger_fixture.h"

#include "pages/list_operations.h"

#include "ledger/account_totals.h"
#include "ledger/error.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace {

class ListOperations : public testing::Test {
protected:
    void SetUp() override
    {
        loans.setText("select id,j_class,z_id,j_chuMoney,j_ruMoney,j_yuMoney from s_jie where j_class='Z'");
        loans.setBatchMode(true);
        loans.open();
        loans.append();
        loans.setValue("j_class", "Z");
        loans.setValue("z_id", int64_t{2});
        loans.setValue("j_chuMoney", *ledger::Currency::parse("500"));
        loans.setValue("j_yuMoney", *ledger::Currency::parse("500"));
        loans.post();
    }
    static void failingPass(ledger::Connection&) { throw ledger::Error(ledger::Error::Kind::Database, "磁盘已满"); }

    testsupport::LedgerFixture f;
    ledger::Query loans{f.db(), "ADOQuery11"};
    ledger::Query command{f.db(), "ADOQuery4"};
};

TEST_F(ListOperations, ASaveSendsTheChangesAndRunsThePassInOneGo)
{
    pages::saveList(loans, ledger::RefreshLoanTotals);
    EXPECT_FALSE(loans.hasPendingChanges());
    EXPECT_EQ(f.rows("select j_yuMoney from s_jie"), std::vector<std::string>{"500"});
    EXPECT_EQ(f.scalar("select z_jiechu from z_zhanghu where id=2"), "500");
}

// A failing pass used to leave the loans saved and the totals stale.
TEST_F(ListOperations, AFailingPassLeavesNothingWrittenAndTheChangesPending)
{
    EXPECT_THROW(pages::saveList(loans, failingPass), ledger::Error);
    EXPECT_EQ(f.scalar("select count(*) from s_jie"), "0");
    EXPECT_TRUE(loans.hasPendingChanges()) << "the list still holds what the user typed";
    EXPECT_FALSE(f.db().inTransaction());
    pages::saveList(loans, ledger::RefreshLoanTotals); // and it can be sent again
    EXPECT_EQ(f.scalar("select count(*) from s_jie"), "1");
    EXPECT_EQ(f.scalar("select z_jiechu from z_zhanghu where id=2"), "500");
}

TEST_F(ListOperations, DroppingTheChangesShowsTheRowsAsRead)
{
    loans.append(); // a row still being edited goes too
    pages::discardList(loans);
    EXPECT_EQ(loans.rowCount(), 0);
    EXPECT_FALSE(loans.hasPendingChanges());
}

TEST_F(ListOperations, ADeleteAndItsPassGoTogether)
{
    pages::saveList(loans, ledger::RefreshLoanTotals);
    EXPECT_THROW(pages::deleteWith(command, {"delete from s_jie where id=1"}, failingPass), ledger::Error);
    EXPECT_EQ(f.scalar("select count(*) from s_jie"), "1");
    pages::deleteWith(command, {"delete from s_jie where id=1"}, ledger::RefreshLoanTotals);
    EXPECT_EQ(f.scalar("select count(*) from s_jie"), "0");
    EXPECT_EQ(f.scalar("select z_jiechu from z_zhanghu where id=2"), "0");
}

TEST_F(ListOperations, ALookUpGivesTextOrNothing)
{
    EXPECT_EQ(pages::lookUp(command, "select z_name from z_zhanghu where id=2", "z_name"), "银行卡");
    EXPECT_EQ(pages::lookUp(command, "select z_name from z_zhanghu where id=99", "z_name"), "");
    EXPECT_EQ(pages::lookUp(command, "select sum(z_qcje) as a from z_zhanghu where id=99", "a"), "");
}

} // namespace
