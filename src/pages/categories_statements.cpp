#include "categories_statements.h"

namespace pages {

ledger::Params categoriesOf(ClassCode klass)
{
    return {{"fenlei", ledger::Value(std::string(codeOf(klass)))}};
}

ledger::Params itemsOf(std::optional<RowId> category)
{
    return {{"fid", category ? ledger::Value(category->text()) : ledger::Value()}};
}

std::string deleteFromCategories(RowId id)
{
    return "delete from s_fenlei where id=" + id.text();
}

std::string deleteCategoryBudget(RowId category)
{
    return "delete from  s_yushuan where f_id=" + category.text();
}

} // namespace pages
