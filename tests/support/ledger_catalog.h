#pragma once

#include "ledger/jet/catalog.h"

namespace testsupport {

// The ledger's tables and saved queries as the engine sees them, built from
// their definitions without a database.
const ledger::jet::Catalog& ledgerCatalog();

} // namespace testsupport
