// The loans and transfers pages on a big ledger (200,000 records, 400 loans
// and 3,000 transfers over 20 years): each user action end to end,
// statements, pass and grid refresh, driven by clicks as a user does it.
// Run: build/bench/loans/loans_bench

#include "big_ledger.h"
#include "page_harness.h"

#include "mainwindow/loans/loans_page.h"
#include "mainwindow/transfers/transfers_page.h"
#include "widgets/data_grid.h"
#include "widgets/date_picker.h"

#include <QApplication>
#include <benchmark/benchmark.h>

namespace {

struct Fixture {
    Fixture()
    {
        loans.enter("S");
        transfers.enter();
    }
    benchsupport::BigLedger ledger{200000, 20};
    testsupport::PageHarness<mainwindow::LoansPage> loans{&ledger.db};
    testsupport::PageHarness<mainwindow::TransfersPage> transfers{&ledger.db};
};

std::unique_ptr<Fixture> g_fixture;

Fixture& fixture()
{
    if (!g_fixture)
        g_fixture = std::make_unique<Fixture>();
    return *g_fixture;
}

void OpeningTheLoansPage(benchmark::State& state)
{
    auto& page = fixture().loans;
    for (auto _ : state)
        page.enter("S"); // the account names and the borrowed loans
    state.counters["loans"] = page.rowCount("DBGridEh6");
}
BENCHMARK(OpeningTheLoansPage)->Unit(benchmark::kMillisecond);

void OpeningTheTransfersPage(benchmark::State& state)
{
    auto& page = fixture().transfers;
    for (auto _ : state)
        page.enter(); // the account names and today's transfers
}
BENCHMARK(OpeningTheTransfersPage)->Unit(benchmark::kMillisecond);

void SwitchingBorrowedAndLent(benchmark::State& state)
{
    auto& page = fixture().loans;
    page.enter("S");
    bool lent = false;
    for (auto _ : state) {
        lent = !lent;
        page.click(lent ? "RadioButton2" : "RadioButton1");
    }
    page.click("RadioButton1");
    if (page.context().b_zt != QStringLiteral("S"))
        state.SkipWithError("the page did not switch back to the borrowed loans");
}
BENCHMARK(SwitchingBorrowedAndLent)->Unit(benchmark::kMillisecond);

void TheUnsettledFilter(benchmark::State& state)
{
    auto& page = fixture().loans;
    page.enter("S");
    const int all = page.rowCount("DBGridEh6");
    int unsettled = 0;
    for (auto _ : state) {
        page.click("CheckBox1");
        if (page.rowCount("DBGridEh6") != all)
            unsettled = page.rowCount("DBGridEh6");
    }
    state.counters["all"] = all;
    state.counters["unsettled"] = unsettled;
    if (unsettled == 0 || unsettled >= all)
        state.SkipWithError("the filter did not narrow the list");
}
BENCHMARK(TheUnsettledFilter)->Unit(benchmark::kMillisecond);

void SavingOneLoanWithItsPass(benchmark::State& state)
{
    auto& page = fixture().loans;
    page.enter("S");
    int i = 0;
    for (auto _ : state) {
        state.PauseTiming();
        page.typeIntoCell("DBGridEh6", 1, QStringLiteral("已还金额"), QString::number(100 + i++ % 2));
        state.ResumeTiming();
        page.click("Button37"); // the change and the loan totals in one transaction
    }
    page.boxes.clear();
    if (page.grid("DBGridEh6")->query()->hasPendingChanges())
        state.SkipWithError("the loan was not saved");
}
BENCHMARK(SavingOneLoanWithItsPass)->Unit(benchmark::kMillisecond);

void ATransferQueryOverAYear(benchmark::State& state)
{
    auto& page = fixture().transfers;
    const QDate today = page.context().opened;
    page.find<widgets::DatePicker>("DateTimePicker3")->setDate(today.addYears(-1));
    page.find<widgets::DatePicker>("DateTimePicker4")->setDate(today);
    for (auto _ : state)
        page.click("Button41");
    state.counters["transfers"] = page.rowCount("DBGridEh7");
    if (page.rowCount("DBGridEh7") < 100)
        state.SkipWithError("a year should hold some 150 transfers");
}
BENCHMARK(ATransferQueryOverAYear)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    return benchsupport::runWithApplication(argc, argv, [] { g_fixture.reset(); });
}
