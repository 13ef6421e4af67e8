#pragma once

#include "household.h"
#include "qt_printers.h"
#include "scripted_message_boxes.h"
#include "temp_dir.h"

#include "mainwindow/page.h"

#include <QKeySequence>
#include <QLabel>
#include <QWidget>
#include <gtest/gtest.h>

#include <memory>

namespace widgets {
class DataGrid;
}
namespace mainwindow {
class Backups;
}

namespace testsupport {

// Opens a page on a fresh starting database, lent what the main window
// would lend it, without signing in: the test seeds a household, enters the
// page, clicks and types by design name, then checks the database and what
// the page shows. Message boxes are scripted; every grid's model is checked
// by QAbstractItemModelTester as the test goes.
class PageHarnessBase {
public:
    // On a fresh starting database, or on one the caller opened (a benchmark's big ledger).
    explicit PageHarnessBase(ledger::Connection* existing = nullptr);
    virtual ~PageHarnessBase();
    PageHarnessBase(const PageHarnessBase&) = delete;
    PageHarnessBase& operator=(const PageHarnessBase&) = delete;

    ledger::Connection& db() { return db_; }
    Household& household() { return household_; }
    mainwindow::PageContext& context() { return *context_; }
    QWidget* window() const { return window_.get(); }
    ScriptedMessageBoxes boxes;

    // Enters the page as its navigation label does, with the class code it sets.
    void enter(const char* klass = nullptr);

    // Controls by design name; a missing one fails the test.
    template <class W = QWidget>
    W* find(const char* name) const
    {
        W* found = window_->findChild<W*>(QString::fromUtf8(name));
        EXPECT_NE(found, nullptr) << "no control named " << name;
        return found;
    }
    widgets::DataGrid* grid(const char* name) const;
    // A mouse click on a button, label or field.
    void click(const char* name);
    // A mouse click on a row of a grid (on its first shown cell, or on a column's).
    void select(const char* grid, int row, const QString& column = {});
    // Moves to the cell, types the text into it and presses Enter.
    void typeIntoCell(const char* grid, int row, const QString& column, const QString& text);
    // A key or key sequence pressed where the keyboard focus is.
    void press(const QKeySequence& keys);
    // What a cell shows, and the shown texts of a column.
    QString cell(const char* grid, int row, const QString& column) const;
    QStringList columnTexts(const char* grid, const QString& column) const;
    // Each row's cells of these columns, joined by "|"; the column titles; the footer's texts.
    QStringList rowTexts(const char* grid, const QStringList& columns) const;
    QStringList titles(const char* grid) const;
    QStringList footerTexts(const char* grid) const;
    int rowCount(const char* grid) const;

protected:
    void place(mainwindow::Page* page);

private:
    TempDir dir_;
    ledger::Connection own_;
    ledger::Connection& db_;
    Household household_;
    std::unique_ptr<ledger::Query> ADOQuery1_, ADOQuery4_, ADOQuery12_;
    std::unique_ptr<QWidget> window_;
    std::unique_ptr<mainwindow::PageContext> context_;
    std::unique_ptr<mainwindow::Backups> backups_;
    mainwindow::Page* page_ = nullptr;
};

// The same actions on the controls of any window, for a test that drives
// the main window across its pages.
void clickOn(QWidget* control);
void clickRow(widgets::DataGrid* grid, int row, const QString& column = {});
void typeIntoCell(widgets::DataGrid* grid, int row, const QString& column, const QString& text);

template <class P>
class PageHarness : public PageHarnessBase {
public:
    explicit PageHarness(ledger::Connection* existing = nullptr) : PageHarnessBase(existing)
    {
        page_ = new P(context());
        place(page_);
    }
    P& page() { return *page_; }

private:
    P* page_;
};

} // namespace testsupport
