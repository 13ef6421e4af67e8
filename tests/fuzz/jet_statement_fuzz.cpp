// libFuzzer target: any text handed to the dialect engine is either a clear
// error or a statement SQLite accepts and runs; never a crash, never SQL
// the engine wrote wrongly, never a translation that takes long.
//   CC=clang CXX=clang++ cmake -S . -B build-fuzz -DJZB_FUZZ=ON
//   cmake --build build-fuzz --target jet_statement_fuzz
//   build-fuzz/tests/fuzz/jet_statement_fuzz -fork=1 -timeout=10 -max_len=1024 tests/fuzz/corpus
// A statement SQLite takes long to run (a join of many big tables) is no
// fault of the engine; fork mode goes on past such timeouts.

#include "ledger/connection.h"
#include "ledger/error.h"
#include "ledger/schema.h"

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

ledger::Connection& ledgerInMemory()
{
    static ledger::Connection* c = [] {
        auto* connection = new ledger::Connection;
        connection->create(":memory:", "fuzz");
        ledger::createSchema(*connection);
        ledger::insertStartingRows(*connection);
        return connection;
    }();
    return *c;
}

[[noreturn]] void fault(const char* what, const std::string& detail)
{
    std::fprintf(stderr, "%s: %s\n", what, detail.c_str());
    std::abort();
}

// SQLite reads and plans the text without running it: any refusal is the
// engine's fault, whatever the values would have been.
void checkSqliteAccepts(ledger::Connection& c, const std::string& sql)
{
    try {
        c.executeNative("EXPLAIN " + sql);
    } catch (const ledger::Error& e) {
        fault("SQLite refused the emitted text", std::string(e.what()) + "\n" + sql);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    ledger::Connection& c = ledgerInMemory();
    const std::string statement(reinterpret_cast<const char*>(data), size);
    std::shared_ptr<const ledger::jet::Translation> t;
    const auto start = std::chrono::steady_clock::now();
    try {
        t = c.translate(statement);
    } catch (const ledger::Error&) {
    }
    if (std::chrono::steady_clock::now() - start > std::chrono::seconds(1))
        fault("translation took over a second", statement);
    if (!t)
        return 0;
    checkSqliteAccepts(c, t->sql);
    // Every input meets the same ledger: what it changes is rolled back.
    c.beginTransaction();
    try {
        ledger::Params params;
        for (const auto& slot : t->params)
            params.push_back({slot.name, ledger::Value("1")});
        if (t->kind == ledger::jet::Translation::Kind::Select)
            c.select(statement, params);
        else
            c.execute(statement, params);
    } catch (const ledger::Error&) {
        // values that do not fit, constraints, division by zero: clear errors
    }
    c.rollback();
    return 0;
}
