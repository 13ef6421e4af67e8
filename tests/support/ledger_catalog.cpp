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

namespace {

std::string typeText(const ledger::ColumnType& t)
{
    switch (t.type) {
    case ledger::Type::Null: return "null";
    case ledger::Type::Boolean: return "bool";
    case ledger::Type::Long: return "long";
    case ledger::Type::Currency: return "money";
    case ledger::Type::Double: return "double";
    case ledger::Type::Text: return "text" + std::to_string(t.width);
    case ledger::Type::DateTime: return "date";
    }
    return "?";
}

} // namespace

std::string resultTypes(const std::string& statement)
{
    std::string out;
    for (const ledger::jet::Field& f : ledger::jet::resultColumns(statement, ledgerCatalog()))
        out += (out.empty() ? "" : ", ") + f.name + ":" + typeText(f.type);
    return out;
}

} // namespace testsupport
