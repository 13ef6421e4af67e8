#pragma once

#include "report_page.h"

namespace mainwindow {

// "流 水 报 表" (Panel12): each day of a period with any record, its income
// and its expenditure; the records of the day chosen in that list beside it.
class FlowReportPage : public ReportPage {
    Q_OBJECT

public:
    explicit FlowReportPage(PageContext& context, QWidget* parent = nullptr);

private:
    void refresh() override;
    void showRecordsOfDay();

    ledger::Query ADOQuery17; // the days
    ledger::Query ADOQuery18; // the day's expenditure
    ledger::Query ADOQuery19; // the day's income
    ledger::Query::Subscription dayMoves_;
};

} // namespace mainwindow
