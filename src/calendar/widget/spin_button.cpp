#include "spin_button.h"

#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>

namespace calendar {

SpinButton::SpinButton(int minimum, int maximum, QWidget* parent)
    : QWidget(parent), minimum_(minimum), maximum_(maximum), position_(minimum)
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    const auto makeButton = [this, layout](Qt::ArrowType arrow, int delta) {
        auto* button = new QToolButton(this);
        button->setArrowType(arrow);
        button->setAutoRepeat(true);
        button->setFocusPolicy(Qt::NoFocus); // the keys stay with the day grid
        button->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
        connect(button, &QToolButton::clicked, this, [this, delta] { step(delta); });
        layout->addWidget(button);
        return button;
    };
    up_ = makeButton(Qt::UpArrow, 1);
    down_ = makeButton(Qt::DownArrow, -1);
    resize(16, 24);
}

void SpinButton::setPosition(int position)
{
    position_ = std::clamp(position, minimum_, maximum_);
}

void SpinButton::step(int delta)
{
    setPosition(position_ + delta);
    emit clicked();
}

} // namespace calendar
