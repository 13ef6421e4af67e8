// The balance rule of a loan, on its own: exact money, an empty amount as 0.

#include "pages/loans_statements.h"

#include <gtest/gtest.h>

#include <limits>

namespace {

using ledger::Currency;
using ledger::Value;

std::string balance(const Value& lent, const Value& repaid)
{
    const auto b = pages::loanBalance(lent, repaid);
    return b ? b->toString() : "(none)";
}

Value money(const char* text)
{
    return Value(*Currency::parse(text));
}

TEST(LoanBalance, LentLessRepaidWithEmptyAmountsAsNought)
{
    EXPECT_EQ(balance(money("1000"), money("200")), "800");
    EXPECT_EQ(balance(money("1000"), Value()), "1000");
    EXPECT_EQ(balance(Value(), money("200")), "-200");
    EXPECT_EQ(balance(Value(std::string()), Value(std::string())), "0") << "an empty text counts as 0";
    EXPECT_EQ(balance(money("0.3"), money("0.1")), "0.2");
    EXPECT_EQ(balance(Value(std::string("12.5")), Value(static_cast<int64_t>(2))), "10.5") << "amounts as typed";
}

TEST(LoanBalance, NoneWhenAnAmountIsNotMoneyOrTheResultIsOutOfRange)
{
    EXPECT_EQ(balance(Value(std::string("一千")), money("1")), "(none)");
    EXPECT_EQ(balance(Value(Currency::fromRaw(std::numeric_limits<int64_t>::max())), money("-1")), "(none)");
}

} // namespace
