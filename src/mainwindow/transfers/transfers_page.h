#pragma once

#include "../page.h"

namespace widgets {
class DatePicker;
}

namespace mainwindow {

class GridEditor;

// "账 户 转 账" (Panel10): money moved from one account to another, listed
// for a period of whole days. Every save and delete brings the accounts'
// 转入 and 转出 up to date and lists the period again.
class TransfersPage : public Page {
    Q_OBJECT

public:
    TransfersPage(PageContext& context, QWidget* parent = nullptr);

    // Lists the period, with the account names read afresh.
    void enter() override;

private:
    void listPeriod();
    void fitNote();
    bool everyTransferHasADate() const;

    ledger::Query ADOQuery13;
    GridEditor* transfers_;
    widgets::DatePicker* DateTimePicker3;
    widgets::DatePicker* DateTimePicker4;
};

} // namespace mainwindow
