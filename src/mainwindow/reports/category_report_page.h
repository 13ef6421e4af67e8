#pragma once

#include "report_page.h"

class QLabel;

namespace mainwindow {

// "分 类 报 表" (Panel13): expenditure and income per item name over a
// period side by side, and the difference of their totals.
class CategoryReportPage : public ReportPage {
    Q_OBJECT

public:
    explicit CategoryReportPage(PageContext& context, QWidget* parent = nullptr);

private:
    void refresh() override;
    void showDifference();

    ledger::Query ADOQuery20; // expenditure per item
    ledger::Query ADOQuery21; // income per item
    widgets::DataGrid* expenditure_; // DBGridEh13
    widgets::DataGrid* income_; // DBGridEh14
    QLabel* Label37; // the difference, in red
};

} // namespace mainwindow
