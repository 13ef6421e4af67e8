#include "users_statements.h"

#include "ledger/error.h"

namespace mainwindow::users {

std::string usersList()
{
    return "select id,sys_name as 用户名 ,sys_pwd as 密码 from s_user";
}

std::string deleteUser(const std::string& id)
{
    if (id.empty() || id.size() > 10 || id.find_first_not_of("0123456789") != std::string::npos)
        throw ledger::Error(ledger::Error::Kind::Type, "用户编号“" + id + "”不是整数");
    return "delete from s_user where id=" + id;
}

} // namespace mainwindow::users
