// The entry page on a big ledger (200,000 records over 20 years, 2,000
// items): each user action end to end, statement and grid refresh, driven
// by clicks as a user does it.
// Run: build/bench/entry/entry_bench

#include "big_ledger.h"
#include "page_harness.h"

#include "mainwindow/entry/entry_page.h"

#include <QApplication>
#include <QDate>
#include <QLineEdit>
#include <QPushButton>
#include <benchmark/benchmark.h>

namespace {

struct Fixture {
    Fixture() { page.enter("Z"); }
    benchsupport::BigLedger ledger{200000, 20, 2000 - 35}; // with the starting items, 2,000
    testsupport::PageHarness<mainwindow::EntryPage> page{&ledger.db};
};

std::unique_ptr<Fixture> g_fixture;

testsupport::PageHarness<mainwindow::EntryPage>& page()
{
    if (!g_fixture)
        g_fixture = std::make_unique<Fixture>();
    return g_fixture->page;
}

void press(const char* button)
{
    page().find<QPushButton>(button)->click();
    QApplication::processEvents();
}

void setDays(const QDate& date)
{
    page().find("DateTimePicker1")->setProperty("date", date);
    page().find("DateTimePicker2")->setProperty("date", date);
}

void ListingADay(benchmark::State& state)
{
    int day = 0;
    for (auto _ : state) {
        setDays(QDate::currentDate().addDays(-(day++ % 3000)));
        press("Button7");
    }
}
BENCHMARK(ListingADay)->Unit(benchmark::kMillisecond);

void ItemSearchKeystroke(benchmark::State& state)
{
    auto* item = page().find<QLineEdit>("Edit3");
    int i = 0;
    for (auto _ : state) {
        item->setText(i++ % 2 ? QStringLiteral("qtzc1") : QStringLiteral("qtzc12"));
        QApplication::processEvents();
    }
}
BENCHMARK(ItemSearchKeystroke)->Unit(benchmark::kMillisecond);

void BudgetPanel(benchmark::State& state)
{
    auto* item = page().find<QLineEdit>("Edit3");
    for (auto _ : state) {
        state.PauseTiming();
        item->setText(QStringLiteral("zc"));
        QApplication::processEvents();
        state.ResumeTiming();
        page().select("DBGridEh2", 0); // the figures, then the item
    }
}
BENCHMARK(BudgetPanel)->Unit(benchmark::kMillisecond);

void SaveANewRecord(benchmark::State& state)
{
    press("Button1");
    page().find<QLineEdit>("Edit3")->setText(QStringLiteral("zc"));
    page().select("DBGridEh2", 0);
    int day = 0;
    for (auto _ : state) {
        // A day of its own each time, so the relisted day stays a usual one.
        setDays(QDate::currentDate().addDays(-(day++ % 7000)));
        page().find<QLineEdit>("Edit1")->setText(QStringLiteral("12.5"));
        press("Button3"); // insert, totals, relisting
    }
    page().boxes.clear();
}
BENCHMARK(SaveANewRecord)->Unit(benchmark::kMillisecond);

void EnteringThePage(benchmark::State& state)
{
    for (auto _ : state)
        page().enter("Z"); // the chart, the day list, the payers and accounts
}
BENCHMARK(EnteringThePage)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    return benchsupport::runWithApplication(argc, argv, [] { g_fixture.reset(); });
}
