#include "item_picker.h"

#include "pages/entry_statements.h"
#include "widgets/data_grid.h"
#include "widgets/form.h"
#include "widgets/guarded.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QVBoxLayout>

namespace mainwindow {

ItemPicker::ItemPicker(ledger::Connection& connection, QLineEdit* field, QWidget* parent)
    : QGroupBox(QStringLiteral("项目列表"), parent), ADOQuery3(connection, "ADOQuery3"), field_(field),
      DBGridEh2(widgets::make<widgets::DataGrid>(this, "DBGridEh2"))
{
    setObjectName(QStringLiteral("GroupBox6"));
    DBGridEh2->setQuery(ADOQuery3);
    DBGridEh2->setReadOnly(true);
    DBGridEh2->setWholeRowSelection(true);
    DBGridEh2->setFitColumns(true);
    DBGridEh2->setScrollBars(Qt::ScrollBarAlwaysOff, Qt::ScrollBarAlwaysOff);
    DBGridEh2->setColumns({{.field = "f_id", .hidden = true}}); // the category, for the budget panel
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 2, 4, 4);
    layout->addWidget(DBGridEh2);
    connect(DBGridEh2, &widgets::DataGrid::cellClicked, this, widgets::guarded(this, [this](int row, int) { choose(row); }));
    widgets::onKeyPress(field_, [this](QKeyEvent* e) {
        if (!isVisible() || ADOQuery3.isEmpty() || (e->key() != Qt::Key_Down && !widgets::isEnter(e)))
            return false;
        if (e->key() == Qt::Key_Down)
            DBGridEh2->view()->setFocus();
        else
            choose(std::max(0, ADOQuery3.currentRow()));
        return true;
    });
    widgets::onKeyPress(DBGridEh2->view(), [this](QKeyEvent* e) {
        if (widgets::isEnter(e) && !ADOQuery3.isEmpty())
            choose(std::max(0, ADOQuery3.currentRow()));
        else if (e->key() == Qt::Key_Escape)
            hide();
        else
            return false;
        field_->setFocus();
        return true;
    });
    hide();
}

void ItemPicker::search(pages::ClassCode klass, const QString& typed)
{
    open(pages::itemSearch(klass, typed.toStdString()));
}

void ItemPicker::listAll(pages::ClassCode klass)
{
    open(pages::itemList(klass));
}

void ItemPicker::open(const std::string& statement)
{
    show();
    raise();
    ADOQuery3.reopen(statement);
}

void ItemPicker::choose(int row)
{
    if (ADOQuery3.isEmpty() || row < 0)
        return;
    const auto category = pages::RowId::parse(ADOQuery3.value(row, 2).toText()).value_or(pages::RowId(0));
    if (onChosen)
        onChosen(QString::fromStdString(ADOQuery3.value(row, 0).toText()), category);
}

} // namespace mainwindow
