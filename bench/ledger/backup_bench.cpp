// Keeping a big ledger safe: backups, the check at open, the full CSV
// export, on the sample household ledger of 200,000 records over 20 years.
// Run: build/bench/ledger/backup_bench

#include "big_ledger.h"

#include "ledger/backup.h"
#include "ledger/csv_export.h"
#include "ledger/schema.h"

#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <cstdio>
#include <filesystem>

namespace {

benchsupport::BigLedger& bigLedger()
{
    static benchsupport::BigLedger ledger;
    return ledger;
}

// A fresh moment per backup, so that no two share a name.
ledger::DateTime nextMoment()
{
    static int64_t n = 0;
    const int i = static_cast<int>(n++);
    return {2030, 1, 1 + i / 86400 % 28, i / 3600 % 24, i / 60 % 60, i % 60};
}

void removeBackups()
{
    std::filesystem::remove_all(ledger::backupFolderFor(bigLedger().db.path()));
}

// Each backup is removed again untimed, so that the clean-up of old ones stays out.
template <class Backup>
void timeBackups(benchmark::State& state, Backup backup)
{
    bigLedger(); // made before the clock runs
    for (auto _ : state) {
        benchmark::DoNotOptimize(backup());
        state.PauseTiming();
        removeBackups();
        state.ResumeTiming();
    }
}

// A whole copy on the window's thread, flushed and renamed.
void BackupWhole(benchmark::State& state)
{
    timeBackups(state, [] { return ledger::writeBackup(bigLedger().db, nextMoment()); });
}
BENCHMARK(BackupWhole)->Unit(benchmark::kMillisecond);

// The same on a connection of its own, as a worker runs it.
void BackupOnOwnConnection(benchmark::State& state)
{
    timeBackups(state, [] { return ledger::backupLedgerFile(bigLedger().db.path(), nextMoment()); });
}
BENCHMARK(BackupOnOwnConnection)->Unit(benchmark::kMillisecond);

// One slice of a copy on the window's thread: the longest the window waits
// between two events when the copy runs from a zero-timer.
void BackupSlice(benchmark::State& state)
{
    auto& db = bigLedger().db;
    const int pages = static_cast<int>(state.range(0));
    auto copy = std::make_unique<ledger::BackupCopy>(db, nextMoment());
    for (auto _ : state) {
        if (copy->step(pages)) {
            state.PauseTiming();
            removeBackups();
            copy = std::make_unique<ledger::BackupCopy>(db, nextMoment());
            state.ResumeTiming();
        }
    }
    copy.reset();
    removeBackups();
}
BENCHMARK(BackupSlice)->Arg(256)->Arg(1024)->Unit(benchmark::kMicrosecond);

// Opening the ledger as the sign-in window does, the check included.
void OpenLedger(benchmark::State& state)
{
    const std::string connection = ledger::connectionStringFor(bigLedger().db.path());
    for (auto _ : state) {
        ledger::Connection c;
        c.open(connection);
    }
}
BENCHMARK(OpenLedger)->Unit(benchmark::kMillisecond);

void runPragma(sqlite3* db, const char* sql)
{
    sqlite3_stmt* stmt = nullptr;
    sqlite3_prepare_v2(db, sql, -1, &stmt, nullptr);
    while (sqlite3_step(stmt) == SQLITE_ROW) {}
    sqlite3_finalize(stmt);
}

// The check alone: as the open runs it (constraints left out), and SQLite's
// quick check with them, for comparison.
void IntegrityCheck(benchmark::State& state)
{
    sqlite3* db = bigLedger().db.handle();
    const bool withConstraints = state.range(0) != 0;
    sqlite3_exec(db, withConstraints ? "PRAGMA ignore_check_constraints = OFF" : "PRAGMA ignore_check_constraints = ON", nullptr,
                 nullptr, nullptr);
    for (auto _ : state)
        runPragma(db, "PRAGMA quick_check(1)");
    sqlite3_exec(db, "PRAGMA ignore_check_constraints = OFF", nullptr, nullptr, nullptr);
}
BENCHMARK(IntegrityCheck)->ArgName("constraints")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void ExportAllRecords(benchmark::State& state)
{
    auto& big = bigLedger();
    const std::string file = big.dir.file("全部收支.csv");
    for (auto _ : state)
        ledger::exportAllRecords(big.db, file);
    state.counters["bytes"] = static_cast<double>(std::filesystem::file_size(file));
    std::filesystem::remove(file);
}
BENCHMARK(ExportAllRecords)->Unit(benchmark::kMillisecond);

// The list the settings page shows: 30 backups, each opened for its record count.
void ListBackups(benchmark::State& state)
{
    auto& db = bigLedger().db;
    const std::string first = ledger::writeBackup(db, nextMoment());
    for (int i = 1; i < ledger::kBackupsKept; ++i)
        std::filesystem::copy_file(first, ledger::backupFolderFor(db.path()) + "/" + ledger::backupFileName(nextMoment()));
    for (auto _ : state)
        benchmark::DoNotOptimize(ledger::listBackups(db.path()));
    removeBackups();
}
BENCHMARK(ListBackups)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
