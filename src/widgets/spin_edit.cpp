#include "spin_edit.h"

#include <QLineEdit>

namespace widgets {

SpinEdit::SpinEdit(QWidget* parent) : QAbstractSpinBox(parent)
{
    setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    lineEdit()->setText(QStringLiteral("0"));
    connect(lineEdit(), &QLineEdit::textEdited, this, [this] { emit valueChanged(value()); });
}

void SpinEdit::setRange(int minimum, int maximum)
{
    minimum_ = minimum;
    maximum_ = std::max(minimum, maximum);
}

QString SpinEdit::text() const
{
    return lineEdit()->text();
}

void SpinEdit::setText(const QString& text)
{
    lineEdit()->setText(text);
    emit valueChanged(value());
}

int SpinEdit::value() const
{
    bool ok = false;
    const int v = lineEdit()->text().trimmed().toInt(&ok);
    return ok ? v : minimum_;
}

void SpinEdit::setValue(int value)
{
    setText(QString::number(clamp(value)));
}

void SpinEdit::stepBy(int steps)
{
    setValue(value() + steps);
    selectAll();
}

QValidator::State SpinEdit::validate(QString&, int&) const
{
    return QValidator::Acceptable; // any text; it is judged when the field is left
}

void SpinEdit::fixup(QString& input) const
{
    bool ok = false;
    const int v = input.trimmed().toInt(&ok);
    input = QString::number(ok ? clamp(v) : minimum_);
}

QAbstractSpinBox::StepEnabled SpinEdit::stepEnabled() const
{
    return StepUpEnabled | StepDownEnabled;
}

void SpinEdit::focusOutEvent(QFocusEvent* event)
{
    QString text = lineEdit()->text();
    fixup(text);
    if (text != lineEdit()->text())
        setText(text);
    QAbstractSpinBox::focusOutEvent(event);
}

} // namespace widgets
