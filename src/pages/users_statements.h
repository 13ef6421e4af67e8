#pragma once

#include <string>

namespace mainwindow::users {

// The statements of the system users page, exactly as it issues them.
std::string usersList();
// "delete from s_user where id=<id>"; the id must be a whole number.
std::string deleteUser(const std::string& id);

} // namespace mainwindow::users
