#pragma once

#include "../page.h"

class QTabWidget;

namespace widgets {
class DataGrid;
class SpinEdit;
} // namespace widgets

namespace mainwindow {

// "预 算 设 定" (Panel11): a month's spending per top-level expenditure
// category beside its budget ("预算查询"), and the budgets themselves
// ("预算定制"), each row written as soon as it is posted.
class BudgetsPage : public Page {
    Q_OBJECT

public:
    explicit BudgetsPage(PageContext& context, QWidget* parent = nullptr);

    // The current month compared, both lists read afresh; the tab last
    // chosen stays in front.
    void enter() override;

private:
    QWidget* buildComparison();
    QWidget* buildSetting();
    void compareMonth();
    void writeTypedBudget();

    ledger::Query ADOQuery14; // the budget rows
    ledger::Query ADOQuery15; // the names of the top-level expenditure categories
    ledger::Query ADOQuery16; // the month's comparison
    QTabWidget* tabs_;
    widgets::SpinEdit* SpinEdit2; // year
    widgets::SpinEdit* SpinEdit1; // month
    widgets::DataGrid* DBGridEh9; // the budget rows
};

} // namespace mainwindow
