#pragma once

#include <string>

namespace ledger {

struct SampleOptions {
    int records = 20000; // income and expenditure records
    int years = 3; // spread over this many years up to today
    int extraItems = 0; // further expenditure items beyond the starting ones
    int loansPerYear = 20; // loans, settled and not, over the years
    int transfersPerYear = 150; // transfers between the accounts
    unsigned seed = 20241209;
};

// Writes a realistic household ledger for trying the program and for
// benchmarks: a few users and accounts, records on the starting items,
// loans, transfers and budgets, with the account totals consistent.
// The same options always give the same file.
void createSampleLedger(const std::string& path, const SampleOptions& options);

} // namespace ledger
