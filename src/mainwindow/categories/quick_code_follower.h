#pragma once

#include "ledger/query.h"

#include <QObject>

#include <string>

namespace mainwindow {

// Keeps the current item's quick code on the code of its name, as a
// pending change saved with the list: whenever the name shown for the
// current item changes (the list opened, another item made current, an
// edited name written). A code the name gives no letter for leaves the
// stored code as it was; errors leave it too.
class QuickCodeFollower : public QObject {
public:
    // The list's fields "项目名称" and "快速代码".
    QuickCodeFollower(ledger::Query& items, QObject* parent);

private:
    void onItemsEvent(const ledger::QueryEvent& event);
    void followCurrentItem();
    void writeCodeOf(const std::string& name);

    ledger::Query& items_;
    ledger::Query::Subscription subscription_;
    std::string shownName_; // the name shown for the current item
    bool followPending_ = false;
};

} // namespace mainwindow
