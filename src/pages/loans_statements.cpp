#include "loans_statements.h"

namespace pages {

ledger::Params loansOf(ClassCode klass)
{
    return {{"j_ZorS", ledger::Value(std::string(codeOf(klass)))}};
}

std::string deleteLoan(RowId loan)
{
    return "delete from s_jie where id=" + loan.text();
}

} // namespace pages
