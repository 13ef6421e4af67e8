#pragma once

// A main window on a fresh ledger, signed in without the sign-in window,
// for tests that go across pages: controls found and clicked by design name,
// message boxes scripted.

#include "ledger_fixture.h"
#include "page_harness.h"
#include "scripted_message_boxes.h"

#include "mainwindow/main_window.h"
#include "resources/resources.h"
#include "widgets/data_grid.h"

#include <QTest>
#include <gtest/gtest.h>

#include <memory>

namespace testsupport {

class MainWindowTest : public testing::Test {
protected:
    void SetUp() override
    {
        initResources();
        main = std::make_unique<mainwindow::MainWindow>(mainwindow::SignInHost{f.db(), ADOQuery1, boxes, {}});
        main->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(main.get()));
    }

    template <class W = QWidget>
    W* find(const char* name)
    {
        W* found = main->findChild<W*>(QString::fromUtf8(name));
        EXPECT_NE(found, nullptr) << "no control named " << name;
        return found;
    }
    widgets::DataGrid* grid(const char* name) { return find<widgets::DataGrid>(name); }
    // A click; the question it may ask is answered `ok`.
    void click(const char* name, bool ok = true)
    {
        boxes.answer(ok);
        clickOn(find(name));
    }
    void type(const char* g, int row, const char* column, const char* text)
    {
        typeIntoCell(grid(g), row, QString::fromUtf8(column), QString::fromUtf8(text));
    }

    LedgerFixture f;
    ledger::Query ADOQuery1{f.db(), "ADOQuery1"};
    ScriptedMessageBoxes boxes;
    std::unique_ptr<mainwindow::MainWindow> main;
};

} // namespace testsupport
