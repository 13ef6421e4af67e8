#include "entry_page.h"

#include "calculator_keypad.h"
#include "entry_statements.h"

#include "ledger/account_totals.h"
#include "ledger/error.h"
#include "widgets/bar_chart.h"
#include "widgets/click_label.h"
#include "widgets/data_grid.h"
#include "widgets/date_picker.h"
#include "widgets/guarded.h"
#include "widgets/lookup_combo_box.h"

#include <QGroupBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShortcut>
#include <QVBoxLayout>

namespace mainwindow {

namespace {

constexpr int kPageWidth = 768;

// One row of the editor: its caption on the left, the field on the right.
template <class Field>
Field* editorRow(QWidget* band, const char* caption, const char* name, int row, QLabel** captionLabel = nullptr)
{
    const int y = 44 + 26 * row;
    auto* label = new QLabel(QString::fromUtf8(caption), band);
    label->setGeometry(10, y, 62, 24);
    if (captionLabel)
        *captionLabel = label;
    auto* field = new Field(band);
    field->setObjectName(QString::fromUtf8(name));
    field->setGeometry(74, y, 230, 24);
    return field;
}

// The item list and the keypad float over the editor: opaque, framed.
void floating(QGroupBox* box)
{
    box->setAutoFillBackground(true);
    // The title sits inside the frame, so nothing behind shows through.
    box->setStyleSheet(QStringLiteral("QGroupBox#%1 { background-color: #fbfdff; border: 1px solid #7f9db9; "
                                      "border-radius: 3px; margin-top: 0px; padding-top: 18px; }"
                                      "QGroupBox#%1::title { subcontrol-origin: padding; subcontrol-position: top left; "
                                      "left: 6px; top: 2px; color: #1f4e79; }")
                           .arg(box->objectName()));
}

std::string utf8(const QString& s)
{
    return s.toStdString();
}

QString text(const std::string& s)
{
    return QString::fromStdString(s);
}

} // namespace

EntryPage::EntryPage(SharedState& state, QWidget* parent)
    : QWidget(parent), state_(state), ADOQuery1(state.connection, "ADOQuery1"), ADOQuery3(state.connection, "ADOQuery3"),
      ADOQuery5(state.connection, "ADOQuery5"), ADOQuery6(state.connection, "ADOQuery6"), ADOQuery7(state.connection, "ADOQuery7")
{
    setObjectName(QStringLiteral("Panel3"));
    ADOQuery5.setText("select * from s_user");
    ADOQuery6.setText("select * from z_zhanghu");
    ADOQuery7.setText(entry::chartTotals());
    buildEditor();
    buildBudgetPanel();
    buildLists();

    calculator_.readDisplay = [this] { return utf8(Edit1->text()); };
    calculator_.writeDisplay = [this](const std::string& s) { Edit1->setText(text(s)); };
    calculator_.showMessage = [this](const std::string& m) { widgets::messageBoxes().notice(this, text(m)); };
    GroupBox7 = new CalculatorKeypad(calculator_, this);
    GroupBox7->setGeometry(74, 150, 230, 178);
    floating(GroupBox7);
    GroupBox7->onEquals = [this] {
        GroupBox7->hide();
        Image7->show();
        Image8->hide();
    };
    GroupBox7->hide();
    // From the keyboard: new, save and delete without leaving the editor.
    const std::pair<const char*, void (EntryPage::*)()> shortcuts[] = {
        {"Ctrl+N", &EntryPage::Button1Click}, {"Ctrl+S", &EntryPage::Button3Click}, {"Ctrl+D", &EntryPage::Button2Click}};
    for (const auto& [keys, handler] : shortcuts) {
        auto* shortcut = new QShortcut(QKeySequence(QString::fromUtf8(keys)), this);
        shortcut->setContext(Qt::WidgetWithChildrenShortcut);
        connect(shortcut, &QShortcut::activated, this, widgets::guarded(this, [this, handler] { (this->*handler)(); }));
    }
    setTabOrder(findChild<QPushButton*>(QStringLiteral("Button3")), DBGridEh1->view());
    // Only now: the filter must not see the page half-built.
    Panel4->installEventFilter(this);
    DBGridEh1->view()->installEventFilter(this);
    Edit1->installEventFilter(this);
    Edit3->installEventFilter(this);
    DBGridEh2->view()->installEventFilter(this);
}

EntryPage::~EntryPage() = default;

// ---- building ----------------------------------------------------------------------

void EntryPage::buildEditor()
{
    Panel4 = new QWidget(this);
    Panel4->setObjectName(QStringLiteral("Panel4"));
    Panel4->setGeometry(0, 0, kPageWidth, 204);

    struct Button {
        const char* name;
        const char* caption;
        int x, width;
        void (EntryPage::*handler)();
        const char* tip;
    };
    const Button buttons[] = {
        {"Button1", "增加", 10, 60, &EntryPage::Button1Click, "新记录 (Ctrl+N)"},
        {"Button2", "删除", 74, 60, &EntryPage::Button2Click, "删除选中的记录 (Ctrl+D)"},
        {"Button3", "保存", 138, 60, &EntryPage::Button3Click, "保存 (Ctrl+S)"},
        {"Button4", "前天", 218, 52, &EntryPage::Button4Click, "日期往前一天"},
        {"Button5", "今天", 274, 52, &EntryPage::Button5Click, "日期回到今天"},
        {"Button6", "后天", 330, 52, &EntryPage::Button6Click, "日期往后一天"},
        {"Button7", "查询", 502, 60, &EntryPage::Button7Click, "列出这一天的记录"},
    };
    for (const Button& b : buttons) {
        auto* button = new QPushButton(QString::fromUtf8(b.caption), Panel4);
        button->setToolTip(QString::fromUtf8(b.tip));
        button->setObjectName(QString::fromUtf8(b.name));
        button->setGeometry(b.x, 8, b.width, 26);
        const auto handler = b.handler;
        connect(button, &QPushButton::clicked, this, widgets::guarded(this, [this, handler] { (this->*handler)(); }));
    }
    DateTimePicker1 = new widgets::DatePicker(Panel4);
    DateTimePicker1->setObjectName(QStringLiteral("DateTimePicker1"));
    DateTimePicker1->setGeometry(388, 8, 108, 26);

    DateTimePicker2 = editorRow<widgets::DatePicker>(Panel4, "日　期：", "DateTimePicker2", 0);
    DBLookupComboboxEh1 = editorRow<widgets::LookupComboBox>(Panel4, "付款人", "DBLookupComboboxEh1", 1, &Label8);
    Label8->setObjectName(QStringLiteral("Label8"));
    Edit3 = editorRow<QLineEdit>(Panel4, "项　目：", "Edit3", 2);
    Edit3->setPlaceholderText(QStringLiteral("输入名称或助记码"));
    connect(Edit3, &QLineEdit::textChanged, this, widgets::guarded(this, [this] { Edit3Change(); }));
    Edit1 = editorRow<QLineEdit>(Panel4, "金　额：", "Edit1", 3);
    Edit1->setTextMargins(0, 0, 22, 0);
    Edit1->setContextMenuPolicy(Qt::NoContextMenu); // no pasting past the character filter
    Edit1->setAttribute(Qt::WA_InputMethodEnabled, false);
    // The small pictures at the right end of the amount field open and close the keypad.
    auto picture = [&](const char* name, const char* glyph) {
        auto* p = new widgets::ClickLabel(QString::fromUtf8(glyph), Panel4);
        p->setObjectName(QString::fromUtf8(name));
        p->setGeometry(74 + 230 - 22, 124, 20, 20);
        p->setAlignment(Qt::AlignCenter);
        p->setToolTip(QStringLiteral("金额计算器"));
        connect(p, &widgets::ClickLabel::clicked, this, widgets::guarded(this, [this] { Image7Click(); }));
        return p;
    };
    Image7 = picture("Image7", "▦");
    Image8 = picture("Image8", "▣");
    Image8->hide();
    DBLookupComboboxEh2 = editorRow<widgets::LookupComboBox>(Panel4, "账　户：", "DBLookupComboboxEh2", 4);
    Edit2 = editorRow<QLineEdit>(Panel4, "备　注：", "Edit2", 5);

    setTabOrder(DateTimePicker2, DBLookupComboboxEh1);
    setTabOrder(DBLookupComboboxEh1, Edit3);
    setTabOrder(Edit3, Edit1);
    setTabOrder(Edit1, DBLookupComboboxEh2);
    setTabOrder(DBLookupComboboxEh2, Edit2);
    setTabOrder(Edit2, findChild<QPushButton*>(QStringLiteral("Button3")));
    DBLookupComboboxEh1->setList(ADOQuery5, QStringLiteral("id"), QStringLiteral("Sys_name"));
    DBLookupComboboxEh2->setList(ADOQuery6, QStringLiteral("id"), QStringLiteral("z_name"));
}

void EntryPage::buildBudgetPanel()
{
    GroupBox4 = new QGroupBox(QStringLiteral("预算信息"), Panel4);
    GroupBox4->setObjectName(QStringLiteral("GroupBox4"));
    GroupBox4->setGeometry(316, 40, 210, 158);
    auto label = [&](const char* name, const char* text, int x, int y, int width, Qt::Alignment align = Qt::AlignLeft) {
        auto* l = new QLabel(QString::fromUtf8(text), GroupBox4);
        l->setObjectName(QString::fromUtf8(name));
        l->setGeometry(x, y, width, 22);
        l->setAlignment(align | Qt::AlignVCenter);
        return l;
    };
    Label14 = label("Label14", "", 8, 22, 194, Qt::AlignHCenter);
    QFont bold = Label14->font();
    bold.setBold(true);
    Label14->setFont(bold);
    Label14->setStyleSheet(QStringLiteral("color: #800000;"));
    Label15 = label("Label15", "本月预算金额", 8, 48, 100);
    Label20 = label("Label20", "0", 104, 48, 96, Qt::AlignRight);
    label("Label16", "－", 8, 72, 14);
    Label17 = label("Label17", "实际金额", 22, 72, 86);
    Label21 = label("Label21", "0", 104, 72, 96, Qt::AlignRight);
    label("Label18", "－－－－－－－－－－－－", 8, 94, 194, Qt::AlignHCenter);
    QLabel* Label19 = label("Label19", "金额", 8, 118, 90);
    Label22 = label("Label22", "0", 104, 118, 96, Qt::AlignRight);
    Label19->setStyleSheet(QStringLiteral("color: red;"));
    Label22->setStyleSheet(QStringLiteral("color: red;"));

    GroupBox5 = new QGroupBox(QStringLiteral("最近七次金额变化"), Panel4);
    GroupBox5->setObjectName(QStringLiteral("GroupBox5"));
    GroupBox5->setGeometry(534, 40, 226, 158);
    DBChart1 = new widgets::BarChart(GroupBox5);
    DBChart1->setObjectName(QStringLiteral("DBChart1"));
    DBChart1->setLogarithmic(true);
    auto* layout = new QVBoxLayout(GroupBox5);
    layout->setContentsMargins(4, 2, 4, 4);
    layout->addWidget(DBChart1);
}

void EntryPage::buildLists()
{
    DBGridEh1 = new widgets::DataGrid(this);
    DBGridEh1->setObjectName(QStringLiteral("DBGridEh1"));
    DBGridEh1->setGeometry(0, 206, kPageWidth, 511 - 206);
    DBGridEh1->setQuery(ADOQuery1);
    DBGridEh1->setWholeRowSelection(true);
    DBGridEh1->setReadOnly(true);
    DBGridEh1->setScrollBars(Qt::ScrollBarAsNeeded, Qt::ScrollBarAlwaysOff);
    // A size at which a date fits its 60 pixels.
    QFont small = DBGridEh1->view()->font();
    small.setPixelSize(11);
    DBGridEh1->view()->setFont(small);
    const std::pair<const char*, int> widths[] = {{"编号", 40}, {"时间", 60},  {"项目", 80},  {"收付款人", 80},
                                                  {"金额", 80}, {"账户", 80}, {"备注", kPageWidth - 420}};
    for (const auto& [name, width] : widths)
        DBGridEh1->column(QString::fromUtf8(name)).width = width;
    DBGridEh1->column(QStringLiteral("金额")).format = widgets::DisplayFormat::Yuan;
    connect(DBGridEh1, &widgets::DataGrid::cellClicked, this,
            widgets::guarded(this, [this](int row, int) { DBGridEh1CellClick(row); }));

    GroupBox6 = new QGroupBox(QStringLiteral("项目列表"), this);
    GroupBox6->setObjectName(QStringLiteral("GroupBox6"));
    GroupBox6->setGeometry(74, 120, 230, 168);
    floating(GroupBox6);
    DBGridEh2 = new widgets::DataGrid(GroupBox6);
    DBGridEh2->setObjectName(QStringLiteral("DBGridEh2"));
    DBGridEh2->setQuery(ADOQuery3);
    DBGridEh2->setReadOnly(true);
    DBGridEh2->setWholeRowSelection(true);
    DBGridEh2->setFitColumns(true);
    DBGridEh2->setScrollBars(Qt::ScrollBarAlwaysOff, Qt::ScrollBarAlwaysOff);
    DBGridEh2->column(QStringLiteral("f_id")).hidden = true;
    auto* layout = new QVBoxLayout(GroupBox6);
    layout->setContentsMargins(4, 2, 4, 4);
    layout->addWidget(DBGridEh2);
    connect(DBGridEh2, &widgets::DataGrid::cellClicked, this,
            widgets::guarded(this, [this](int row, int) { DBGridEh2CellClick(row); }));
    GroupBox6->hide();
}

// ---- entering the page -------------------------------------------------------------

void EntryPage::alignAmountRight()
{
    Edit1->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
}

void EntryPage::enter(const QString& klass)
{
    const bool expenditure = klass == QStringLiteral("Z");
    state_.b_zt = klass;
    // Emptying the item field runs the search like any change of its text.
    if (Edit3->text().isEmpty())
        Edit3Change();
    else
        Edit3->clear();
    hideItemList();
    GroupBox4->setTitle(expenditure ? QStringLiteral("预算信息") : QStringLiteral("本月比上月增长"));
    Label15->setText(expenditure ? QStringLiteral("本月预算金额") : QStringLiteral("本月收入"));
    Label17->setText(expenditure ? QStringLiteral("实际金额") : QStringLiteral("上月收入"));
    Label14->setText(expenditure ? QString() : QStringLiteral("收入增长"));
    Label8->setText(expenditure ? QStringLiteral("付款人") : QStringLiteral("收款人"));
    loadChart();
    Button7Click();
    if (expenditure) {
        // Users and accounts added on other pages appear.
        ADOQuery5.close();
        ADOQuery5.open();
        ADOQuery6.close();
        ADOQuery6.open();
    }
    keepChosenEntry(DBLookupComboboxEh1);
    keepChosenEntry(DBLookupComboboxEh2);
    Edit3->setFocus(); // most entries start with an item
}

// A box keeps the entry the user chose while its list still has it, and
// otherwise takes the first one.
void EntryPage::keepChosenEntry(widgets::LookupComboBox* box)
{
    if (!box->hasEntry() && box->count() > 0)
        box->setCurrentIndex(0);
}

void EntryPage::loadChart()
{
    ADOQuery7.close();
    ADOQuery7.setParam("fenlei", utf8(state_.b_zt));
    ADOQuery7.open();
    const int amount = ADOQuery7.fieldIndexOrThrow("aaa");
    const int day = ADOQuery7.fieldIndexOrThrow("s_date");
    QStringList labels;
    std::vector<double> values;
    // Newest first from the statement; oldest on the left in the chart.
    for (int r = ADOQuery7.rowCount() - 1; r >= 0; --r) {
        const ledger::Value& d = ADOQuery7.value(r, day);
        labels << (d.isNull() ? QString() : QString::asprintf("%02d-%02d", d.asDateTime().month, d.asDateTime().day));
        const ledger::Value& v = ADOQuery7.value(r, amount);
        values.push_back(v.isNull() ? 0.0 : v.asCurrency().toDouble());
    }
    DBChart1->setData(labels, values);
}

// ---- the day list and dates ----------------------------------------------------------

void EntryPage::Button7Click()
{
    ADOQuery1.close();
    ADOQuery1.setText(entry::dayList(utf8(state_.b_zt), DateTimePicker1->dateValue()));
    ADOQuery1.open();
}

void EntryPage::Button4Click()
{
    DateTimePicker1->setDate(DateTimePicker1->date().addDays(-1));
    DateTimePicker2->setDate(DateTimePicker2->date().addDays(-1));
}

void EntryPage::Button5Click()
{
    DateTimePicker1->setDate(QDate::currentDate());
    DateTimePicker2->setDate(QDate::currentDate());
}

void EntryPage::Button6Click()
{
    DateTimePicker1->setDate(DateTimePicker1->date().addDays(1));
    DateTimePicker2->setDate(DateTimePicker2->date().addDays(1));
}

// ---- the item list ------------------------------------------------------------------

void EntryPage::Edit3Change()
{
    if (state_.b_zt.isEmpty())
        return; // not entered yet
    GroupBox6->show();
    GroupBox6->raise();
    ADOQuery3.close();
    ADOQuery3.setText(entry::itemSearch(utf8(state_.b_zt), utf8(Edit3->text())));
    ADOQuery3.open();
}

void EntryPage::Edit3Click()
{
    GroupBox6->show();
    GroupBox6->raise();
    ADOQuery3.close();
    ADOQuery3.setText(entry::itemList(utf8(state_.b_zt)));
    ADOQuery3.open();
}

void EntryPage::hideItemList()
{
    GroupBox6->hide();
}

void EntryPage::Panel4Click()
{
    hideItemList();
}

void EntryPage::DBGridEh2CellClick(int row)
{
    if (ADOQuery3.isEmpty() || row < 0)
        return;
    ADOQuery3.setCurrentRow(row);
    chooseItem(row);
}

// The budget panel's figures for the chosen item, then the item itself.
void EntryPage::chooseItem(int row)
{
    const std::string parent = ADOQuery3.value(row, 2).toText();
    const ledger::DateTime day = DateTimePicker2->dateValue();
    const ledger::DateTime first = *ledger::DateTime::make(day.year, day.month, 1);
    const ledger::DateTime last = *ledger::DateTime::make(day.year, day.month, ledger::daysInMonth(day.year, day.month));
    const ledger::DateTime previousLast = first.addDays(-1);
    const ledger::DateTime previousFirst = *ledger::DateTime::make(previousLast.year, previousLast.month, 1);
    // Look-ups go one after another through the sign-in window's command object.
    ledger::Query& lookup = state_.ADOQuery1;
    auto column = [&](const std::string& statement, const char* name) {
        lookup.close();
        lookup.setText(statement);
        lookup.open();
        return lookup.isEmpty() ? QString() : text(lookup.text(name));
    };
    if (state_.b_zt == QStringLiteral("Z")) {
        Label14->setText(column(entry::categoryName(parent), "f_name"));
        Label20->setText(column(entry::categoryBudget(parent), "y_money"));
        Label21->setText(column(entry::categorySpending(parent, first, last), "a"));
    } else {
        Label21->setText(column(entry::incomeBetween(utf8(state_.b_zt), previousFirst, previousLast, true), "a"));
        Label20->setText(column(entry::incomeBetween(utf8(state_.b_zt), first, day, false), "a"));
    }
    if (Label20->text().isEmpty())
        Label20->setText(QStringLiteral("0"));
    if (Label21->text().isEmpty())
        Label21->setText(QStringLiteral("0"));
    const auto budget = ledger::Currency::parse(utf8(Label20->text())).value_or(ledger::Currency());
    const auto actual = ledger::Currency::parse(utf8(Label21->text())).value_or(ledger::Currency());
    Label22->setText(text((budget - actual).toString()));

    Edit3->setText(text(ADOQuery3.value(row, 0).toText()));
    hideItemList();
}

// ---- editing records ------------------------------------------------------------------

QString EntryPage::editId() const
{
    return state_.editid->text();
}

void EntryPage::setEditId(const QString& id)
{
    state_.editid->setText(id);
}

void EntryPage::Button1Click()
{
    EntryMode = QStringLiteral("add");
    Edit1->clear();
    Edit3->clear();
    hideItemList();
}

void EntryPage::DBGridEh1CellClick(int row)
{
    hideItemList();
    if (ADOQuery1.isEmpty() || row < 0)
        return;
    ADOQuery1.setCurrentRow(row);
    EntryMode = QStringLiteral("edit");
    editClass_ = state_.b_zt;
    setEditId(text(ADOQuery1.text("编号")));
    const ledger::Value& when = ADOQuery1.value("时间");
    if (!when.isNull())
        DateTimePicker2->setDateValue(when.asDateTime());
    Edit3->setText(text(ADOQuery1.text("项目")));
    DBLookupComboboxEh1->selectText(text(ADOQuery1.text("收付款人")));
    Edit1->setText(text(ADOQuery1.text("金额")));
    DBLookupComboboxEh2->selectText(text(ADOQuery1.text("账户")));
    Edit2->setText(text(ADOQuery1.text("备注")));
    hideItemList();
}

void EntryPage::Button3Click()
{
    auto refuse = [this](const char* message, QWidget* focus) {
        widgets::messageBoxes().refusal(this, QString::fromUtf8(message));
        focus->setFocus();
    };
    if (Edit3->text().isEmpty())
        return refuse("对不起，请重新输入项目", Edit3);
    const QString typed = Edit1->text().trimmed();
    if (typed.isEmpty() || typed == QStringLiteral("0"))
        return refuse("对不起，金额不能为零", Edit1);
    const std::optional<std::string> amount = entry::validAmount(utf8(typed));
    if (!amount)
        return refuse("对不起，金额格式不对", Edit1);

    // The item is looked up among the items of the record's own class.
    const bool editing = EntryMode == QStringLiteral("edit");
    const QString klass = editing && !editClass_.isEmpty() ? editClass_ : state_.b_zt;
    state_.ADOQuery4.close();
    state_.ADOQuery4.setText(entry::itemIdByName(utf8(Edit3->text()), utf8(klass)));
    state_.ADOQuery4.open();
    if (state_.ADOQuery4.isEmpty())
        return refuse("对不起，请重新输入项目", Edit3);
    entry::RecordValues values;
    values.itemId = state_.ADOQuery4.text("id");
    values.amount = *amount;
    if (!DBLookupComboboxEh1->hasEntry() || !DBLookupComboboxEh2->hasEntry())
        throw ledger::Error(ledger::Error::Kind::Type, "“”不是有效的整数值");
    values.payer = DBLookupComboboxEh1->key().asLong();
    values.account = DBLookupComboboxEh2->key().asLong();
    values.note = utf8(Edit2->text());
    values.date = DateTimePicker2->dateValue();

    // The record and its account's totals change together or not at all.
    ledger::Connection& db = state_.connection;
    ledger::Transaction work(db);
    int64_t changed = 0;
    if (editing) {
        const std::string id = utf8(editId());
        const auto before = entry::isWholeNumber(id) ? ledger::readRecordEffect(db, std::stoll(id)) : std::nullopt;
        state_.ADOQuery4.setText(entry::updateRecord(values, id));
        changed = state_.ADOQuery4.execSql();
        if (changed > 0)
            ledger::ApplyRecordChange(db, before, ledger::readRecordEffect(db, std::stoll(id)));
    } else {
        state_.ADOQuery4.setText(entry::insertRecord(values, utf8(state_.b_zt)));
        changed = state_.ADOQuery4.execSql();
        ledger::ApplyRecordChange(db, std::nullopt, ledger::readRecordEffect(db, db.lastInsertId()));
    }
    work.commit();
    if (changed == 0) {
        // Nothing was changed (the record is gone): say so rather than "保存成功".
        widgets::messageBoxes().refusal(this, QStringLiteral("对不起，请先选择要修改的记录"));
        return;
    }
    widgets::messageBoxes().information(this, QStringLiteral("保存成功"));
    Button7Click();
    // Ready for the next record: typing replaces the item.
    Edit3->setFocus();
    Edit3->selectAll();
}

void EntryPage::Button2Click()
{
    if (editId() == QStringLiteral("0")) {
        widgets::messageBoxes().refusal(this, QStringLiteral("对不起，请先选择要删除的记录"));
        return;
    }
    if (!widgets::messageBoxes().confirm(this, QStringLiteral("是否确定删除？")))
        return;
    const std::string id = utf8(editId());
    ledger::Connection& db = state_.connection;
    ledger::Transaction work(db);
    const auto before = entry::isWholeNumber(id) ? ledger::readRecordEffect(db, std::stoll(id)) : std::nullopt;
    state_.ADOQuery4.setText(entry::deleteRecord(id));
    if (state_.ADOQuery4.execSql() > 0)
        ledger::ApplyRecordChange(db, before, std::nullopt);
    work.commit();
    Button7Click();
    setEditId(QStringLiteral("0"));
}

// ---- the amount field and the calculator ------------------------------------------------

void EntryPage::Image7Click()
{
    const bool open = !GroupBox7->isVisible();
    GroupBox7->setVisible(open);
    if (open)
        GroupBox7->raise();
    Image7->setVisible(!open);
    Image8->setVisible(open);
}

// Enter is "=", the numeric keypad's digits are the calculator's; every
// other character passes the filter: digits, one point, two decimals.
bool EntryPage::amountKeyPress(QKeyEvent* event)
{
    const int key = event->key();
    if (key == Qt::Key_Tab || key == Qt::Key_Backtab || key == Qt::Key_Escape)
        return false; // moving between fields, not typing
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
        calculator_.EqualsKey();
        GroupBox7->hide();
        Image7->show();
        Image8->hide();
        return true;
    }
    if ((event->modifiers() & Qt::KeypadModifier) && key >= Qt::Key_0 && key <= Qt::Key_9) {
        calculator_.DigitKey(key - Qt::Key_0);
        return true; // the calculator's only: not typed a second time
    }
    // The editing shortcuts (copy, paste, cut, undo) type control characters,
    // which the filter does not take: they do nothing here.
    if (event->modifiers() & Qt::ControlModifier)
        return true;
    const QString typed = event->text();
    if (typed.isEmpty())
        return false; // arrows, Delete and the like edit as usual
    const QChar c = typed.at(0);
    if (c == QChar(8))
        return false;
    const QString current = Edit1->text();
    const bool accepted = c == QLatin1Char(' ') || c == QLatin1Char('.') || (c >= QLatin1Char('0') && c <= QLatin1Char('9'));
    if (!accepted)
        return true;
    const qsizetype point = current.indexOf(QLatin1Char('.'));
    if (point >= 0 && c == QLatin1Char('.'))
        return true;
    if (point >= 0 && current.size() == point + 3)
        return true; // two decimals already
    return false;
}

