// What every statement is built from: class codes, ids, typed amounts,
// LIKE patterns and dates, and what a user could type to break them.

#include "pages/statement_parts.h"

#include "ledger/error.h"

#include <gtest/gtest.h>

using namespace pages;

namespace {

TEST(ClassCodes, AreSOrZAndNothingElse)
{
    EXPECT_EQ(codeOf(ClassCode::Income), "S");
    EXPECT_EQ(codeOf(ClassCode::Expenditure), "Z");
    EXPECT_EQ(classOfCode("S"), ClassCode::Income);
    EXPECT_EQ(classOfCode("Z"), ClassCode::Expenditure);
    for (const char* other : {"", "s", "z", "SZ", "Z' or 'a'='a"})
        EXPECT_FALSE(classOfCode(other).has_value()) << other;
}

TEST(RowIds, AreWholeNumbersOnly)
{
    EXPECT_EQ(RowId::parse("12")->text(), "12");
    EXPECT_EQ(RowId::parse("0")->value(), 0);
    for (const char* bad : {"", " 1", "1 ", "-1", "1.0", "7 or 1=1", "12;", "99999999999"})
        EXPECT_FALSE(RowId::parse(bad).has_value()) << bad;
}

TEST(RowIds, OfALookUpBoxWithoutAChoiceAreAnError)
{
    EXPECT_EQ(RowId::fromKey(ledger::Value(int64_t{3})).text(), "3");
    EXPECT_EQ(RowId::fromKey(ledger::Value("4")).text(), "4");
    try {
        RowId::fromKey(ledger::Value());
        ADD_FAILURE() << "an empty key made an id";
    } catch (const ledger::Error& e) {
        EXPECT_EQ(std::string(e.what()), "“”不是有效的整数值");
    }
    EXPECT_THROW(RowId::fromKey(ledger::Value("1 or 1=1")), ledger::Error);
}

TEST(TypedAmounts, AreDecimalNumbersWithAtMostTwoDecimalsSplicedAsTyped)
{
    const std::pair<const char*, const char*> good[] = {{"12.5", "12.5"}, {" 30 ", "30"}, {"0.00", "0.00"},      {".5", ".5"},
                                                        {"12.", "12."},   {"0", "0"},     {"1000.25", "1000.25"}};
    for (const auto& [typed, spliced] : good) {
        const auto amount = TypedAmount::parse(typed);
        ASSERT_TRUE(amount.has_value()) << typed;
        EXPECT_EQ(amount->text(), spliced) << typed;
    }
    EXPECT_EQ(TypedAmount::parse(".5")->value(), *ledger::Currency::parse("0.5"));
    EXPECT_EQ(TypedAmount::parse("1000.25")->value().raw(), 10002500);
    for (const char* bad :
         {"", " ", ".", "1 2", "1.234", "1.2.3", "-5", "1e3", "abc", "12a", "1,000", "9999999999999999", "999999999999999"})
        EXPECT_FALSE(TypedAmount::parse(bad).has_value()) << bad;
}

TEST(LikePatterns, MatchWhatWasTypedAndNothingMore)
{
    EXPECT_EQ(likeContains("zc"), "zc");
    EXPECT_EQ(likeContains("50%_[x]'"), "50[%][_][[]x]''");
}

TEST(Dates, AreWrittenIsoOrInTheChineseShortForm)
{
    const ledger::DateTime d = *ledger::DateTime::make(2026, 12, 9);
    EXPECT_EQ(isoDate(d), "2026-12-09");
    EXPECT_EQ(shortDate(d), "2026/12/9");
}

} // namespace
