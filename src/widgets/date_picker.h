#pragma once

#include "ledger/datetime.h"

#include <QDateEdit>

namespace widgets {

// A date box with a calendar drop-down, in the program's short date form.
// It holds a date only, never a time of day.
class DatePicker : public QDateEdit {
    Q_OBJECT

public:
    explicit DatePicker(QWidget* parent = nullptr);

    ledger::DateTime dateValue() const;
    void setDateValue(const ledger::DateTime& value);
    // "YYYY-MM-DD"
    QString isoText() const;
    // The drop-down month, set up for Chinese weeks.
    QCalendarWidget* calendar();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    bool calendarReady_ = false;
};

// The Qt date format of the program's short date form, e.g. "yyyy/M/d".
QString shortDateQtFormat();

} // namespace widgets
