#include "amount_calculator.h"

#include "ledger/number_format.h"

#include <cmath>
#include <cstdlib>

namespace mainwindow {

double roundToCent(double value)
{
    const std::string text = ledger::formatGeneral(value);
    if (text.find('E') != std::string::npos)
        return std::fabs(value) < 1 ? 0.0 : value; // below 0.00001, or no cents among 15 digits
    const size_t point = text.find('.');
    if (point == std::string::npos || text.size() - point - 1 <= 2)
        return value;
    const bool negative = text[0] == '-';
    std::string digits = text.substr(negative ? 1 : 0, point - (negative ? 1 : 0)) + text.substr(point + 1, 2);
    long long cents = std::stoll(digits);
    if (text[point + 3] >= '5')
        ++cents;
    return (negative ? -1.0 : 1.0) * static_cast<double>(cents) / 100.0;
}

void AmountCalculator::show(double value)
{
    if (writeDisplay)
        writeDisplay(ledger::formatGeneral(value));
}

void AmountCalculator::Reset()
{
    Operand1 = Operand2 = CalcResult = 0;
    EnteringOperand = 1;
    PendingOp = None;
    if (writeDisplay)
        writeDisplay("0");
    DecimalPlace = 0;
    ResultShown = 0;
}

void AmountCalculator::DigitKey(int digit)
{
    if (ResultShown == 1)
        Reset();
    double& x = entering();
    if (DecimalPlace == 0) {
        x = x * 10 + digit;
        show(x);
    } else {
        // The power in extended precision, the sum kept as a double.
        x = static_cast<double>(static_cast<long double>(x) + digit * std::pow(0.1L, DecimalPlace));
        show(x);
        ++DecimalPlace;
    }
}

void AmountCalculator::PointKey()
{
    if (DecimalPlace != 0) {
        if (showMessage)
            showMessage("非法输入!");
        return;
    }
    DecimalPlace = 1;
    ResultShown = 0;
}

void AmountCalculator::OperatorKey(Op op)
{
    if (Operand2 != 0)
        Compute();
    PendingOp = op;
    EnteringOperand = 2;
    DecimalPlace = 0;
    ResultShown = 0;
}

void AmountCalculator::Compute()
{
    switch (PendingOp) {
    case Add: CalcResult = Operand1 + Operand2; break;
    case Subtract: CalcResult = Operand1 - Operand2; break;
    case Multiply: CalcResult = Operand1 * Operand2; break;
    case Divide:
        if (Operand2 == 0) {
            if (showMessage)
                showMessage("分母不能为零!");
        } else {
            CalcResult = Operand1 / Operand2;
        }
        break;
    default: break;
    }
    // What is shown is what a save books and what goes on.
    CalcResult = roundToCent(CalcResult);
    EnteringOperand = 1;
    Operand1 = CalcResult;
    Operand2 = 0;
    DecimalPlace = 0;
    ResultShown = 1;
    // A computation uses up its operator: a later "=" (or Enter in the
    // amount field) has nothing to apply to a typed amount.
    PendingOp = None;
    show(CalcResult);
}

bool AmountCalculator::EqualsKey()
{
    if (PendingOp == None)
        return false;
    Compute();
    return true;
}

void AmountCalculator::BackspaceKey()
{
    std::string text = readDisplay ? readDisplay() : std::string();
    if (text.size() < 2)
        text = std::string(1, '0');
    else
        text.pop_back();
    if (writeDisplay)
        writeDisplay(text);
    // The operand being entered follows the shortened text, and so does the
    // place of the next decimal digit.
    entering() = std::strtod(text.c_str(), nullptr);
    const size_t point = text.find('.');
    DecimalPlace = point == std::string::npos ? 0 : static_cast<int>(text.size() - point);
}

} // namespace mainwindow
