// The amount calculator, key by key: what the amount field shows after
// each key and what the user is told.

#include "mainwindow/entry/amount_calculator.h"

#include <gtest/gtest.h>

using mainwindow::AmountCalculator;

namespace {

class Calculator : public testing::Test {
protected:
    void SetUp() override
    {
        calc.readDisplay = [this] { return display; };
        calc.writeDisplay = [this](const std::string& s) { display = s; };
        calc.showMessage = [this](const std::string& m) { messages.push_back(m); };
        calc.Reset();
    }

    // Keys: digits, ".", "+", "-", "*", "/", "=", "C", "B" (Backspace).
    // Returns what the field showed after each key, space-separated.
    std::string press(const std::string& keys)
    {
        std::string shown;
        for (char k : keys) {
            if (k >= '0' && k <= '9')
                calc.DigitKey(k - '0');
            else if (k == '.')
                calc.PointKey();
            else if (k == '+')
                calc.OperatorKey(AmountCalculator::Add);
            else if (k == '-')
                calc.OperatorKey(AmountCalculator::Subtract);
            else if (k == '*')
                calc.OperatorKey(AmountCalculator::Multiply);
            else if (k == '/')
                calc.OperatorKey(AmountCalculator::Divide);
            else if (k == '=')
                calc.EqualsKey();
            else if (k == 'C')
                calc.Reset();
            else if (k == 'B')
                calc.BackspaceKey();
            shown += (shown.empty() ? "" : " ") + display;
        }
        return shown;
    }

    AmountCalculator calc;
    std::string display;
    std::vector<std::string> messages;
};

struct Sequence {
    const char* keys;
    const char* finally; // what the field shows at the end
};

TEST_F(Calculator, SequencesGiveTheirResults)
{
    const Sequence sequences[] = {
        {"7+8=", "15"}, {"2+3*4=", "20"},    {"5++3=", "8"},     {"5+0*3=", "15"},   {"8+2==", "10"},
        {"5+3=2", "2"}, {"5+3=+1=", "9"},    {"5+3=.5", "8.5"},  {"10-2.5=", "7.5"}, {"1/3=", "0.33"},
        {"12C", "0"},   {"0.1+0.2=", "0.3"}, {"99*99=", "9801"},
    };
    for (const Sequence& s : sequences) {
        calc.Reset();
        press(s.keys);
        EXPECT_EQ(display, s.finally) << s.keys;
    }
    EXPECT_TRUE(messages.empty());
}

TEST_F(Calculator, ThePointShowsNothingUntilADecimalDigitComes)
{
    EXPECT_EQ(press("1.25"), "1 1 1.2 1.25");
    EXPECT_EQ(press("."), "1.25");
    EXPECT_EQ(messages, std::vector<std::string>{"非法输入!"}) << "a second point in one operand";
}

TEST_F(Calculator, DivisionByZeroKeepsThePreviousResult)
{
    press("9/0=");
    EXPECT_EQ(messages, std::vector<std::string>{"分母不能为零!"});
    EXPECT_EQ(display, "0");
}

// A computation uses up its operator: "=" again, or Enter after typing an
// amount, changes nothing (it used to multiply by the cleared operand).
TEST_F(Calculator, ASecondEqualsAfterAComputationDoesNothing)
{
    press("3*4=");
    EXPECT_EQ(display, "12");
    EXPECT_FALSE(calc.EqualsKey());
    EXPECT_EQ(display, "12");
    display = "50"; // typed into the field from the keyboard
    calc.EqualsKey();
    EXPECT_EQ(display, "50");
    calc.Reset();
    press("8/2==");
    EXPECT_EQ(display, "4");
    EXPECT_TRUE(messages.empty());
}

// Backspace shortens the operand being entered, not just the text.
TEST_F(Calculator, BackspaceShortensTheOperandToo)
{
    EXPECT_EQ(press("123B4"), "1 12 123 12 124");
    calc.Reset();
    EXPECT_EQ(press("1.25B7"), "1 1 1.2 1.25 1.2 1.27");
    calc.Reset();
    EXPECT_EQ(press("5B"), "5 0");
    display.clear();
    calc.BackspaceKey();
    EXPECT_EQ(display, "0");
    calc.Reset();
    EXPECT_EQ(press("7+12B="), "7 7 1 12 1 8");
}

TEST_F(Calculator, TypedTextIsNoOperand)
{
    display = "12";
    press("+3=");
    EXPECT_EQ(display, "3");
}

TEST_F(Calculator, HugeValuesUseTheExponentForm)
{
    press("9999999999*999999=");
    EXPECT_EQ(display, "9.999989999E15");
    press("*10=");
    EXPECT_EQ(display, "9.999989999E16");
}

// A result is an amount: it is shown to the cent, rounded half away from
// zero as its decimal text reads, and the next operation goes on from what
// is shown (10 / 3 used to show 3.33333333333333, which no save accepts).
TEST_F(Calculator, AResultIsRoundedToTheCentAndGoesOnFromThere)
{
    const Sequence sequences[] = {
        {"10/3=", "3.33"},    {"10/3=*3=", "9.99"}, {"2/3=", "0.67"},      {"1/8=", "0.13"},
        {"0-1=/8=", "-0.13"}, {"2.675*1=", "2.68"}, {"1.005*1=", "1.01"},  {"1/3000000=", "0"},
        {"1/200=", "0.01"},   {"1/201=", "0"},      {"12.34*1=", "12.34"},
    };
    for (const Sequence& s : sequences) {
        calc.Reset();
        press(s.keys);
        EXPECT_EQ(display, s.finally) << s.keys;
    }
    EXPECT_EQ(mainwindow::roundToCent(-2.675), -2.68);
    EXPECT_EQ(mainwindow::roundToCent(0.004999), 0.0);
    EXPECT_EQ(mainwindow::roundToCent(1e16), 1e16);
}

} // namespace
