#pragma once

#include "report_page.h"

namespace mainwindow {

// "人 员 报 表" (Panel14): per user and month, the income and the expenditure
// of the months a period touches.
class PersonReportPage : public ReportPage {
    Q_OBJECT

public:
    explicit PersonReportPage(PageContext& context, QWidget* parent = nullptr);

private:
    void refresh() override;

    ledger::Query ADOQuery22;
};

} // namespace mainwindow
