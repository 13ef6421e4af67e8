#include "list_operations.h"

namespace pages {

void saveList(ledger::Query& list, const Pass& pass)
{
    ledger::Transaction work(list.connection());
    list.updateBatch();
    if (pass)
        pass(list.connection());
    work.commit();
}

void discardList(ledger::Query& list)
{
    ledger::Transaction work(list.connection());
    list.cancel();
    list.cancelBatch();
    work.commit();
}

void deleteWith(ledger::Query& command, const std::vector<std::string>& statements, const Pass& pass)
{
    ledger::Transaction work(command.connection());
    for (const std::string& statement : statements) {
        command.setText(statement);
        command.execSql();
    }
    if (pass)
        pass(command.connection());
    work.commit();
}

std::string lookUp(ledger::Query& command, const std::string& statement, const std::string& column)
{
    command.reopen(statement);
    return command.isEmpty() ? std::string() : command.text(column);
}

} // namespace pages
