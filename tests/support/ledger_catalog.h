#pragma once

#include "ledger/jet/catalog.h"

#include <string>

namespace testsupport {

// The ledger's tables and saved queries as the engine sees them, built from
// their definitions without a database.
const ledger::jet::Catalog& ledgerCatalog();

// The result columns of a statement bound against that catalog, as
// "name:type, …" (types long, money, date, double, bool, text<width>).
std::string resultTypes(const std::string& statement);

} // namespace testsupport
