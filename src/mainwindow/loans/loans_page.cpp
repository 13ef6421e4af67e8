#include "loans_page.h"

#include "../grid_editor.h"

#include "ledger/account_totals.h"
#include "pages/loans_statements.h"
#include "widgets/data_grid.h"
#include "widgets/form.h"

#include <QCheckBox>
#include <QRadioButton>

namespace mainwindow {

namespace {

using widgets::DisplayFormat;

// Both kinds show the same titles: the fields' names. The amounts are as
// wide as six digits with their cents need in the grid's font, the dates as
// "2024/12/31"; the columns share the grid's width, 备注 taking what is left.
std::vector<widgets::ColumnSpec> loanColumns(ledger::Query& accountNames)
{
    return {
        {.field = "id", .hidden = true},
        {.field = "j_class", .hidden = true},
        {.field = "z_id", .hidden = true},
        {.field = "日期", .width = 72},
        {.field = "账户", .width = 88, .lookup = widgets::Lookup{&accountNames, "z_id", "id", "账户"}},
        {.field = "借出金额", .width = 80, .format = DisplayFormat::Yuan},
        {.field = "已还金额", .width = 80, .format = DisplayFormat::Yuan},
        {.field = "余额", .readOnly = true, .width = 84, .format = DisplayFormat::Yuan},
        {.field = "预计回收期", .width = 76},
        {.field = "借给", .width = 60},
        {.field = "借款人", .width = 70},
    };
}

} // namespace

LoansPage::LoansPage(PageContext& context, QWidget* parent)
    : Page(context, "Panel8", parent), ADOQuery11(context.connection, "ADOQuery11")
{
    ADOQuery11.setText(pages::kLoansList);
    ADOQuery11.setBatchMode(true);
    GridEditor::Rules rules;
    rules.failureNotice = QStringLiteral("对不起，数据格式不对");
    rules.idInQuestion = true; // 是否确定删除？12
    rules.deleteStatements = [](pages::RowId id) { return std::vector<std::string>{pages::deleteLoan(id)}; };
    rules.pass = ledger::RefreshLoanTotals;
    rules.afterDelete = [this] { reopenLoans(); };
    rules.fillNewRow = [this](ledger::Query& list) {
        list.setValue("j_class", ledger::Value(std::string(pages::codeOf(currentClass()))));
    };
    loans_ = new GridEditor(ADOQuery11, command(), {"DBGridEh6", "Button35", "Button36", "Button37"}, std::move(rules),
                            GridEditor::BarPlace::Top, this);
    loans_->setObjectName(QStringLiteral("GroupBoxLoans"));
    loans_->setTitle(QStringLiteral("借入借出"));
    loans_->setGeometry(0, 0, 768, 511);
    loans_->setKeysScope(this);

    RadioButton1 = widgets::make<QRadioButton>(nullptr, "RadioButton1", "借入");
    RadioButton2 = widgets::make<QRadioButton>(nullptr, "RadioButton2", "借出");
    CheckBox1 = widgets::make<QCheckBox>(nullptr, "CheckBox1", "只显示未还清的");
    RadioButton1->setChecked(true);
    for (QWidget* control :
         {static_cast<QWidget*>(RadioButton1), static_cast<QWidget*>(RadioButton2), static_cast<QWidget*>(CheckBox1)})
        loans_->addToBar(control, true);
    connect(RadioButton1, &QRadioButton::toggled, this, guarded([this](bool on) {
                if (on)
                    chooseKind(pages::ClassCode::Income);
            }));
    connect(RadioButton2, &QRadioButton::toggled, this, guarded([this](bool on) {
                if (on)
                    chooseKind(pages::ClassCode::Expenditure);
            }));
    connect(CheckBox1, &QCheckBox::toggled, this, guarded([this](bool on) { showUnsettledOnly(on); }));

    widgets::DataGrid* grid = loans_->grid();
    grid->setRowHeight(25);
    grid->setColumns(loanColumns(context.ADOQuery12));
    grid->setFitColumns(true);
    grid->enableCsvExport(QStringLiteral("借入借出"));

    // The balance follows the amounts of the current loan: when the list
    // opens, when another loan becomes current and when an amount is edited.
    amounts_ = ADOQuery11.subscribe([this](const ledger::QueryEvent& event) {
        using Kind = ledger::QueryEvent::Kind;
        if (event.kind == Kind::Reset || event.kind == Kind::CurrentChanged ||
            (event.kind == Kind::RowChanged && event.row == ADOQuery11.currentRow()))
            keepBalance();
    });
}

void LoansPage::enter()
{
    setCurrentClass(pages::ClassCode::Income);
    {
        const QSignalBlocker quiet(RadioButton1);
        const QSignalBlocker quiet2(RadioButton2);
        RadioButton1->setChecked(true);
    }
    // Accounts added on the accounts page since are offered at once.
    try {
        context().ADOQuery12.requery();
        reopenLoans();
    } catch (const std::exception&) {
        // The grid shows what the query holds.
    }
}

void LoansPage::reopenLoans()
{
    ADOQuery11.reopenWith(pages::loansOf(currentClass()));
}

void LoansPage::chooseKind(pages::ClassCode klass)
{
    setCurrentClass(klass);
    reopenLoans();
}

void LoansPage::showUnsettledOnly(bool on)
{
    ADOQuery11.setText(on ? pages::kUnsettledLoansList : pages::kLoansList);
    reopenLoans();
}

// 余额 = 借出金额 − 已还金额 in exact money, written only when it differs,
// so a loan whose balance is right stays unchanged.
void LoansPage::keepBalance()
{
    if (keeping_ || ADOQuery11.currentRow() < 0)
        return;
    const int lent = ADOQuery11.fieldIndex("借出金额"), repaid = ADOQuery11.fieldIndex("已还金额"),
              balance = ADOQuery11.fieldIndex("余额");
    if (lent < 0 || repaid < 0 || balance < 0)
        return;
    const auto value = pages::loanBalance(ADOQuery11.value(lent), ADOQuery11.value(repaid));
    if (!value || ADOQuery11.value(balance) == ledger::Value(*value))
        return;
    keeping_ = true;
    try {
        ADOQuery11.setValue(balance, ledger::Value(*value));
    } catch (const std::exception&) {
        // An amount the row cannot take is reported by the save.
    }
    keeping_ = false;
}

} // namespace mainwindow
