#pragma once

#include "pages/statement_parts.h"

#include "ledger/connection.h"
#include "ledger/query.h"
#include "widgets/guarded.h"

#include <QDate>
#include <QStringList>
#include <QWidget>

#include <functional>

class QKeySequence;
class QLabel;

namespace mainwindow {

class Backups;

// What the main window lends every page: the one connection and its
// command objects, the message boxes, and the little state pages share.
struct PageContext {
    ledger::Connection& connection;
    ledger::Query& ADOQuery1; // the sign-in window's command object (the budget panel's look-ups)
    ledger::Query& ADOQuery4; // the command object of every change statement
    ledger::Query& ADOQuery12; // the account names of the loans and transfers pages
    widgets::MessageBoxes& boxes;
    QString b_zt; // class code of the page in front: "Z", "S", or empty before the first
    QLabel* editid = nullptr; // hidden label holding the entry page's record id
    QDate opened; // the day the window opened: every date box starts on it
    Backups* backups = nullptr; // the ledger's backups (the settings page lists and makes them)
    // The pages whose lists hold changes not saved yet, by their navigation captions.
    std::function<QStringList()> unsavedPages;
};

// A page of the content area: a widget with its design name that the
// navigation enters. Only the page in front is shown, so its keys, the
// keyboard focus and accessibility tools follow the page the user sees.
class Page : public QWidget {
    Q_OBJECT

public:
    Page(PageContext& context, const char* designName, QWidget* parent = nullptr);

    // Entering the page from its navigation label, after the label set the
    // class code where the page has one.
    virtual void enter() = 0;
    // Puts the keyboard focus on the page's first control, unless it is in the page already.
    void takeFocus();

protected:
    PageContext& context() const { return context_; }
    widgets::MessageBoxes& boxes() const { return context_.boxes; }
    ledger::Query& command() const { return context_.ADOQuery4; }
    // The class code in force; expenditure until a page has set one.
    pages::ClassCode currentClass() const;
    void setCurrentClass(pages::ClassCode klass);

    // A key that acts only while this page is in front.
    void addKey(const QKeySequence& keys, std::function<void()> handler);
    // A handler that shows an error as the standard error box.
    template <class Handler>
    auto guarded(Handler handler)
    {
        return widgets::guarded(this, std::move(handler));
    }

private:
    PageContext& context_;
};

} // namespace mainwindow
