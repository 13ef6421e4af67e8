#pragma once

#include <functional>
#include <string>

namespace mainwindow {

// The four-function calculator of the entry page. Its display is the amount
// field, so every number it shows is what a save would book: a result is
// rounded to the cent (half away from zero), shown so, and the next
// operation goes on from it. Operations apply strictly from left to right
// (2 + 3 * 4 = 20); an operator completes the previous operation only when
// a non-zero second operand was entered.
class AmountCalculator {
public:
    enum Op { None = 0, Add = 1, Subtract = 2, Multiply = 3, Divide = 4 };

    // The amount field: the calculator reads it (Backspace) and writes it.
    std::function<std::string()> readDisplay;
    std::function<void(const std::string&)> writeDisplay;
    // "非法输入!" and "分母不能为零!" go to the user through this.
    std::function<void(const std::string&)> showMessage;

    void Reset();
    void DigitKey(int digit);
    void PointKey();
    void OperatorKey(Op op);
    // Computes what is pending; true when something was.
    bool EqualsKey();
    void BackspaceKey();

private:
    void Compute();
    void show(double value);
    double& entering() { return EnteringOperand == 1 ? Operand1 : Operand2; }

    double Operand1 = 0;
    double Operand2 = 0;
    double CalcResult = 0;
    int EnteringOperand = 1;
    int PendingOp = None;
    int DecimalPlace = 0;
    int ResultShown = 0;
};

// A value rounded to the cent, half away from zero, as its shown decimal
// text reads (so 2.675 gives 2.68 although the double lies just below).
double roundToCent(double value);

} // namespace mainwindow
