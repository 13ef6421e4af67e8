#pragma once

#include "statement_parts.h"

#include <string>

namespace pages {

// The system users page.
inline constexpr const char* kUsersList = "select id,sys_name as 用户名 ,sys_pwd as 密码 from s_user";
std::string deleteUser(RowId id);

} // namespace pages
