#include "accounts_page.h"

#include "../grid_editor.h"

#include "ledger/account_totals.h"
#include "pages/accounts_operations.h"
#include "widgets/data_grid.h"

#include <QLabel>

namespace mainwindow {

namespace {

using widgets::DisplayFormat;

// The titles are the query's aliases; the income title ends in an
// ideographic space. The amounts are as wide as a balance of six digits
// with its cents needs in the grid's font; the columns share the grid's width.
const std::vector<widgets::ColumnSpec> kColumns = {
    {.field = "编号", .hidden = true},
    {.field = "账户名称", .width = 90},
    {.field = "起始金额", .width = 84, .format = DisplayFormat::Yuan},
    {.field = "收入\u3000", .readOnly = true, .width = 70, .format = DisplayFormat::Yuan},
    {.field = "支出", .readOnly = true, .width = 70, .format = DisplayFormat::Yuan},
    {.field = "借入", .readOnly = true, .width = 70, .format = DisplayFormat::Yuan},
    {.field = "借出", .readOnly = true, .width = 70, .format = DisplayFormat::Yuan},
    {.field = "转入", .readOnly = true, .width = 70, .format = DisplayFormat::Yuan},
    {.field = "转出", .readOnly = true, .width = 70, .format = DisplayFormat::Yuan},
    {.field = "余额", .readOnly = true, .width = 70, .format = DisplayFormat::Yuan},
    {.field = "备注", .width = 70},
};

} // namespace

AccountsPage::AccountsPage(PageContext& context, QWidget* parent)
    : Page(context, "Panel6", parent), ADOQuery8(context.connection, "ADOQuery8")
{
    ADOQuery8.setText(pages::kAccountsList);
    ADOQuery8.setBatchMode(true);
    GridEditor::Rules rules;
    rules.failureNotice = QStringLiteral("对不起，数据格式不对");
    rules.idToDelete = [this] { return Label23->text(); };
    rules.refuseDelete = [this](const QString& id) { return refuseWithoutSelection(id); };
    rules.question = [this](const QString& id) { return deleteQuestion(id); };
    rules.deleteStatements = [](pages::RowId id) { return std::vector<std::string>{pages::deleteAccount(id)}; };
    // An edited opening amount or a new account shows its balance at once.
    rules.pass = ledger::RefreshBalances;
    rules.afterDelete = [this] {
        Label23->setText(QStringLiteral("0"));
        ReloadAccounts();
    };
    rules.afterSave = [this] { ReloadAccounts(); };
    accounts_ = new GridEditor(ADOQuery8, command(), {"DBGridEh3", "Button27", "Button28", "Button9"}, std::move(rules),
                               GridEditor::BarPlace::Top, this);
    accounts_->setObjectName(QStringLiteral("GroupBoxAccounts"));
    accounts_->setTitle(QStringLiteral("账户管理"));
    accounts_->setGeometry(0, 0, 768, 511);
    accounts_->setKeysScope(this);
    widgets::DataGrid* grid = accounts_->grid();
    grid->setRowHeight(25);
    QFont small = grid->view()->font(); // the size of the entry page's grid
    small.setPixelSize(11);
    grid->view()->setFont(small);
    grid->setColumns(kColumns);
    grid->setFitColumns(true);
    grid->enableCsvExport(QStringLiteral("账户"));
    connect(grid, &widgets::DataGrid::cellClicked, this, [this](int row, int) { selectClickedAccount(row); });
    Label23 = new QLabel(QStringLiteral("0"), this);
    Label23->setObjectName(QStringLiteral("Label23"));
    Label23->hide();
}

void AccountsPage::enter()
{
    ReloadAccounts();
}

void AccountsPage::ReloadAccounts()
{
    ADOQuery8.requery();
}

// Only a mouse click selects an account; an unsaved new row gives no number.
void AccountsPage::selectClickedAccount(int row)
{
    const int number = ADOQuery8.fieldIndex("编号");
    if (number >= 0 && row >= 0 && row < ADOQuery8.rowCount())
        Label23->setText(QString::fromStdString(ADOQuery8.value(row, number).toText()));
}

bool AccountsPage::refuseWithoutSelection(const QString& id)
{
    if (id != QStringLiteral("0") && !id.isEmpty())
        return false;
    boxes().refusal(window(), QStringLiteral("对不起，请先选择要删除的记录"));
    return true;
}

// The records, loans and transfers that still name the account keep its
// number; the question says how many there are.
QString AccountsPage::deleteQuestion(const QString& id)
{
    QString question = QStringLiteral("是否确定删除？");
    const auto account = pages::RowId::parse(id.toStdString());
    const pages::AccountUse use = account ? pages::accountUse(command(), *account) : pages::AccountUse{};
    if (use.any())
        question += QStringLiteral("\n该账户还有 %1 条收支记录、%2 笔借贷、%3 笔转账。")
                        .arg(use.records)
                        .arg(use.loans)
                        .arg(use.transfers);
    return question;
}

} // namespace mainwindow
