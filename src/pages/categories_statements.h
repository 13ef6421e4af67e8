#pragma once

#include "statement_parts.h"

#include "ledger/connection.h"

#include <optional>
#include <string>

namespace pages {

// The categories page: the top-level categories of a class (":fenlei") on
// the left, the items of one category (":fid") on the right.
inline constexpr const char* kCategoriesList =
    "select id,f_class,f_name as 项目名称 from s_fenlei where f_id=0 and f_class=:fenlei";
inline constexpr const char* kItemsList =
    "select id,f_id,f_class,f_name as 项目名称,f_pinyin as 快速代码 from s_fenlei where  f_id=:fid";
ledger::Params categoriesOf(ClassCode klass);
// No category: a key that matches no item.
ledger::Params itemsOf(std::optional<RowId> category);

// A category or an item.
std::string deleteFromCategories(RowId id);
// A deleted category's budget row goes with it.
std::string deleteCategoryBudget(RowId category);
// Every top-level expenditure category without a budget row gets an empty one.
inline constexpr const char* kAddMissingBudgets =
    "insert into s_yushuan (f_id) select id from s_fenlei where f_id=0 and f_class='Z' and id not in (select f_id from "
    "s_yushuan)";

} // namespace pages
