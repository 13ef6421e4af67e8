#pragma once

#include "amount_calculator.h"

#include <QGroupBox>

namespace widgets {
class ClickLabel;
}

namespace mainwindow {

// "金额计算器" (GroupBox7): the keypad of the amount calculator, with the two
// small pictures (Image7 while closed, Image8 while open) at the end of the
// amount field that open and close it. "=" closes it.
class CalculatorKeypad : public QGroupBox {
    Q_OBJECT

public:
    // The pictures go on the band at the place given.
    CalculatorKeypad(AmountCalculator& calculator, QWidget* parent, QWidget* band, const QRect& pictures);

    void toggle();
    void close();

private:
    void buildKeys();

    AmountCalculator& calculator_;
    widgets::ClickLabel* Image7;
    widgets::ClickLabel* Image8;
};

} // namespace mainwindow
