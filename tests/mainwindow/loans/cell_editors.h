#pragma once

// The editors of date and look-up cells, used as a person does: the editor
// opens on the cell, the date or the list entry is chosen, Enter ends it.

#include "widgets/data_grid.h"
#include "widgets/date_picker.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QTest>
#include <gtest/gtest.h>

namespace testsupport {

inline QModelIndex cellOf(widgets::DataGrid* grid, int row, const QString& column)
{
    return grid->model()->index(row, grid->model()->columnOf(column));
}

// Opens the cell's editor and returns it.
inline QWidget* openEditor(widgets::DataGrid* grid, int row, const QString& column)
{
    const QModelIndex index = cellOf(grid, row, column);
    grid->view()->setFocus();
    grid->view()->setCurrentIndex(index);
    grid->view()->edit(index);
    QApplication::processEvents();
    QWidget* editor = grid->view()->indexWidget(index);
    return editor ? editor : grid->view();
}

inline void editDate(widgets::DataGrid* grid, int row, const QString& column, const QDate& day)
{
    auto* picker = qobject_cast<widgets::DatePicker*>(openEditor(grid, row, column));
    ASSERT_NE(picker, nullptr) << column.toStdString() << " has no date editor";
    picker->setDate(day);
    QTest::keyClick(picker, Qt::Key_Return);
    QApplication::processEvents();
}

// The look-up list of the cell, dropped down.
inline QComboBox* dropLookup(widgets::DataGrid* grid, int row, const QString& column)
{
    auto* list = qobject_cast<QComboBox*>(openEditor(grid, row, column));
    EXPECT_NE(list, nullptr) << column.toStdString() << " has no look-up list";
    QTest::qWait(20); // the list drops down on the next turn of the event loop
    return list;
}

// Chooses the entry showing `name` in the cell's look-up list.
inline void chooseInLookup(widgets::DataGrid* grid, int row, const QString& column, const QString& name)
{
    QComboBox* list = dropLookup(grid, row, column);
    ASSERT_NE(list, nullptr);
    const int entry = list->findText(name);
    ASSERT_GE(entry, 0) << name.toStdString() << " is not offered";
    list->hidePopup();
    list->setCurrentIndex(entry);
    QTest::keyClick(list, Qt::Key_Return);
    QApplication::processEvents();
}

// Clears a cell as Delete on a selected text does.
inline void clearCell(widgets::DataGrid* grid, int row, const QString& column)
{
    QWidget* editor = openEditor(grid, row, column);
    ASSERT_NE(editor, grid->view()) << column.toStdString() << " did not open an editor";
    QTest::keyClick(editor, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(editor, Qt::Key_Delete);
    QTest::keyClick(editor, Qt::Key_Return);
    QApplication::processEvents();
}

} // namespace testsupport
