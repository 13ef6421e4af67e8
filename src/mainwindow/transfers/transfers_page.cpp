#include "transfers_page.h"

#include "../grid_editor.h"

#include "ledger/account_totals.h"
#include "pages/transfers_statements.h"
#include "widgets/data_grid.h"
#include "widgets/date_picker.h"
#include "widgets/form.h"

#include <QEvent>
#include <QLabel>
#include <QTableView>

namespace mainwindow {

namespace {

using widgets::DisplayFormat;

// What the columns other than 备注 take of the grid's width.
constexpr int kBesideNote = 380;

std::vector<widgets::ColumnSpec> transferColumns(ledger::Query& accountNames)
{
    return {
        {.field = "id", .hidden = true},
        {.field = "zh1", .hidden = true},
        {.field = "zh2", .hidden = true},
        {.field = "转账时间", .width = 90},
        {.field = "转出账户", .width = 90, .lookup = widgets::Lookup{&accountNames, "zh1", "id", "账户"}},
        {.field = "转入账户", .width = 90, .lookup = widgets::Lookup{&accountNames, "zh2", "id", "账户"}},
        {.field = "转账金额", .width = 90, .format = DisplayFormat::Yuan},
    };
}

} // namespace

TransfersPage::TransfersPage(PageContext& context, QWidget* parent)
    : Page(context, "Panel10", parent), ADOQuery13(context.connection, "ADOQuery13")
{
    ADOQuery13.setText(pages::kTransfersList);
    ADOQuery13.setBatchMode(true);
    GridEditor::Rules rules;
    rules.failureNotice = QStringLiteral("对不起，请选择时间");
    rules.idInQuestion = true; // 是否确定删除？12
    rules.deleteStatements = [](pages::RowId id) { return std::vector<std::string>{pages::deleteTransfer(id)}; };
    rules.pass = ledger::RefreshTransferTotals;
    rules.afterDelete = [this] { listPeriod(); };
    rules.afterSave = [this] { listPeriod(); };
    // The list filters by date: a transfer saved without one could never be
    // listed, seen or deleted again.
    rules.checkBeforeSave = [this] { return everyTransferHasADate(); };
    transfers_ = new GridEditor(ADOQuery13, command(), {"DBGridEh7", "Button38", "Button39", "Button40"}, std::move(rules),
                                GridEditor::BarPlace::Top, this);
    transfers_->setObjectName(QStringLiteral("GroupBoxTransfers"));
    transfers_->setTitle(QStringLiteral("账户转账"));
    transfers_->setGeometry(0, 0, 768, 511);
    transfers_->setKeysScope(this);

    DateTimePicker3 = widgets::make<widgets::DatePicker>(nullptr, "DateTimePicker3");
    DateTimePicker4 = widgets::make<widgets::DatePicker>(nullptr, "DateTimePicker4");
    for (widgets::DatePicker* picker : {DateTimePicker3, DateTimePicker4}) {
        picker->setFixedWidth(110);
        picker->setDate(context.opened);
    }
    QLabel* from = widgets::buddyLabel(nullptr, "从", {}, DateTimePicker3);
    QLabel* to = widgets::buddyLabel(nullptr, "到", {}, DateTimePicker4);
    const std::vector<widgets::ButtonRow> query = {{"Button41", "查询", {}, [this] { listPeriod(); }, "列出这段时间的转账"}};
    QPushButton* Button41 = widgets::addButtons(nullptr, query).front();
    Button41->setFixedWidth(75);
    from->setContentsMargins(12, 0, 2, 0);
    to->setContentsMargins(6, 0, 2, 0);
    for (QWidget* control : {static_cast<QWidget*>(from), static_cast<QWidget*>(DateTimePicker3), static_cast<QWidget*>(to),
                             static_cast<QWidget*>(DateTimePicker4), static_cast<QWidget*>(Button41)})
        transfers_->addToBar(control, false);

    widgets::DataGrid* grid = transfers_->grid();
    grid->setRowHeight(25);
    grid->setColumns(transferColumns(context.ADOQuery12));
    connect(grid->model(), &QAbstractItemModel::modelReset, this, [this] { fitNote(); });
    widgets::onResize(grid, [this] { fitNote(); });
    grid->enableCsvExport(QStringLiteral("转账"));
}

void TransfersPage::enter()
{
    // Accounts added on the accounts page since are offered at once.
    context().ADOQuery12.requery();
    listPeriod();
}

// Whole days: the pickers' time of day is not used.
void TransfersPage::listPeriod()
{
    ADOQuery13.reopenWith(pages::transfersBetween(DateTimePicker3->dateValue(), DateTimePicker4->dateValue()));
}

void TransfersPage::fitNote()
{
    widgets::DataGrid* grid = transfers_->grid();
    grid->column(QStringLiteral("备注")).width = std::max(60, grid->width() - kBesideNote);
    grid->applyColumns();
}

bool TransfersPage::everyTransferHasADate() const
{
    const int date = ADOQuery13.fieldIndex("转账时间");
    for (int row = 0; date >= 0 && row < ADOQuery13.rowCount(); ++row)
        if (ADOQuery13.value(row, date).isNull())
            return false;
    return true;
}

} // namespace mainwindow
