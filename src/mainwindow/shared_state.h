#pragma once

#include "ledger/connection.h"
#include "ledger/query.h"

#include <QString>
#include <functional>

class QLabel;
class QWidget;

namespace mainwindow {

// What the sign-in window lends the main window: the one connection, its
// general command object (the budget panel's look-ups go through it) and
// the way to end the program.
struct SignInHost {
    ledger::Connection& connection;
    ledger::Query& ADOQuery1;
    std::function<void()> closeSignIn;
};

// The little state the pages share, owned by the main window.
struct SharedState {
    ledger::Connection& connection;
    ledger::Query& ADOQuery1;  // the sign-in window's command object
    ledger::Query& ADOQuery4;  // change statements of every page
    ledger::Query& ADOQuery12; // account names of the loans and transfers pages
    QString b_zt;              // class code of the page in front: "Z" or "S"
    QLabel* editid = nullptr;  // hidden label holding the entry page's record id
    QWidget* window = nullptr; // owner of the pages' message boxes
};

} // namespace mainwindow
