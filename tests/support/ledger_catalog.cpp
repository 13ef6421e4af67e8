#include "ledger_catalog.h"

#include "ledger/jet/translation.h"
#include "ledger/schema.h"

namespace testsupport {

const ledger::jet::Catalog& ledgerCatalog()
{
    static const ledger::jet::Catalog catalog = [] {
        ledger::jet::Catalog c;
        for (const ledger::TableDefinition& t : ledger::ledgerTables()) {
            ledger::jet::CatalogObject object;
            object.name = t.name;
            for (const ledger::ColumnDefinition& column : t.columns)
                object.columns.push_back({column.name, column.type});
            c.add(std::move(object));
        }
        // Each saved query reads only tables and the queries before it.
        for (const ledger::SavedQueryDefinition& q : ledger::ledgerSavedQueries()) {
            ledger::jet::CatalogObject object;
            object.name = q.name;
            object.savedQuery = true;
            object.definition = q.statement;
            for (const ledger::jet::Field& f : ledger::jet::translate(q.statement, c, ledger::jet::Mode::SavedQuery).fields)
                object.columns.push_back({f.name, f.type});
            c.add(std::move(object));
        }
        return c;
    }();
    return catalog;
}

} // namespace testsupport
