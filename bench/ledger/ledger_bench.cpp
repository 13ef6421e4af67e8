// The engine on a big household ledger: 200,000 records over 20 years.
// Run: build/bench/ledger/ledger_bench

#include "big_ledger.h"

#include "ledger/account_totals.h"
#include "ledger/connection.h"
#include "ledger/query.h"

#include <benchmark/benchmark.h>

namespace {

const std::string kDayList = "select id as 编号,s_date as 时间 ,f_name as 项目,sys_name as 收付款人,s_jine as 金额,z_name as "
                             "账户,s_other as 备注 from s_z_all where f_class='Z' and s_date=#";

// One sample ledger for the whole run.
ledger::Connection& bigLedger()
{
    static benchsupport::BigLedger ledger;
    return ledger.db;
}

std::string dayText(int daysBack)
{
    return ledger::formatShortDate(ledger::DateTime::today().addDays(-daysBack));
}

void TranslateUncached(benchmark::State& state)
{
    auto& db = bigLedger();
    const std::string statement = kDayList + "2024/3/5#";
    for (auto _ : state)
        benchmark::DoNotOptimize(ledger::jet::translate(statement, db.catalog()));
}
BENCHMARK(TranslateUncached);

void TranslateCached(benchmark::State& state)
{
    auto& db = bigLedger();
    const std::string statement = kDayList + "2024/3/5#";
    db.translate(statement);
    for (auto _ : state)
        benchmark::DoNotOptimize(db.translate(statement));
}
BENCHMARK(TranslateCached);

// A truth summed at every level: ((…(:e < 1) + 1 …) < 1) + 1. Each level
// writes its operand once, so the time grows with the depth, not doubles.
void TranslateNested(benchmark::State& state)
{
    auto& db = bigLedger();
    std::string e = ":e";
    for (int64_t i = 0; i < state.range(0); ++i)
        e = "((" + e + " < 1) + 1)";
    const std::string statement = "select " + e + " as x from s_user";
    for (auto _ : state)
        benchmark::DoNotOptimize(ledger::jet::translate(statement, db.catalog()));
}
BENCHMARK(TranslateNested)->Arg(4)->Arg(8)->Arg(12)->Arg(16);

void DayListing(benchmark::State& state)
{
    auto& db = bigLedger();
    int day = 0;
    for (auto _ : state) {
        auto rows = db.select(kDayList + dayText(day++ % 3000) + "#");
        benchmark::DoNotOptimize(rows);
    }
}
BENCHMARK(DayListing)->Unit(benchmark::kMicrosecond);

void MonthSum(benchmark::State& state)
{
    auto& db = bigLedger();
    int month = 0;
    for (auto _ : state) {
        const int y = 2010 + month / 12 % 15, m = month % 12 + 1;
        ++month;
        const std::string first = std::to_string(y) + "-" + (m < 10 ? "0" : "") + std::to_string(m) + "-01";
        const std::string last = std::to_string(y) + "-" + (m < 10 ? "0" : "") + std::to_string(m) + "-28";
        auto rows =
            db.select("Select sum(s_jine) as a from s_shouru where  s_date between #" + first + "#    and  #" + last + "#");
        benchmark::DoNotOptimize(rows);
    }
}
BENCHMARK(MonthSum)->Unit(benchmark::kMicrosecond);

void OpenAllRecords(benchmark::State& state)
{
    auto& db = bigLedger();
    ledger::Query q(db, "ADOQuery");
    q.setText("select * from s_shouru");
    for (auto _ : state) {
        q.open();
        benchmark::DoNotOptimize(q.rowCount());
        q.close();
    }
}
BENCHMARK(OpenAllRecords)->Unit(benchmark::kMillisecond);

void SaveThousandAppendedRows(benchmark::State& state)
{
    auto& db = bigLedger();
    ledger::Query q(db, "ADOQuery13");
    q.setText("select id,zh1,zh2,zdate as 转账时间,zXmoney as 转账金额,other as 备注 from s_zhanghistory where zdate between :t1 "
              "and :t2");
    q.setParam("t1", "1900-01-01");
    q.setParam("t2", "1900-01-02");
    q.setBatchMode(true);
    for (auto _ : state) {
        state.PauseTiming();
        q.open();
        for (int i = 0; i < 1000; ++i) {
            q.append();
            q.setValue("zh1", 1);
            q.setValue("zh2", 2);
            q.setValue("转账时间", "1900-01-01");
            q.setValue("转账金额", "12.34");
            q.setValue("备注", "批量");
        }
        state.ResumeTiming();
        db.beginTransaction();
        q.updateBatch();
        db.commit();
        state.PauseTiming();
        db.execute("delete from s_zhanghistory where zdate=#1900-01-01#");
        state.ResumeTiming();
    }
}
BENCHMARK(SaveThousandAppendedRows)->Unit(benchmark::kMillisecond);

void LoanAndTransferPasses(benchmark::State& state)
{
    auto& db = bigLedger();
    for (auto _ : state) {
        ledger::RefreshLoanTotals(db);
        ledger::RefreshTransferTotals(db);
    }
}
BENCHMARK(LoanAndTransferPasses)->Unit(benchmark::kMillisecond);

void RecordTotalsPass(benchmark::State& state)
{
    auto& db = bigLedger();
    for (auto _ : state)
        ledger::RefreshRecordTotals(db);
}
BENCHMARK(RecordTotalsPass)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
