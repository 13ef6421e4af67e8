#pragma once

#include "pages/statement_parts.h"

#include "ledger/query.h"

#include <QGroupBox>

#include <functional>

class QLineEdit;

namespace widgets {
class DataGrid;
}

namespace mainwindow {

// The item list (GroupBox6, "项目列表") that floats under the item field:
// the items of the class whose name or quick code holds what was typed, or
// all of them after a click into the field. From the keyboard, Down goes
// from the field into the list, Enter takes the current item, Escape
// closes the list.
class ItemPicker : public QGroupBox {
    Q_OBJECT

public:
    ItemPicker(ledger::Connection& connection, QLineEdit* field, QWidget* parent);

    void search(pages::ClassCode klass, const QString& typed);
    void listAll(pages::ClassCode klass);
    // Called with the chosen item's name and its category's id.
    std::function<void(const QString& name, pages::RowId category)> onChosen;

private:
    void choose(int row);
    void open(const std::string& statement);

    ledger::Query ADOQuery3;
    QLineEdit* field_;
    widgets::DataGrid* DBGridEh2;
};

} // namespace mainwindow
