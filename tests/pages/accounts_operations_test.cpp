// What the delete question of the accounts page counts: the records, loans
// and transfers that still name an account.

#include "ledger_fixture.h"

#include "pages/accounts_operations.h"

#include <gtest/gtest.h>

namespace {

TEST(AccountUse, CountsWhatStillNamesTheAccount)
{
    testsupport::LedgerFixture f;
    ledger::Query command(f.db(), "ADOQuery4");
    f.addRecord("Z", 2, "12.5", "2024-03-05", 1, 2);
    f.addRecord("S", 5, "8000", "2024-03-05", 1, 2);
    f.addRecord("Z", 2, "3", "2024-03-05", 1, 1);
    f.addLoan("Z", 2, "500", "0");
    f.addTransfer(1, 2, "100", "2024-03-05");
    f.addTransfer(2, 3, "50", "2024-03-06");
    f.addTransfer(2, 2, "1", "2024-03-07"); // counted once
    const pages::AccountUse bank = pages::accountUse(command, pages::RowId(2));
    EXPECT_EQ(bank.records, 2);
    EXPECT_EQ(bank.loans, 1);
    EXPECT_EQ(bank.transfers, 3);
    EXPECT_TRUE(bank.any());
    const pages::AccountUse card = pages::accountUse(command, pages::RowId(3));
    EXPECT_EQ(card.records, 0);
    EXPECT_EQ(card.transfers, 1);
    EXPECT_TRUE(card.any());
    EXPECT_FALSE(pages::accountUse(command, pages::RowId(99)).any());
}

} // namespace
