#pragma once

#include "../page.h"

class QCheckBox;
class QRadioButton;

namespace mainwindow {

class GridEditor;

// "借 入 借 出" (Panel8): the money the household borrowed (借入, class S)
// or lent (借出, class Z), one kind at a time, all of them or only those not
// yet settled. The balance of the current loan follows its amounts; the
// accounts' 借入 and 借出 follow every save and delete.
class LoansPage : public Page {
    Q_OBJECT

public:
    LoansPage(PageContext& context, QWidget* parent = nullptr);

    // Shows the borrowed loans, with the account names read afresh; the
    // unsettled filter stays as the user left it.
    void enter() override;

private:
    void reopenLoans();
    void chooseKind(pages::ClassCode klass);
    void showUnsettledOnly(bool on);
    void keepBalance();

    ledger::Query ADOQuery11;
    ledger::Query::Subscription amounts_;
    bool keeping_ = false;
    GridEditor* loans_;
    QRadioButton* RadioButton1;
    QRadioButton* RadioButton2;
    QCheckBox* CheckBox1;
};

} // namespace mainwindow
