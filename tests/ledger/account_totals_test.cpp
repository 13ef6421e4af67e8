// The account totals follow the loans, transfers and records that remain,
// and the scratch table is empty before and after every pass.

#include "ledger_fixture.h"

#include "ledger/account_totals.h"
#include "ledger/error.h"

#include <gtest/gtest.h>

#include <random>

using testsupport::LedgerFixture;
using testsupport::rowTexts;

namespace {

class AccountTotals : public testing::Test {
protected:
    std::vector<std::string> totals(const std::string& columns)
    {
        return rowTexts(f.db().select("select id, " + columns + " from z_zhanghu").rows);
    }
    std::string scratchRows() { return f.scalar("select count(*) from xtablex"); }

    LedgerFixture f;
};

TEST_F(AccountTotals, LoanTotalsFollowTheRemainingLoans)
{
    f.addLoan("S", 1, "1000", "200");
    f.addLoan("S", 1, "50", "0");
    const int64_t lent = f.addLoan("Z", 2, "500", "0");
    f.addLoan("Z", 2, "300", "300");
    ledger::RefreshLoanTotals(f.db());
    EXPECT_EQ(totals("z_jieru, z_jiechu"), (std::vector<std::string>{"1|850|0", "2|0|500", "3|0|0"}));
    EXPECT_EQ(scratchRows(), "0");

    f.db().execute("delete from s_jie where id=" + std::to_string(lent));
    f.db().execute("update s_jie set j_yuMoney=0 where j_class='S'");
    ledger::RefreshLoanTotals(f.db());
    EXPECT_EQ(totals("z_jieru, z_jiechu"), (std::vector<std::string>{"1|0|0", "2|0|0", "3|0|0"}));
}

TEST_F(AccountTotals, TransferTotalsFollowTheRemainingTransfers)
{
    f.addTransfer(1, 2, "100", "2024-03-05");
    const int64_t second = f.addTransfer(2, 3, "50.5", "2024-03-06");
    f.addTransfer(1, 1, "7", "2024-03-06");
    ledger::RefreshTransferTotals(f.db());
    EXPECT_EQ(totals("z_zhuanru, z_zhuanchu"), (std::vector<std::string>{"1|7|107", "2|100|50.5", "3|50.5|0"}));
    f.db().execute("delete from s_zhanghistory where id=" + std::to_string(second));
    ledger::RefreshTransferTotals(f.db());
    EXPECT_EQ(totals("z_zhuanru, z_zhuanchu"), (std::vector<std::string>{"1|7|107", "2|100|0", "3|0|0"}));
    EXPECT_EQ(scratchRows(), "0");
}

TEST_F(AccountTotals, BalancesFollowEveryPass)
{
    f.db().execute("update z_zhanghu set z_qcje=1000 where id=1");
    f.db().execute("update z_zhanghu set z_qcje=Null where id=3");
    f.addRecord("S", 5, "8000", "2024-03-05", 1, 1);
    f.addRecord("Z", 2, "12.5", "2024-03-05", 1, 1);
    f.addRecord("Z", 2, "0.01", "2024-03-05", 1, 3);
    ledger::RefreshRecordTotals(f.db());
    EXPECT_EQ(totals("z_shouru, z_zhichu, z_yue"), (std::vector<std::string>{"1|8000|12.5|8987.5", "2|0|0|0", "3|0|0.01|-0.01"}));
    f.addLoan("S", 1, "100", "0");
    f.addLoan("Z", 1, "30", "10");
    ledger::RefreshLoanTotals(f.db());
    f.addTransfer(1, 2, "500", "2024-03-05");
    ledger::RefreshTransferTotals(f.db());
    EXPECT_EQ(totals("z_yue"), (std::vector<std::string>{"1|8567.5", "2|500", "3|-0.01"}));
}

TEST_F(AccountTotals, AFailedPassLeavesNoHalfTotalsAndNoScratchRows)
{
    f.addLoan("S", 1, "1000", "0");
    ledger::RefreshLoanTotals(f.db());
    // A stray scratch row from elsewhere must not be added to the sums.
    f.db().execute("insert into xtablex (xmoney, xid) values (999, 1)");
    f.addLoan("S", 1, "922337203685477", "0");
    EXPECT_THROW(ledger::RefreshLoanTotals(f.db()), ledger::Error); // the sum leaves the money range
    EXPECT_EQ(totals("z_jieru"), (std::vector<std::string>{"1|1000", "2|0", "3|0"}));
    EXPECT_FALSE(f.db().inTransaction());
    f.db().execute("delete from s_jie where j_chuMoney > 1000");
    ledger::RefreshLoanTotals(f.db());
    EXPECT_EQ(totals("z_jieru"), (std::vector<std::string>{"1|1000", "2|0", "3|0"}));
    EXPECT_EQ(scratchRows(), "0");
}

TEST_F(AccountTotals, APassRunsInsideTheCallersTransaction)
{
    f.db().beginTransaction();
    f.addTransfer(1, 2, "5", "2024-01-01");
    ledger::RefreshTransferTotals(f.db());
    EXPECT_TRUE(f.db().inTransaction());
    f.db().rollback();
    EXPECT_EQ(totals("z_zhuanru"), (std::vector<std::string>{"1|0", "2|0", "3|0"}));
}

} // namespace

namespace {

// Keeping the totals one record at a time gives what the full pass gives.
TEST_F(AccountTotals, RecordChangesKeepTheSameTotalsAsTheFullPass)
{
    std::mt19937 random(7);
    std::vector<int64_t> ids;
    auto effect = [&](int64_t id) { return ledger::readRecordEffect(f.db(), id); };
    for (int step = 0; step < 200; ++step) {
        const int what = static_cast<int>(random() % 3);
        const std::string amount = std::to_string(random() % 10000) + "." + std::to_string(random() % 100);
        const std::string klass = random() % 4 == 0 ? "S" : "Z";
        const int64_t account = 1 + static_cast<int64_t>(random() % 3);
        if (what == 0 || ids.empty()) {
            ids.push_back(f.addRecord(klass, 2, amount, "2024-03-05", 1, account));
            ledger::ApplyRecordChange(f.db(), std::nullopt, effect(ids.back()));
        } else if (what == 1) {
            const int64_t id = ids[random() % ids.size()];
            const auto before = effect(id);
            f.db().execute("update s_shouru set s_jine=" + amount + ", s_zhanghuid=" + std::to_string(account) + ", f_class='" +
                           klass + "' where id=" + std::to_string(id));
            ledger::ApplyRecordChange(f.db(), before, effect(id));
        } else {
            const size_t at = random() % ids.size();
            const auto before = effect(ids[at]);
            f.db().execute("delete from s_shouru where id=" + std::to_string(ids[at]));
            ledger::ApplyRecordChange(f.db(), before, std::nullopt);
            ids.erase(ids.begin() + static_cast<std::ptrdiff_t>(at));
        }
    }
    const auto kept = totals("z_shouru, z_zhichu, z_yue");
    ledger::RefreshRecordTotals(f.db());
    EXPECT_EQ(totals("z_shouru, z_zhichu, z_yue"), kept);
}

} // namespace
