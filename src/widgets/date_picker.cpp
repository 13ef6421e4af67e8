#include "date_picker.h"

#include <QCalendarWidget>

namespace widgets {

QString shortDateQtFormat()
{
    const ledger::ShortDateFormat& f = ledger::kShortDateFormat;
    const QString month = f.padMonth ? QStringLiteral("MM") : QStringLiteral("M");
    const QString day = f.padDay ? QStringLiteral("dd") : QStringLiteral("d");
    const QString s(QChar::fromLatin1(f.separator));
    switch (f.order) {
    case ledger::DateOrder::YearMonthDay: return QStringLiteral("yyyy") + s + month + s + day;
    case ledger::DateOrder::MonthDayYear: return month + s + day + s + QStringLiteral("yyyy");
    case ledger::DateOrder::DayMonthYear: return day + s + month + s + QStringLiteral("yyyy");
    }
    return QStringLiteral("yyyy/M/d");
}

DatePicker::DatePicker(QWidget* parent) : QDateEdit(QDate::currentDate(), parent)
{
    setCalendarPopup(true);
    setDisplayFormat(shortDateQtFormat());
    setMinimumDate(QDate(100, 1, 1));
    setMaximumDate(QDate(9999, 12, 31));
}

// Made when first needed, not with the picker: it costs a page 20 ms a
// picker to build, and most pickers are never opened.
QCalendarWidget* DatePicker::calendar()
{
    if (!calendarReady_) {
        calendarReady_ = true;
        calendarWidget()->setLocale(QLocale(QLocale::Chinese, QLocale::China));
        calendarWidget()->setFirstDayOfWeek(Qt::Sunday);
        calendarWidget()->setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);
    }
    return calendarWidget();
}

// The month drops down on a click or on Alt+Down and F4.
void DatePicker::mousePressEvent(QMouseEvent* event)
{
    calendar();
    QDateEdit::mousePressEvent(event);
}

void DatePicker::keyPressEvent(QKeyEvent* event)
{
    calendar();
    QDateEdit::keyPressEvent(event);
}

ledger::DateTime DatePicker::dateValue() const
{
    const QDate d = date();
    return ledger::DateTime::make(d.year(), d.month(), d.day()).value_or(ledger::DateTime::today());
}

void DatePicker::setDateValue(const ledger::DateTime& value)
{
    setDate(QDate(value.year, value.month, value.day));
}

QString DatePicker::isoText() const
{
    return date().toString(QStringLiteral("yyyy-MM-dd"));
}

} // namespace widgets
