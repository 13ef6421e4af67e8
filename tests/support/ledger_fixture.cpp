#include "ledger_fixture.h"

#include "ledger/schema.h"

namespace testsupport {

LedgerFixture::LedgerFixture() : Household(connection_), path_(dir_.file(ledger::kDatabaseFileName))
{
    ledger::createStartingDatabase(path_);
    connection_.open(ledger::connectionStringFor(path_));
}

} // namespace testsupport
