#include "users_statements.h"

namespace pages {

std::string deleteUser(RowId id)
{
    return "delete from s_user where id=" + id.text();
}

} // namespace pages
