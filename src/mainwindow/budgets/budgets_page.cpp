#include "budgets_page.h"

#include "pages/budgets_statements.h"
#include "widgets/data_grid.h"
#include "widgets/form.h"
#include "widgets/spin_edit.h"

#include <QLabel>
#include <QTabBar>
#include <QTabWidget>

namespace mainwindow {

namespace {

constexpr int kTabsHeight = 26;

// Tabs of one size whatever their captions.
class FixedTabBar : public QTabBar {
public:
    using QTabBar::QTabBar;

protected:
    QSize tabSizeHint(int) const override { return {80, kTabsHeight}; }
};

class FixedTabs : public QTabWidget {
public:
    explicit FixedTabs(QWidget* parent) : QTabWidget(parent) { setTabBar(new FixedTabBar(this)); }
};

// A money column of the budgets in the grid format.
widgets::ColumnSpec money(const char* field, const char* title)
{
    return {.field = field, .title = title, .width = 100, .format = widgets::DisplayFormat::Yuan};
}

} // namespace

BudgetsPage::BudgetsPage(PageContext& context, QWidget* parent)
    : Page(context, "Panel11", parent), ADOQuery14(context.connection, "ADOQuery14"),
      ADOQuery15(context.connection, "ADOQuery15"), ADOQuery16(context.connection, "ADOQuery16")
{
    ADOQuery14.setText(pages::kBudgetRows);
    ADOQuery15.setText(pages::kBudgetCategoryNames);
    ADOQuery16.setText(pages::kBudgetComparison);
    tabs_ = new FixedTabs(this);
    tabs_->setObjectName(QStringLiteral("PageControl1"));
    tabs_->setGeometry(0, 0, 768, 511);
    tabs_->addTab(buildComparison(), QStringLiteral("预算查询"));
    tabs_->addTab(buildSetting(), QStringLiteral("预算定制"));
    // A budget typed on the setting tab is written before the other tab shows.
    connect(tabs_, &QTabWidget::currentChanged, this, guarded([this] { writeTypedBudget(); }));
}

QWidget* BudgetsPage::buildComparison()
{
    auto* tab = widgets::make<QWidget>(nullptr, "TabSheet1");
    widgets::make<QLabel>(tab, "monthPrompt", "请选择月份进行对比分析", {10, 8, 160, 24});
    SpinEdit2 = widgets::make<widgets::SpinEdit>(tab, "SpinEdit2", {172, 8, 64, 24});
    SpinEdit2->setRange(1900, 2100);
    widgets::buddyLabel(tab, "年", {240, 8, 16, 24}, SpinEdit2);
    SpinEdit1 = widgets::make<widgets::SpinEdit>(tab, "SpinEdit1", {260, 8, 48, 24});
    SpinEdit1->setRange(1, 12);
    widgets::buddyLabel(tab, "月", {312, 8, 16, 24}, SpinEdit1);
    widgets::addButtons(tab, {{"Button42", "刷新", {340, 7, 75, 26}, [this] { compareMonth(); }, "对比这个月的消费和预算"}});
    auto* DBGridEh8 = widgets::make<widgets::DataGrid>(tab, "DBGridEh8", {0, 40, 762, 511 - kTabsHeight - 46});
    DBGridEh8->setQuery(ADOQuery16);
    DBGridEh8->setReadOnly(true);
    DBGridEh8->setWholeRowSelection(true);
    DBGridEh8->setFitColumns(true);
    DBGridEh8->setColumns({{.field = "f_name", .title = "项目名称", .width = 120},
                           money("xxmoney", "本月消费总额"),
                           money("y_money", "预算消费金额"),
                           {.field = "y_x", .title = "备注", .width = 200}});
    DBGridEh8->enableCsvExport(QStringLiteral("预算对比"));
    return tab;
}

QWidget* BudgetsPage::buildSetting()
{
    auto* tab = widgets::make<QWidget>(nullptr, "TabSheet2");
    DBGridEh9 = widgets::make<widgets::DataGrid>(tab, "DBGridEh9", {0, 0, 762, 511 - kTabsHeight - 6});
    DBGridEh9->setQuery(ADOQuery14);
    DBGridEh9->setFitColumns(true);
    DBGridEh9->setColumns(
        {{.field = "id", .hidden = true},
         {.field = "f_id", .hidden = true},
         {.field = "项目名称", .readOnly = true, .width = 120, .lookup = widgets::Lookup{&ADOQuery15, "f_id", "id", "项目名称"}},
         money("y_money", "预算金额"),
         {.field = "y_x", .title = "备注信息", .width = 200}});
    return tab;
}

void BudgetsPage::enter()
{
    writeTypedBudget();
    const QDate today = QDate::currentDate();
    SpinEdit1->setText(QString::number(today.month()));
    SpinEdit2->setText(QString::number(today.year())); // shown as it is, even outside the bounds
    compareMonth();
    ADOQuery14.requery();
    ADOQuery15.requery();
}

void BudgetsPage::compareMonth()
{
    ADOQuery16.reopenWith(pages::budgetMonth(SpinEdit2->value(), SpinEdit1->value()));
}

// The budget being typed is posted, so reading the lists again or comparing
// never drops it. A row the database refuses stays in the grid, in edit.
void BudgetsPage::writeTypedBudget()
{
    if (ADOQuery14.isOpen())
        DBGridEh9->commitEdits();
}

} // namespace mainwindow
