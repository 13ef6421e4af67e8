#include "entry_page.h"

#include "amount_field.h"
#include "budget_panel.h"
#include "calculator_keypad.h"
#include "day_chart.h"
#include "item_picker.h"

#include "pages/entry_operations.h"
#include "widgets/data_grid.h"
#include "widgets/date_picker.h"
#include "widgets/form.h"
#include "widgets/lookup_combo_box.h"

#include <QKeyEvent>
#include <QLabel>
#include <QSignalBlocker>

namespace mainwindow {

namespace {

constexpr int kPageWidth = 768;

QString text(const std::string& s)
{
    return QString::fromStdString(s);
}

// A row of the editor: the caption names the field for the keyboard and for accessibility tools.
template <class Field>
Field* editorRow(QWidget* band, const char* caption, const char* name, int row, QLabel** captionLabel = nullptr)
{
    const int y = 44 + 26 * row;
    auto* field = widgets::make<Field>(band, name, {74, y, 230, 24});
    QLabel* label = widgets::buddyLabel(band, caption, {10, y, 62, 24}, field);
    if (captionLabel)
        *captionLabel = label;
    return field;
}

// A box keeps the entry the user chose while its list still has it, and otherwise takes the first one.
void keepChosenEntry(widgets::LookupComboBox* box)
{
    if (!box->hasEntry() && box->count() > 0)
        box->setCurrentIndex(0);
}

} // namespace

EntryPage::EntryPage(PageContext& context, QWidget* parent)
    : Page(context, "Panel3", parent), ADOQuery1(context.connection, "ADOQuery1"), ADOQuery5(context.connection, "ADOQuery5"),
      ADOQuery6(context.connection, "ADOQuery6")
{
    ADOQuery5.setText(pages::kPayers);
    ADOQuery6.setText(pages::kAccounts);
    buildEditor();
    buildDayList();
    buildKeys();
    calculator_.readDisplay = [this] { return amount_->text().toStdString(); };
    calculator_.writeDisplay = [this](const std::string& s) { amount_->setText(text(s)); };
    calculator_.showMessage = [this](const std::string& m) { boxes().notice(window(), text(m)); };
    calculator_.Reset();
}

EntryPage::~EntryPage() = default;

void EntryPage::buildEditor()
{
    Panel4 = widgets::make<QWidget>(this, "Panel4", {0, 0, kPageWidth, 204});
    widgets::addButtons(Panel4, {
                                    {"Button1", "增加", {10, 8, 60, 26}, [this] { startNewRecord(); }, "新记录 (Ctrl+N)"},
                                    {"Button2", "删除", {74, 8, 60, 26}, [this] { deleteRecord(); }, "删除选中的记录 (Ctrl+D)"},
                                    {"Button3", "保存", {138, 8, 60, 26}, [this] { saveRecord(); }, "保存 (Ctrl+S)"},
                                    {"Button4", "前天", {218, 8, 52, 26}, [this] { moveDays(-1); }, "日期往前一天"},
                                    {"Button5", "今天", {274, 8, 52, 26}, [this] { backToToday(); }, "日期回到今天"},
                                    {"Button6", "后天", {330, 8, 52, 26}, [this] { moveDays(1); }, "日期往后一天"},
                                    {"Button7", "查询", {502, 8, 60, 26}, [this] { listDay(); }, "列出这一天的记录"},
                                });
    queryDay_ = widgets::make<widgets::DatePicker>(Panel4, "DateTimePicker1", {388, 8, 108, 26});
    queryDay_->setAccessibleName(QStringLiteral("查询日期"));
    recordDay_ = editorRow<widgets::DatePicker>(Panel4, "日　期：", "DateTimePicker2", 0);
    queryDay_->setDate(context().opened);
    recordDay_->setDate(context().opened);
    payer_ = editorRow<widgets::LookupComboBox>(Panel4, "付款人", "DBLookupComboboxEh1", 1, &payerCaption_);
    payerCaption_->setObjectName(QStringLiteral("Label8"));
    item_ = editorRow<QLineEdit>(Panel4, "项　目：", "Edit3", 2);
    item_->setPlaceholderText(QStringLiteral("输入名称或助记码"));
    connect(item_, &QLineEdit::textChanged, this, guarded([this] { searchItems(); }));
    amount_ = new AmountField(Panel4);
    amount_->setGeometry(74, 122, 230, 24);
    widgets::buddyLabel(Panel4, "金　额：", {10, 122, 62, 24}, amount_);
    amount_->setTextMargins(0, 0, 22, 0);
    amount_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    amount_->onEquals = [this] {
        calculator_.EqualsKey();
        keypad_->close();
    };
    amount_->onKeypadDigit = [this](int digit) { calculator_.DigitKey(digit); };
    account_ = editorRow<widgets::LookupComboBox>(Panel4, "账　户：", "DBLookupComboboxEh2", 4);
    note_ = editorRow<QLineEdit>(Panel4, "备　注：", "Edit2", 5);
    payer_->setList(ADOQuery5, QStringLiteral("id"), QStringLiteral("Sys_name"));
    account_->setList(ADOQuery6, QStringLiteral("id"), QStringLiteral("z_name"));
    budget_ = new BudgetPanel(Panel4);
    budget_->setGeometry(316, 40, 210, 158);
    chart_ = new DayChart(context().connection, Panel4);
    chart_->setGeometry(534, 40, 226, 158);
    // The small pictures at the right end of the amount field open and close the keypad.
    keypad_ = new CalculatorKeypad(calculator_, this, Panel4, {74 + 230 - 22, 124, 20, 20});
    keypad_->setGeometry(74, 150, 230, 178);
    widgets::makeFloating(keypad_);
    itemList_ = new ItemPicker(context().connection, item_, this);
    itemList_->setGeometry(74, 120, 230, 168);
    widgets::makeFloating(itemList_);
    itemList_->onChosen = [this](const QString& name, pages::RowId category) { takeItem(name, category); };
}

void EntryPage::buildDayList()
{
    dayGrid_ = widgets::make<widgets::DataGrid>(this, "DBGridEh1", {0, 206, kPageWidth, 511 - 206});
    dayGrid_->setQuery(ADOQuery1);
    dayGrid_->setWholeRowSelection(true);
    dayGrid_->setReadOnly(true);
    dayGrid_->setScrollBars(Qt::ScrollBarAsNeeded, Qt::ScrollBarAlwaysOff);
    QFont small = dayGrid_->view()->font(); // a size at which a date fits its 60 pixels
    small.setPixelSize(11);
    dayGrid_->view()->setFont(small);
    dayGrid_->setColumns({{.field = "编号", .width = 40},
                          {.field = "时间", .width = 60},
                          {.field = "项目", .width = 80},
                          {.field = "收付款人", .width = 80},
                          {.field = "金额", .width = 80, .format = widgets::DisplayFormat::Yuan},
                          {.field = "账户", .width = 80},
                          {.field = "备注", .width = kPageWidth - 420}});
    dayGrid_->enableCsvExport(QStringLiteral("收支记录"));
    connect(dayGrid_, &widgets::DataGrid::cellClicked, this, guarded([this](int row, int) { loadRecord(row); }));
    widgets::tabOrder(
        {recordDay_, payer_, item_, amount_, account_, note_, findChild<QWidget*>(QStringLiteral("Button3")), dayGrid_->view()});
}

// From the keyboard: Down into the item list and Enter to take an item, Enter on a record to load it.
void EntryPage::buildKeys()
{
    addKey(QKeySequence(QStringLiteral("Ctrl+N")), [this] { startNewRecord(); });
    addKey(QKeySequence(QStringLiteral("Ctrl+S")), [this] { saveRecord(); });
    addKey(QKeySequence(QStringLiteral("Ctrl+D")), [this] { deleteRecord(); });
    widgets::onMouseRelease(Panel4, [this] { hideItemList(); });
    widgets::onMouseRelease(item_, [this] { itemList_->listAll(currentClass()); });
    widgets::onKeyPress(dayGrid_->view(), [this](QKeyEvent* e) {
        if (!widgets::isEnter(e) || ADOQuery1.isEmpty())
            return false;
        loadRecord(ADOQuery1.currentRow());
        item_->setFocus();
        return true;
    });
}

// ---- entering the page, the day list, the dates -------------------------------------------

void EntryPage::enter()
{
    const bool expenditure = currentClass() == pages::ClassCode::Expenditure;
    {
        // The list is hidden until the user clicks or types, and then searches afresh.
        const QSignalBlocker quiet(item_);
        item_->clear();
    }
    hideItemList();
    budget_->showCaptions(currentClass());
    payerCaption_->setText(expenditure ? QStringLiteral("付款人") : QStringLiteral("收款人"));
    chart_->load(currentClass());
    listDay();
    if (expenditure) { // users and accounts added on other pages appear
        ADOQuery5.requery();
        ADOQuery6.requery();
    }
    keepChosenEntry(payer_);
    keepChosenEntry(account_);
    item_->setFocus(); // most entries start with an item
}

void EntryPage::listDay()
{
    ADOQuery1.reopen(pages::dayList(currentClass(), queryDay_->dateValue()));
}

void EntryPage::moveDays(int days)
{
    queryDay_->setDate(queryDay_->date().addDays(days));
    recordDay_->setDate(recordDay_->date().addDays(days));
}

void EntryPage::backToToday()
{
    queryDay_->setDate(QDate::currentDate());
    recordDay_->setDate(QDate::currentDate());
}

// ---- the item list ----------------------------------------------------------------------

void EntryPage::searchItems()
{
    if (!context().b_zt.isEmpty()) // not before the page was entered
        itemList_->search(currentClass(), item_->text());
}

void EntryPage::hideItemList()
{
    itemList_->hide();
}

// The budget panel's figures for the chosen item, then the item itself.
void EntryPage::takeItem(const QString& name, pages::RowId category)
{
    budget_->showFigures(pages::budgetFigures(context().ADOQuery1, currentClass(), category, recordDay_->dateValue()));
    item_->setText(name);
    hideItemList();
}

// ---- records --------------------------------------------------------------------------------

void EntryPage::startNewRecord()
{
    EntryMode = QStringLiteral("add");
    amount_->clear();
    item_->clear();
    hideItemList();
}

void EntryPage::loadRecord(int row)
{
    hideItemList();
    if (ADOQuery1.isEmpty() || row < 0)
        return;
    ADOQuery1.setCurrentRow(row);
    EntryMode = QStringLiteral("edit");
    recordClass_ = currentClass();
    context().editid->setText(text(ADOQuery1.text("编号")));
    if (const ledger::Value& when = ADOQuery1.value("时间"); !when.isNull())
        recordDay_->setDateValue(when.asDateTime());
    item_->setText(text(ADOQuery1.text("项目")));
    payer_->selectText(text(ADOQuery1.text("收付款人")));
    amount_->setText(text(ADOQuery1.text("金额")));
    account_->selectText(text(ADOQuery1.text("账户")));
    note_->setText(text(ADOQuery1.text("备注")));
    hideItemList();
}

void EntryPage::refuse(const char* message, QWidget* focus)
{
    boxes().refusal(window(), QString::fromUtf8(message));
    if (focus)
        focus->setFocus();
}

void EntryPage::saveRecord()
{
    if (item_->text().isEmpty())
        return refuse("对不起，请重新输入项目", item_);
    const QString typed = amount_->text().trimmed();
    if (typed.isEmpty() || typed == QStringLiteral("0"))
        return refuse("对不起，金额不能为零", amount_);
    const auto amount = pages::TypedAmount::parse(typed.toStdString());
    if (!amount)
        return refuse("对不起，金额格式不对", amount_);
    const pages::RecordEntry entry{item_->text().toStdString(),          *amount,
                                   pages::RowId::fromKey(payer_->key()), pages::RowId::fromKey(account_->key()),
                                   note_->text().toStdString(),          recordDay_->dateValue()};
    // An edit keeps its record's class; the record id "0" is none, and so gone.
    std::optional<pages::RowId> editing;
    if (EntryMode == QStringLiteral("edit"))
        editing = pages::RowId::parse(context().editid->text().toStdString()).value_or(pages::RowId(0));
    const pages::ClassCode klass = editing && recordClass_ ? *recordClass_ : currentClass();
    switch (pages::saveRecord(command(), klass, entry, editing)) {
    case pages::SaveOutcome::ItemUnknown: return refuse("对不起，请重新输入项目", item_);
    case pages::SaveOutcome::RecordGone: return refuse("对不起，请先选择要修改的记录", nullptr);
    case pages::SaveOutcome::Saved: break;
    }
    boxes().information(window(), QStringLiteral("保存成功"));
    listDay();
    item_->setFocus(); // ready for the next record: typing replaces the item
    item_->selectAll();
}

void EntryPage::deleteRecord()
{
    const QString id = context().editid->text();
    if (id == QStringLiteral("0"))
        return refuse("对不起，请先选择要删除的记录", nullptr);
    if (!boxes().confirm(window(), QStringLiteral("是否确定删除？")))
        return;
    if (const auto record = pages::RowId::parse(id.toStdString()))
        pages::deleteRecord(command(), *record);
    listDay();
    context().editid->setText(QStringLiteral("0"));
}

} // namespace mainwindow
