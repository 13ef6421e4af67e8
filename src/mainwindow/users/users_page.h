#pragma once

#include "../page.h"

namespace mainwindow {

class GridEditor;

// "系统用户管理": the users of the account book, edited in a grid and
// saved in one go. The default user (id 1) cannot be deleted.
class UsersPage : public Page {
    Q_OBJECT

public:
    UsersPage(PageContext& context, QWidget* parent = nullptr);

    // The list is read afresh: pending edits are dropped.
    void enter() override;

private:
    ledger::Query ADOQuery23;
    GridEditor* users_;
};

} // namespace mainwindow
