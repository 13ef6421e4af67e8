#include "transfers_statements.h"

namespace pages {

ledger::Params transfersBetween(const ledger::DateTime& first, const ledger::DateTime& last)
{
    return {{"t1", ledger::Value(first.datePart())}, {"t2", ledger::Value(last.datePart())}};
}

std::string deleteTransfer(RowId transfer)
{
    return "delete from s_zhanghistory where id=" + transfer.text();
}

} // namespace pages
