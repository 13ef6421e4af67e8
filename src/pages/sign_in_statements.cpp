#include "sign_in_statements.h"

#include "ledger/sql_text.h"

namespace pages {

std::string userByName(const std::string& name)
{
    return "select * from s_user where sys_name=" + ledger::quoteText(name, '"');
}

std::string rememberSignIn(const std::string& name, const std::string& password)
{
    return "update sys_sys set isuser=" + ledger::quoteText(name, '"') + "  , ispwd=" + ledger::quoteText(password, '"') +
           " ,isji=1 where id =1 ";
}

std::string forgetSignIn()
{
    return "update sys_sys set  isji=0,ispwd=\"\" where id =1 ";
}

} // namespace pages
