#include "categories_page.h"

#include "quick_code_follower.h"

#include "../grid_editor.h"

#include "pages/categories_operations.h"
#include "widgets/data_grid.h"

namespace mainwindow {

namespace {

// 增加 waits while the current row still has no name.
bool hasUnnamedCurrentRow(const ledger::Query& list)
{
    return list.currentRow() >= 0 && list.text("项目名称").empty();
}

QString currentId(const ledger::Query& list)
{
    return list.currentRow() >= 0 ? QString::fromStdString(list.text("id")) : QString();
}

} // namespace

CategoriesPage::CategoriesPage(PageContext& context, QWidget* parent)
    : Page(context, "Panel7", parent), ADOQuery9(context.connection, "ADOQuery9"), ADOQuery10(context.connection, "ADOQuery10")
{
    ADOQuery9.setText(pages::kCategoriesList);
    ADOQuery9.setBatchMode(true);
    ADOQuery10.setText(pages::kItemsList);
    ADOQuery10.setBatchMode(true);
    buildCategories();
    buildItems();
}

void CategoriesPage::buildCategories()
{
    GridEditor::Rules rules;
    rules.failureNotice = QStringLiteral("对不起，数据格式不对");
    rules.refuseDelete = [this](const QString& id) { return refuseDefaultCategory(id); };
    // The category's budget row goes with it; its items stay.
    rules.deleteStatements = [](pages::RowId id) {
        return std::vector<std::string>{pages::deleteFromCategories(id), pages::deleteCategoryBudget(id)};
    };
    rules.pass = pages::addMissingBudgets;
    rules.afterDelete = [this] {
        openCategories();
        openItems();
    };
    rules.mayAppend = [this] { return !hasUnnamedCurrentRow(ADOQuery9); };
    rules.fillNewRow = [this](ledger::Query& row) { row.setValue("f_class", ledger::Value(context().b_zt.toStdString())); };
    categories_ = new GridEditor(ADOQuery9, command(), {"DBGridEh4", "Button29", "Button30", "Button31"}, std::move(rules),
                                 GridEditor::BarPlace::Top, this);
    categories_->setObjectName(QStringLiteral("GroupBoxCategories"));
    widgets::DataGrid* grid = categories_->grid();
    grid->setFixedWidth(249);
    categories_->setGeometry(0, 0, categories_->minimumSizeHint().width(), 511); // the grid in the box's frame
    grid->setColumns({{.field = "id", .hidden = true}, {.field = "f_class", .hidden = true}});
    grid->setFitColumns(true);
    grid->setScrollBars(Qt::ScrollBarAlwaysOff, Qt::ScrollBarAlwaysOff);
    connect(grid, &widgets::DataGrid::cellClicked, this, guarded([this] { showItemsOfClickedCategory(); }));
}

void CategoriesPage::buildItems()
{
    GridEditor::Rules rules;
    rules.failureNotice = QStringLiteral("对不起，数据格式不对");
    rules.deleteStatements = [](pages::RowId id) { return std::vector<std::string>{pages::deleteFromCategories(id)}; };
    rules.afterDelete = [this] {
        if (!ADOQuery9.isEmpty())
            b_fid = currentId(ADOQuery9);
        openItems();
    };
    rules.mayAppend = [this] { return mayAddItem(); };
    rules.fillNewRow = [this](ledger::Query& row) {
        row.setValue("f_id", ledger::Value(int64_t{b_fid.toLongLong()}));
        row.setValue("f_class", ledger::Value(context().b_zt.toStdString()));
    };
    items_ = new GridEditor(ADOQuery10, command(), {"DBGridEh5", "Button32", "Button33", "Button34"}, std::move(rules),
                            GridEditor::BarPlace::Top, this);
    items_->setObjectName(QStringLiteral("GroupBoxItems"));
    items_->setTitle(QStringLiteral("项目"));
    const int left = categories_->width();
    items_->setGeometry(left, 0, 768 - left, 511);
    widgets::DataGrid* grid = items_->grid();
    grid->setColumns({{.field = "id", .hidden = true},
                      {.field = "f_id", .hidden = true},
                      {.field = "f_class", .hidden = true},
                      {.field = "项目名称", .width = 300},
                      {.field = "快速代码", .width = 180}});
    grid->setFitColumns(true);
    grid->setScrollBars(Qt::ScrollBarAsNeeded, Qt::ScrollBarAlwaysOff);
    quickCodes_ = new QuickCodeFollower(ADOQuery10, this);
}

void CategoriesPage::enter()
{
    const bool income = currentClass() == pages::ClassCode::Income;
    categories_->setTitle(income ? QStringLiteral("收入类别") : QStringLiteral("支出类别"));
    openCategories();
    openItems();
}

// The first category becomes current, and its items are the ones shown.
void CategoriesPage::openCategories()
{
    ADOQuery9.reopenWith(pages::categoriesOf(currentClass()));
    b_fid = currentId(ADOQuery9);
}

void CategoriesPage::openItems()
{
    ADOQuery10.reopenWith(pages::itemsOf(pages::RowId::parse(b_fid.toStdString())));
}

// Moving through the categories with the keyboard leaves the items as they are.
void CategoriesPage::showItemsOfClickedCategory()
{
    if (ADOQuery9.isEmpty())
        return;
    b_fid = currentId(ADOQuery9);
    openItems();
}

bool CategoriesPage::refuseDefaultCategory(const QString& id)
{
    if (id != QStringLiteral("1") && id != QStringLiteral("4"))
        return false;
    boxes().refusal(window(), QStringLiteral("对不起，系统默认项，不能删除"));
    return true;
}

// An item needs a saved category to belong to: one made without would be
// listed under none and could never be changed here.
bool CategoriesPage::mayAddItem() const
{
    return pages::RowId::parse(b_fid.toStdString()) && !hasUnnamedCurrentRow(ADOQuery10);
}

} // namespace mainwindow
