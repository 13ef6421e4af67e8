#pragma once

#include "../page.h"

class QLabel;

namespace mainwindow {

class GridEditor;

// "账 户" (Panel6): the household's money accounts with their totals,
// edited in a grid and saved in one go. 删除 deletes the account last
// clicked with the mouse, which need not be the current row.
class AccountsPage : public Page {
    Q_OBJECT

public:
    AccountsPage(PageContext& context, QWidget* parent = nullptr);

    // The list is read afresh (pending edits are dropped); no totals pass runs.
    void enter() override;

private:
    void ReloadAccounts();
    void selectClickedAccount(int row);
    bool refuseWithoutSelection(const QString& id);
    QString deleteQuestion(const QString& id);

    ledger::Query ADOQuery8;
    GridEditor* accounts_;
    QLabel* Label23; // the selected account number, as text
};

} // namespace mainwindow
