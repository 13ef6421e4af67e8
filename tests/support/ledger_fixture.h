#pragma once

#include "household.h"
#include "temp_dir.h"

#include "ledger/connection.h"

#include <string>

namespace testsupport {

// A starting database in a temporary folder, a connection to it, and the
// household seeding on that connection.
class LedgerFixture : public Household {
public:
    LedgerFixture();
    ledger::Connection& db() { return connection_; }
    const std::string& path() const { return path_; }
    const TempDir& dir() const { return dir_; }

private:
    TempDir dir_;
    std::string path_;
    ledger::Connection connection_;
};

} // namespace testsupport
