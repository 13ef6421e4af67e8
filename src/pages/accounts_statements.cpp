#include "accounts_statements.h"

namespace pages {

std::string deleteAccount(RowId account)
{
    return "delete from z_zhanghu where id=" + account.text();
}

std::string recordsOnAccount(RowId account)
{
    return "select count(*) as n from s_shouru where s_zhanghuid=" + account.text();
}

std::string loansOnAccount(RowId account)
{
    return "select count(*) as n from s_jie where z_id=" + account.text();
}

std::string transfersOnAccount(RowId account)
{
    return "select count(*) as n from s_zhanghistory where zh1=" + account.text() + " or zh2=" + account.text();
}

} // namespace pages
