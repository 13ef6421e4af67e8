// Saving and deleting a record with its account's totals, and the budget
// panel's figures, without a window.

#include "ledger_fixture.h"

#include "pages/entry_operations.h"

#include <gtest/gtest.h>

using namespace pages;

namespace {

class EntryOperations : public testing::Test {
protected:
    RecordEntry entry(const std::string& item, const char* amount, int64_t account = 1)
    {
        return {item, *TypedAmount::parse(amount), RowId(1), RowId(account), "", *ledger::DateTime::make(2024, 3, 5)};
    }
    std::string totals(int account)
    {
        return f.scalar("select z_shouru & '|' & z_zhichu & '|' & z_yue from z_zhanghu where id=" + std::to_string(account));
    }

    testsupport::LedgerFixture f;
    ledger::Query command{f.db(), "ADOQuery4"};
};

TEST_F(EntryOperations, ANewRecordAndItsAccountTotalsAreBookedTogether)
{
    EXPECT_EQ(saveRecord(command, ClassCode::Expenditure, entry("早餐", "12.5", 2), std::nullopt), SaveOutcome::Saved);
    EXPECT_EQ(saveRecord(command, ClassCode::Income, entry("工资", "8000", 2), std::nullopt), SaveOutcome::Saved);
    EXPECT_EQ(f.rows("select f_fenleiid, s_jine, f_class from s_shouru"), (std::vector<std::string>{"2|12.5|Z", "5|8000|S"}));
    EXPECT_EQ(totals(2), "8000|12.5|7987.5");
}

TEST_F(EntryOperations, AnEditMovesTheAmountBetweenAccounts)
{
    saveRecord(command, ClassCode::Expenditure, entry("早餐", "12.5", 2), std::nullopt);
    EXPECT_EQ(saveRecord(command, ClassCode::Expenditure, entry("午餐", "20", 3), RowId(1)), SaveOutcome::Saved);
    EXPECT_EQ(f.rows("select f_fenleiid, s_jine, s_zhanghuid from s_shouru"), std::vector<std::string>{"3|20|3"});
    EXPECT_EQ(totals(2), "0|0|0");
    EXPECT_EQ(totals(3), "0|20|-20");
}

TEST_F(EntryOperations, AnItemOfAnotherClassOrNoneIsUnknown)
{
    for (const char* name : {"工资", "餐饮美食", "不存在", ""})
        EXPECT_EQ(saveRecord(command, ClassCode::Expenditure, entry(name, "5"), std::nullopt), SaveOutcome::ItemUnknown) << name;
    EXPECT_EQ(f.scalar("select count(*) from s_shouru"), "0");
}

TEST_F(EntryOperations, ChangingARecordThatIsGoneChangesNothing)
{
    EXPECT_EQ(saveRecord(command, ClassCode::Expenditure, entry("早餐", "5"), RowId(0)), SaveOutcome::RecordGone);
    EXPECT_EQ(saveRecord(command, ClassCode::Expenditure, entry("早餐", "5"), RowId(99)), SaveOutcome::RecordGone);
    EXPECT_EQ(f.scalar("select count(*) from s_shouru"), "0");
    EXPECT_EQ(totals(1), "0|0|0");
    EXPECT_FALSE(f.db().inTransaction());
}

// When the totals cannot be written, the record is not booked either.
TEST_F(EntryOperations, ARecordIsNotBookedWhenItsTotalsFail)
{
    f.db().executeNative("CREATE TRIGGER refuse BEFORE UPDATE ON z_zhanghu BEGIN SELECT RAISE(ABORT, '磁盘已满'); END");
    EXPECT_THROW(saveRecord(command, ClassCode::Expenditure, entry("早餐", "12.5"), std::nullopt), std::exception);
    EXPECT_EQ(f.scalar("select count(*) from s_shouru"), "0");
    EXPECT_FALSE(f.db().inTransaction());
    f.db().executeNative("DROP TRIGGER refuse");
    f.addRecord("Z", 2, "7", "2024-03-05");
    f.db().executeNative("CREATE TRIGGER refuse BEFORE UPDATE ON z_zhanghu BEGIN SELECT RAISE(ABORT, '磁盘已满'); END");
    EXPECT_THROW(deleteRecord(command, RowId(1)), std::exception);
    EXPECT_EQ(f.scalar("select count(*) from s_shouru"), "1");
}

TEST_F(EntryOperations, DeletingTakesTheRecordOutOfItsTotals)
{
    saveRecord(command, ClassCode::Expenditure, entry("早餐", "12.5", 2), std::nullopt);
    deleteRecord(command, RowId(1));
    deleteRecord(command, RowId(1)); // gone already: nothing happens
    EXPECT_EQ(f.scalar("select count(*) from s_shouru"), "0");
    EXPECT_EQ(totals(2), "0|0|0");
}

TEST_F(EntryOperations, TheBudgetFiguresFollowTheEditorsDay)
{
    f.setBudget(1, "1500");
    f.addRecord("Z", 2, "100", "2024-03-05");
    f.addRecord("Z", 3, "20.5", "2024-03-31");
    f.addRecord("Z", 13, "77", "2024-03-06"); // another category
    f.addRecord("S", 5, "30", "2024-03-06");
    f.addRecord("S", 5, "8000", "2023-12-31");
    f.addRecord("S", 5, "9000", "2024-01-15");
    f.addRecord("S", 5, "1", "2024-01-16");
    ledger::Query lookup(f.db(), "ADOQuery1");
    const BudgetFigures spending = budgetFigures(lookup, ClassCode::Expenditure, RowId(1), *ledger::DateTime::make(2024, 3, 1));
    EXPECT_EQ(spending.category.value_or("none"), "餐饮美食");
    EXPECT_EQ(spending.first + "|" + spending.second + "|" + spending.difference, "1500|120.5|1379.5");
    const BudgetFigures none = budgetFigures(lookup, ClassCode::Expenditure, RowId(99), *ledger::DateTime::make(2024, 3, 1));
    EXPECT_EQ(none.category.value_or("none") + "|" + none.first + "|" + none.second + "|" + none.difference, "|0|0|0");
    const BudgetFigures income = budgetFigures(lookup, ClassCode::Income, RowId(4), *ledger::DateTime::make(2024, 1, 15));
    EXPECT_FALSE(income.category.has_value()) << "income keeps its category line";
    EXPECT_EQ(income.first + "|" + income.second + "|" + income.difference, "9000|8000|1000");
}

} // namespace
