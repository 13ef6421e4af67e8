// The loans and transfers pages on a big ledger (200,000 records, 400 loans
// and 3,000 transfers over 20 years): each user action end to end,
// statements, pass and grid refresh, driven by clicks as a user does it.
// Each figure stops when the page has answered; the window paints after it
// (ThePaintOfAnAnsweredPage). A save waits for the disk at its commit:
// TMPDIR=/dev/shm shows what is left of it.
// Run: build/bench/loans/loans_bench

#include "big_ledger.h"
#include "page_harness.h"

#include "mainwindow/loans/loans_page.h"
#include "mainwindow/transfers/transfers_page.h"
#include "pages/loans_statements.h"
#include "pages/transfers_statements.h"
#include "widgets/data_grid.h"
#include "widgets/date_picker.h"

#include <QAbstractButton>
#include <QAbstractItemModelTester>
#include <QApplication>
#include <benchmark/benchmark.h>

namespace {

struct Fixture {
    Fixture()
    {
        // The model checks of the tests walk every cell on each change: not what a user waits for.
        for (QWidget* window : {loans.window(), transfers.window()})
            for (auto* tester : window->findChildren<QAbstractItemModelTester*>())
                delete tester;
        loans.enter("S");
        transfers.enter();
    }
    benchsupport::BigLedger ledger{200000, 20};
    testsupport::PageHarness<mainwindow::LoansPage> loans{&ledger.db};
    testsupport::PageHarness<mainwindow::TransfersPage> transfers{&ledger.db};
};

std::unique_ptr<Fixture> g_fixture;

// A button pressed as a click does it, timed up to the page's answer:
// statements, pass and the grid's refresh. The window paints afterwards,
// outside the figure (ThePaintOfAnAnsweredPage has what that costs).
template <class H>
void press(H& page, const char* name)
{
    page.template find<QAbstractButton>(name)->click();
}

// Lets the window paint what the last action changed, outside the timing.
void paintUntimed(benchmark::State& state)
{
    state.PauseTiming();
    QApplication::processEvents();
    state.ResumeTiming();
}

Fixture& fixture()
{
    if (!g_fixture)
        g_fixture = std::make_unique<Fixture>();
    return *g_fixture;
}

void OpeningTheLoansPage(benchmark::State& state)
{
    auto& page = fixture().loans;
    for (auto _ : state) {
        page.page().enter(); // the account names and the borrowed loans
        paintUntimed(state);
    }
    state.counters["loans"] = page.rowCount("DBGridEh6");
}
BENCHMARK(OpeningTheLoansPage)->Unit(benchmark::kMillisecond);

void OpeningTheTransfersPage(benchmark::State& state)
{
    auto& page = fixture().transfers;
    for (auto _ : state) {
        page.page().enter(); // the account names and today's transfers
        paintUntimed(state);
    }
}
BENCHMARK(OpeningTheTransfersPage)->Unit(benchmark::kMillisecond);

void SwitchingBorrowedAndLent(benchmark::State& state)
{
    auto& page = fixture().loans;
    page.enter("S");
    bool lent = false;
    for (auto _ : state) {
        lent = !lent;
        press(page, lent ? "RadioButton2" : "RadioButton1");
        paintUntimed(state);
    }
    page.click("RadioButton1");
    if (page.context().b_zt != QStringLiteral("S"))
        state.SkipWithError("the page did not switch back to the borrowed loans");
}
BENCHMARK(SwitchingBorrowedAndLent)->Unit(benchmark::kMillisecond);

void TheUnsettledFilter(benchmark::State& state)
{
    auto& page = fixture().loans;
    if (page.find<QAbstractButton>("CheckBox1")->isChecked())
        press(page, "CheckBox1"); // as a run before left it
    page.enter("S");
    const int all = page.rowCount("DBGridEh6");
    int unsettled = 0;
    for (auto _ : state) {
        press(page, "CheckBox1");
        paintUntimed(state);
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
        press(page, "Button37"); // the change and the loan totals in one transaction
        paintUntimed(state);
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
    for (auto _ : state) {
        press(page, "Button41");
        paintUntimed(state);
    }
    state.counters["transfers"] = page.rowCount("DBGridEh7");
    if (page.rowCount("DBGridEh7") < 100)
        state.SkipWithError("a year should hold some 150 transfers");
}
BENCHMARK(ATransferQueryOverAYear)->Unit(benchmark::kMillisecond);

// What the window's paint adds after a transfer query over a year: the
// query clicked and painted, as the user sees it.
void ThePaintOfAnAnsweredPage(benchmark::State& state)
{
    auto& page = fixture().transfers;
    const QDate today = page.context().opened;
    page.find<widgets::DatePicker>("DateTimePicker3")->setDate(today.addYears(-1));
    page.find<widgets::DatePicker>("DateTimePicker4")->setDate(today);
    for (auto _ : state)
        page.click("Button41");
}
BENCHMARK(ThePaintOfAnAnsweredPage)->Unit(benchmark::kMillisecond);

// The statements alone, without a grid: what the page adds is the rest.
void TheStatementsAlone(benchmark::State& state)
{
    Fixture& f = fixture();
    ledger::Query loans(f.ledger.db), transfers(f.ledger.db);
    loans.setText(pages::kLoansList);
    transfers.setText(pages::kTransfersList);
    const ledger::DateTime today = ledger::DateTime::today();
    for (auto _ : state) {
        if (state.range(0) == 0)
            loans.reopenWith(pages::loansOf(pages::ClassCode::Income));
        else
            transfers.reopenWith(pages::transfersBetween(today.addDays(-365), today));
    }
    state.counters["rows"] = state.range(0) == 0 ? loans.rowCount() : transfers.rowCount();
}
BENCHMARK(TheStatementsAlone)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    return benchsupport::runWithApplication(argc, argv, [] { g_fixture.reset(); });
}
