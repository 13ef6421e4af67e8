#pragma once

#include "../page.h"

namespace mainwindow {

class GridEditor;
class QuickCodeFollower;

// "收 入 类 别" and "支 出 类 别" (Panel7): the top-level categories of the
// class on the left, the items of the category last clicked on the right,
// each list with its own 增加, 删除 and 保存. Every item's quick code follows
// its name.
class CategoriesPage : public Page {
    Q_OBJECT

public:
    CategoriesPage(PageContext& context, QWidget* parent = nullptr);

    // Both lists read afresh for the class code the navigation set.
    void enter() override;

private:
    void buildCategories();
    void buildItems();
    void openCategories();
    void openItems();
    void showItemsOfClickedCategory();
    bool refuseDefaultCategory(const QString& id);
    bool mayAddItem() const;

    ledger::Query ADOQuery9; // the top-level categories of the class (":fenlei")
    ledger::Query ADOQuery10; // the items of one category (":fid")
    QString b_fid; // the category whose items are shown, as text
    GridEditor* categories_ = nullptr;
    GridEditor* items_ = nullptr;
    QuickCodeFollower* quickCodes_ = nullptr;
};

} // namespace mainwindow
