// Translation is linear: nested expressions of every depth up to the
// engine's limit, the widest statements under the size limit. Each operand
// is written once, so the text and the time grow with the statement, and
// whatever SQLite could not read for its nesting is refused beforehand.

#include "ledger_catalog.h"

#include "ledger_fixture.h"

#include "ledger/error.h"
#include "ledger/jet/ast.h"
#include "ledger/jet/token.h"
#include "ledger/jet/translation.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <functional>
#include <new>

// Bytes held, to know the most a translation holds at once.
namespace {
size_t gHeld = 0, gPeak = 0;
} // namespace

void* operator new(size_t size)
{
    auto* p = static_cast<size_t*>(std::malloc(size + sizeof(std::max_align_t)));
    if (!p)
        throw std::bad_alloc();
    *p = size;
    gHeld += size;
    gPeak = std::max(gPeak, gHeld);
    return reinterpret_cast<char*>(p) + sizeof(std::max_align_t);
}
void operator delete(void* p) noexcept
{
    if (!p)
        return;
    auto* base = reinterpret_cast<size_t*>(static_cast<char*>(p) - sizeof(std::max_align_t));
    gHeld -= *base;
    std::free(base);
}
void* operator new[](size_t size)
{
    return operator new(size);
}
void operator delete[](void* p) noexcept
{
    operator delete(p);
}
void operator delete(void* p, size_t) noexcept
{
    operator delete(p);
}
void operator delete[](void* p, size_t) noexcept
{
    operator delete(p);
}

