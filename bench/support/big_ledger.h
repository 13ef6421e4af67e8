#pragma once

#include "temp_dir.h"

#include "ledger/connection.h"

#include <functional>

namespace benchsupport {

// A sample household ledger in a temporary folder, opened: the big ledger
// the benchmarks measure on (200,000 records over 20 years unless told).
struct BigLedger {
    explicit BigLedger(int records = 200000, int years = 20, int extraItems = 0);
    testsupport::TempDir dir;
    ledger::Connection db;
};

// main() of a benchmark with widgets: a headless application with the
// program's fonts, then the benchmarks; `beforeExit` lets widgets go while
// the application still exists.
int runWithApplication(int argc, char** argv, const std::function<void()>& beforeExit = {});

} // namespace benchsupport
