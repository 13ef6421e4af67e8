#pragma once

#include "amount_calculator.h"

#include <QGroupBox>

#include <functional>

namespace mainwindow {

// "金额计算器": the keypad of the amount calculator.
class CalculatorKeypad : public QGroupBox {
    Q_OBJECT

public:
    CalculatorKeypad(AmountCalculator& calculator, QWidget* parent);

    // "=" closes the keypad; the page knows how.
    std::function<void()> onEquals;

private:
    AmountCalculator& calculator_;
};

} // namespace mainwindow
