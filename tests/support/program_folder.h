#pragma once

#include "scripted_message_boxes.h"
#include "temp_dir.h"

#include "app/sign_in_window.h"
#include "ledger/connection.h"
#include "ledger/schema.h"
#include "mainwindow/main_window.h"
#include "resources/resources.h"

#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QTest>
#include <gtest/gtest.h>

#include <memory>

namespace apptest {

// A working folder with a starting database, made the current folder for
// the test; message boxes are scripted.
class ProgramFolder {
public:
    explicit ProgramFolder(bool withDatabase = true) : previous_(QDir::currentPath())
    {
        initResources();
        if (withDatabase)
            ledger::createStartingDatabase(dir_.file(ledger::kDatabaseFileName));
        QDir::setCurrent(QString::fromStdString(dir_.path()));
    }
    ~ProgramFolder() { QDir::setCurrent(previous_); }

    // A connection of the test's own to the folder's database.
    ledger::Connection& db()
    {
        if (!db_.isOpen())
            db_.open(ledger::connectionStringFor(dir_.file(ledger::kDatabaseFileName)));
        return db_;
    }
    std::string scalar(const std::string& statement)
    {
        const auto r = db().select(statement);
        return r.rows.empty() ? std::string() : r.rows[0][0].toText();
    }

    testsupport::ScriptedMessageBoxes boxes;

private:
    testsupport::TempDir dir_;
    QString previous_;
    ledger::Connection db_;
};

template <class T = QWidget>
T* child(QWidget* parent, const char* name)
{
    T* found = parent->findChild<T*>(QString::fromUtf8(name));
    EXPECT_NE(found, nullptr) << "no control named " << name;
    return found;
}

inline void click(QWidget* parent, const char* name)
{
    QWidget* w = child(parent, name);
    if (w)
        QTest::mouseClick(w, Qt::LeftButton, Qt::NoModifier, QPoint(std::min(5, w->width() / 2), std::min(5, w->height() / 2)));
}

} // namespace apptest