namespace {

struct Pattern {
    const char* name;
    std::function<std::string(int depth)> statement;
};

// Nested comparisons and additions of a parameter, a number and a text: each
// comparison's truth is a value of the next level.
std::string mixed(int depth)
{
    std::string e = ":e";
    for (int i = 1; i <= depth; ++i)
        e = "(" + e + (i % 3 == 1 ? " < '5'" : i % 3 == 2 ? " <> :e" : " + 1") + ")";
    return "select " + e + " as x from s_user";
}

std::string nested(int depth, const std::string& open, const std::string& leaf, const std::string& close,
                   const std::string& tail = " from s_shouru")
{
    std::string e = leaf;
    for (int i = 1; i < depth; ++i)
        e = open + e + close;
    return "select " + e + " as x" + tail;
}

const Pattern kPatterns[] = {
    {"mixed", mixed},
    {"truth sums", [](int d) { return nested(d, "((", ":e", " < 1) + 1)", " from s_user"); }},
    {"plus", [](int d) { return nested(d, "1 + (", "s_jine", ")"); }},
    {"money text", [](int d) { return nested(d, "cstr(ccur(", "s_jine", ") + 1)"); }},
    {"concat", [](int d) { return nested(d, "(s_other & ", "f_class", ") & 'x'"); }},
    {"iif", [](int d) { return nested(d, "iif(s_jine > (", "s_jine", "), 1, 2)"); }},
    {"right", [](int d) { return nested(d, "right(s_other, len(", "s_other", "))"); }},
    {"between", [](int d) { return nested(d, "(s_date between s_date and s_date + (", "1", "))"); }},
    {"sub-select", [](int d) { return nested(d, "(select max(j_chuMoney) + ", "1", " from s_jie)"); }},
};

struct Outcome {
    bool translated = false;
    size_t sqlBytes = 0;
    double micros = 0;
    size_t peakBytes = 0;
    std::string error;
};

// The processor time this thread spends, not the machine's other work.
double threadMicros()
{
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return t.tv_sec * 1e6 + t.tv_nsec / 1e3;
}

// The best of some runs.
Outcome translate(const std::string& statement, int runs = 5)
{
    Outcome out;
    for (int run = 0; run < runs; ++run) {
        const size_t held = gHeld;
        gPeak = held;
        const double start = threadMicros();
        try {
            out.sqlBytes = ledger::jet::translate(statement, testsupport::ledgerCatalog()).sql.size();
            out.translated = true;
        } catch (const ledger::Error& e) {
            out.error = e.what();
            EXPECT_EQ(e.kind(), ledger::Error::Kind::Syntax) << e.what();
        }
        const double micros = threadMicros() - start;
        out.micros = run ? std::min(out.micros, micros) : micros;
        out.peakBytes = gPeak - held;
    }
    return out;
}

TEST(Growth, NestedExpressionsGrowLinearlyToTheDepthLimit)
{
    for (const Pattern& p : kPatterns) {
        std::printf("%-10s depth  bytes   sql bytes   µs\n", p.name);
        size_t previous = 0;
        for (int depth = 1; depth <= ledger::jet::kMaxTreeDepth; ++depth) {
            const std::string statement = p.statement(depth);
            const Outcome o = translate(statement);
            if (o.translated)
                std::printf("%-10s %5d %6zu %11zu %6.0f\n", "", depth, statement.size(), o.sqlBytes, o.micros);
            else
                std::printf("%-10s %5d %6zu     refused %6.0f\n", "", depth, statement.size(), o.micros);
            EXPECT_LT(o.micros, 10000) << p.name << " at depth " << depth;
            EXPECT_LT(o.peakBytes, 10u << 20) << p.name << " at depth " << depth;
            if (!o.translated) {
                EXPECT_NE(o.error.find("嵌套太深"), std::string::npos) << o.error;
                continue;
            }
            // Each level adds its own few words, never a copy of what it holds.
            EXPECT_LT(o.sqlBytes, 40 * statement.size() + 400) << p.name << " at depth " << depth;
            if (previous) {
                EXPECT_LT(o.sqlBytes - previous, 400u) << p.name << " at depth " << depth;
            }
            previous = o.sqlBytes;
        }
    }
}

// Statements as wide as the size limit allows: translated in under 10 ms
// and 10 MB, or refused before anything is done.
TEST(Growth, WideStatementsUnderTheSizeLimit)
{
    const size_t limit = ledger::jet::kMaxStatementBytes;
    auto fill = [&](std::string head, const std::string& repeated, const std::string& tail) {
        while (head.size() + repeated.size() + tail.size() < limit)
            head += repeated;
        return head + tail;
    };
    const std::string cases[] = {
        fill("select id from s_shouru where id in (0", ", 12345", ")"),
        fill("select id from s_shouru where s_other in ('x'", ", :p", ")"),
        fill("select id from s_shouru where f_class like '", "[%]", "'"),
        fill("select 'x", "汉字", "' as t"),
        fill("select s_jine", "+1", " from s_shouru"),
        fill("select 1", ", 1", ""),
        fill("select id from s_shouru order by 1", ", 1", ""),
        fill("select count(*) from s_shouru where ((((", "((((", "1))))"),
    };
    for (const std::string& statement : cases) {
        ASSERT_LE(statement.size(), limit);
        // About 5 ms on a quiet machine for the longest lists; the bound
        // leaves room for a machine busy with other work.
        const Outcome o = translate(statement, 10);
        EXPECT_LT(o.micros, 20000) << statement.substr(0, 60);
        EXPECT_LT(o.peakBytes, 10u << 20) << statement.substr(0, 60);
    }
}

// What the engine writes, SQLite reads: at every depth of every pattern the
// text is accepted, or the engine refused it itself.
TEST(Growth, SqliteReadsEveryTextTheEngineWrites)
{
    testsupport::LedgerFixture f;
    for (const Pattern& p : kPatterns)
        for (int depth = 1; depth <= ledger::jet::kMaxTreeDepth; ++depth) {
            std::string sql;
            try {
                sql = f.db().translate(p.statement(depth))->sql;
            } catch (const ledger::Error&) {
                continue;
            }
            EXPECT_NO_THROW(f.db().executeNative("EXPLAIN " + sql)) << p.name << " at depth " << depth;
        }
}

} // namespace
