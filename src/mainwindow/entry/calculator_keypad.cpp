#include "calculator_keypad.h"

#include "widgets/click_label.h"
#include "widgets/form.h"
#include "widgets/guarded.h"

#include <QGridLayout>
#include <QPushButton>

namespace mainwindow {

CalculatorKeypad::CalculatorKeypad(AmountCalculator& calculator, QWidget* parent, QWidget* band, const QRect& pictures)
    : QGroupBox(parent), calculator_(calculator)
{
    for (auto [picture, name, glyph] : {std::tuple{&Image7, "Image7", "▦"}, std::tuple{&Image8, "Image8", "▣"}}) {
        *picture = widgets::make<widgets::ClickLabel>(band, name, glyph, pictures);
        (*picture)->setAlignment(Qt::AlignCenter);
        (*picture)->setToolTip(QStringLiteral("金额计算器"));
        (*picture)->setAccessibleName(QStringLiteral("金额计算器"));
        connect(*picture, &widgets::ClickLabel::clicked, this, widgets::guarded(this, [this] { toggle(); }));
    }
    Image8->hide();
    setObjectName(QStringLiteral("GroupBox7"));
    setTitle(QStringLiteral("金额计算器"));
    hide();
}

// The keys are made when the keypad first opens: most entries never open it.
void CalculatorKeypad::buildKeys()
{
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(6, 4, 6, 6);
    grid->setSpacing(4);
    auto key = [&](const char* name, const char* caption, int row, int column, int span, std::function<void()> press) {
        auto* button = new QPushButton(QString::fromUtf8(caption), this);
        button->setObjectName(QString::fromUtf8(name));
        button->setFocusPolicy(Qt::TabFocus); // pressing a key leaves the focus where it was
        button->setMinimumHeight(24);
        grid->addWidget(button, row, column, 1, span);
        connect(button, &QPushButton::clicked, this, widgets::guarded(this, std::move(press)));
        return button;
    };
    key("Button8", "Backspace", 0, 0, 2, [this] { calculator_.BackspaceKey(); });
    key("Button10", "C", 0, 2, 2, [this] {
        calculator_.Reset();
        if (auto* equals = findChild<QPushButton*>(QStringLiteral("Button26")))
            equals->setFocus();
    });
    const char* digits[] = {"Button23", "Button19", "Button20", "Button21", "Button15",
                            "Button16", "Button17", "Button11", "Button12", "Button13"};
    for (int d = 0; d <= 9; ++d) {
        const int row = d == 0 ? 4 : 4 - (d + 2) / 3;
        const int column = d == 0 ? 0 : (d - 1) % 3;
        key(digits[d], QByteArray::number(d).constData(), row, column, 1, [this, d] { calculator_.DigitKey(d); });
    }
    key("Button14", "/", 1, 3, 1, [this] { calculator_.OperatorKey(AmountCalculator::Divide); });
    key("Button18", "*", 2, 3, 1, [this] { calculator_.OperatorKey(AmountCalculator::Multiply); });
    key("Button22", "-", 3, 3, 1, [this] { calculator_.OperatorKey(AmountCalculator::Subtract); });
    key("Button24", ".", 4, 1, 1, [this] { calculator_.PointKey(); });
    key("Button25", "+", 4, 2, 1, [this] { calculator_.OperatorKey(AmountCalculator::Add); });
    key("Button26", "=", 4, 3, 1, [this] {
        calculator_.EqualsKey();
        close();
    });
}

void CalculatorKeypad::toggle()
{
    const bool open = !isVisible();
    if (open && !layout())
        buildKeys();
    setVisible(open);
    if (open)
        raise();
    Image7->setVisible(!open);
    Image8->setVisible(open);
}

void CalculatorKeypad::close()
{
    hide();
    Image7->show();
    Image8->hide();
}

} // namespace mainwindow
