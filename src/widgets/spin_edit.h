#pragma once

#include <QAbstractSpinBox>

namespace widgets {

// A whole-number field with up and down buttons. Unlike a plain spin box
// it shows whatever text it is given (a year outside its bounds stays as
// set); the buttons step by 1 within the bounds, a typed value outside them
// is brought to the nearer bound when the field loses the focus, and text
// that is no whole number counts as the lower bound.
class SpinEdit : public QAbstractSpinBox {
    Q_OBJECT

public:
    explicit SpinEdit(QWidget* parent = nullptr);

    void setRange(int minimum, int maximum);
    int minimum() const { return minimum_; }
    int maximum() const { return maximum_; }

    QString text() const;
    void setText(const QString& text); // not clamped
    int value() const; // the text's number, or the lower bound
    void setValue(int value); // clamped

    void stepBy(int steps) override;

signals:
    void valueChanged(int value);

protected:
    QValidator::State validate(QString& input, int& pos) const override;
    void fixup(QString& input) const override;
    StepEnabled stepEnabled() const override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    int clamp(int v) const { return std::max(minimum_, std::min(maximum_, v)); }
    int minimum_ = 0;
    int maximum_ = 99;
};

} // namespace widgets
