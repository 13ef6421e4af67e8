// The entry page on a big ledger (200,000 records over 20 years, 2,000
// items): each user action end to end, statement and grid refresh.
// Run: build/bench/entry/entry_bench

#include "scripted_message_boxes.h"
#include "big_ledger.h"

#include "mainwindow/entry/entry_page.h"

#include <QApplication>
#include <QDate>
#include <QLabel>
#include <QLineEdit>
#include <benchmark/benchmark.h>

namespace {

struct Fixture {
    Fixture()
    {
        page = std::make_unique<mainwindow::EntryPage>(state, nullptr);
        page->resize(768, 511);
        page->show();
        page->enter(QStringLiteral("Z"));
        QApplication::processEvents();
    }
    benchsupport::BigLedger ledger{200000, 20, 2000 - 35}; // with the starting items, 2,000
    ledger::Connection& db = ledger.db;
    ledger::Query adoQuery1{db, "ADOQuery1"}, adoQuery4{db, "ADOQuery4"}, adoQuery12{db, "ADOQuery12"};
    QLabel editid{QStringLiteral("0")};
    mainwindow::SharedState state{db, adoQuery1, adoQuery4, adoQuery12, QString(), &editid, nullptr};
    testsupport::ScriptedMessageBoxes boxes;
    std::unique_ptr<mainwindow::EntryPage> page;
};

std::unique_ptr<Fixture> g_fixture;

Fixture& fixture()
{
    if (!g_fixture)
        g_fixture = std::make_unique<Fixture>();
    return *g_fixture;
}

template <class T = QWidget>
T* child(const char* name)
{
    return fixture().page->findChild<T*>(QString::fromUtf8(name));
}

void ListingADay(benchmark::State& state)
{
    auto& page = *fixture().page;
    auto* picker = child<QWidget>("DateTimePicker1");
    int day = 0;
    for (auto _ : state) {
        picker->setProperty("date", QDate::currentDate().addDays(-(day++ % 3000)));
        page.Button7Click();
        QApplication::processEvents();
    }
}
BENCHMARK(ListingADay)->Unit(benchmark::kMillisecond);

void ItemSearchKeystroke(benchmark::State& state)
{
    auto* item = child<QLineEdit>("Edit3");
    int i = 0;
    for (auto _ : state) {
        item->setText(i++ % 2 ? QStringLiteral("qtzc1") : QStringLiteral("qtzc12"));
        QApplication::processEvents();
    }
}
BENCHMARK(ItemSearchKeystroke)->Unit(benchmark::kMillisecond);

void BudgetPanel(benchmark::State& state)
{
    auto& page = *fixture().page;
    child<QLineEdit>("Edit3")->setText(QStringLiteral("zc"));
    for (auto _ : state) {
        page.DBGridEh2CellClick(0);
        child<QLineEdit>("Edit3")->setText(QStringLiteral("zc"));
    }
}
BENCHMARK(BudgetPanel)->Unit(benchmark::kMillisecond);

void SaveANewRecord(benchmark::State& state)
{
    auto& page = *fixture().page;
    page.Button1Click();
    child<QLineEdit>("Edit3")->setText(QStringLiteral("zc"));
    page.DBGridEh2CellClick(0);
    int day = 0;
    for (auto _ : state) {
        // A day of its own each time, so the relisted day stays a usual one.
        const QDate date = QDate::currentDate().addDays(-(day++ % 7000));
        child<QWidget>("DateTimePicker1")->setProperty("date", date);
        child<QWidget>("DateTimePicker2")->setProperty("date", date);
        child<QLineEdit>("Edit1")->setText(QStringLiteral("12.5"));
        page.Button3Click(); // insert, totals, relisting
        QApplication::processEvents();
    }
    fixture().boxes.clear();
}
BENCHMARK(SaveANewRecord)->Unit(benchmark::kMillisecond);

void Chart(benchmark::State& state)
{
    auto& page = *fixture().page;
    for (auto _ : state) {
        page.loadChart();
        QApplication::processEvents();
    }
}
BENCHMARK(Chart)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    return benchsupport::runWithApplication(argc, argv, [] { g_fixture.reset(); });
}