bool EntryPage::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == Edit1 && event->type() == QEvent::KeyPress) {
        bool consumed = false;
        widgets::runGuarded(this, [&] { consumed = amountKeyPress(static_cast<QKeyEvent*>(event)); });
        return consumed;
    }
    if (watched == Edit3 && event->type() == QEvent::MouseButtonRelease) {
        widgets::runGuarded(this, [this] { Edit3Click(); });
        return false;
    }
    if (watched == Edit3 && event->type() == QEvent::KeyPress && GroupBox6->isVisible() && !ADOQuery3.isEmpty()) {
        // From the keyboard: Down moves into the list, Enter takes its current item.
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Down) {
            DBGridEh2->view()->setFocus();
            return true;
        }
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            widgets::runGuarded(this, [this] { chooseItem(std::max(0, ADOQuery3.currentRow())); });
            return true;
        }
    }
    if (watched == DBGridEh2->view() && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if ((key == Qt::Key_Return || key == Qt::Key_Enter) && !ADOQuery3.isEmpty()) {
            widgets::runGuarded(this, [this] { chooseItem(std::max(0, ADOQuery3.currentRow())); });
            Edit3->setFocus();
            return true;
        }
        if (key == Qt::Key_Escape) {
            hideItemList();
            Edit3->setFocus();
            return true;
        }
    }
    if (watched == DBGridEh1->view() && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if ((key == Qt::Key_Return || key == Qt::Key_Enter) && !ADOQuery1.isEmpty()) {
            widgets::runGuarded(this, [this] { DBGridEh1CellClick(ADOQuery1.currentRow()); });
            Edit3->setFocus();
            return true;
        }
    }
    if (watched == Panel4 && event->type() == QEvent::MouseButtonRelease)
        Panel4Click();
    return QWidget::eventFilter(watched, event);
}

} // namespace mainwindow
