// libFuzzer target: any text handed to the dialect engine is either a clear
// error or a statement SQLite accepts and runs; never a crash, never SQL
// the engine wrote wrongly.
//   CC=clang CXX=clang++ cmake -S . -B build-fuzz -DJZB_FUZZ=ON
//   cmake --build build-fuzz --target jet_statement_fuzz
//   build-fuzz/tests/fuzz/jet_statement_fuzz -max_len=512 tests/fuzz/corpus

#include "ledger/connection.h"
#include "ledger/error.h"
#include "ledger/schema.h"

#include <cstdint>
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

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    ledger::Connection& c = ledgerInMemory();
    const std::string statement(reinterpret_cast<const char*>(data), size);
    try {
        const auto t = c.translate(statement);
        ledger::Params params;
        for (const auto& slot : t->params)
            params.push_back({slot.name, ledger::Value("1")});
        if (t->kind == ledger::jet::Translation::Kind::Select)
            c.select(statement, params);
        else
            c.execute(statement, params);
    } catch (const ledger::Error& e) {
        // SQLite refusing what the engine wrote is the engine's fault.
        const std::string message = e.what();
        if (e.kind() == ledger::Error::Kind::Database &&
            (message.find("syntax error") != std::string::npos || message.find("no such") != std::string::npos ||
             message.find("ambiguous") != std::string::npos))
            std::abort();
    }
    if (c.inTransaction())
        c.rollback();
    return 0;
}
