#pragma once

#include "pages/statement_parts.h"

#include "ledger/query.h"

#include <QGroupBox>

namespace widgets {
class BarChart;
}

namespace mainwindow {

// "最近七次金额变化" (GroupBox5): the daily totals of the class on its seven
// latest days, oldest on the left, on a logarithmic axis.
class DayChart : public QGroupBox {
    Q_OBJECT

public:
    DayChart(ledger::Connection& connection, QWidget* parent);
    void load(pages::ClassCode klass);

private:
    ledger::Query ADOQuery7;
    widgets::BarChart* DBChart1;
};

} // namespace mainwindow
