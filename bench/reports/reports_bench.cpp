// The budget page and the reports on a big ledger (200,000 records over 20
// years): each 刷新 end to end, statement and grid refresh (footers and the
// first day's records included), pressed as a user does it.
// Run: build/bench/reports/reports_bench

#include "big_ledger.h"
#include "page_harness.h"

#include "mainwindow/budgets/budgets_page.h"
#include "mainwindow/reports/category_report_page.h"
#include "mainwindow/reports/flow_report_page.h"
#include "mainwindow/reports/person_report_page.h"
#include "widgets/date_picker.h"
#include "widgets/spin_edit.h"

#include <QApplication>
#include <QPushButton>
#include <benchmark/benchmark.h>

namespace {

template <class P>
struct Page {
    explicit Page(ledger::Connection& db) : harness(&db) { harness.enter(); }
    testsupport::PageHarness<P> harness;
};

struct Fixture {
    benchsupport::BigLedger ledger{200000, 20};
    Page<mainwindow::BudgetsPage> budgets{ledger.db};
    Page<mainwindow::FlowReportPage> flow{ledger.db};
    Page<mainwindow::CategoryReportPage> categories{ledger.db};
    Page<mainwindow::PersonReportPage> persons{ledger.db};
};

std::unique_ptr<Fixture> g_fixture;

Fixture& fixture()
{
    if (!g_fixture)
        g_fixture = std::make_unique<Fixture>();
    return *g_fixture;
}

template <class P>
void press(testsupport::PageHarness<P>& page, const char* button)
{
    page.template find<QPushButton>(button)->click();
    QApplication::processEvents();
}

// The period from `days` days ago to today.
template <class P>
void setPeriod(testsupport::PageHarness<P>& page, const char* first, const char* last, int days)
{
    page.template find<widgets::DatePicker>(first)->setDate(QDate::currentDate().addDays(-days));
    page.template find<widgets::DatePicker>(last)->setDate(QDate::currentDate());
}

void BudgetComparisonOfAMonth(benchmark::State& state)
{
    auto& page = fixture().budgets.harness;
    int month = 0;
    for (auto _ : state) {
        const QDate asked = QDate::currentDate().addMonths(-(month++ % 24));
        page.find<widgets::SpinEdit>("SpinEdit2")->setText(QString::number(asked.year()));
        page.find<widgets::SpinEdit>("SpinEdit1")->setText(QString::number(asked.month()));
        press(page, "Button42");
    }
    state.counters["rows"] = page.rowCount("DBGridEh8");
}
BENCHMARK(BudgetComparisonOfAMonth)->Unit(benchmark::kMillisecond);

void FlowReportOfAYear(benchmark::State& state)
{
    auto& page = fixture().flow.harness;
    setPeriod(page, "DateTimePicker5", "DateTimePicker6", 365);
    for (auto _ : state)
        press(page, "Button43"); // the days, their footer, the first day's records
    state.counters["days"] = page.rowCount("DBGridEh10");
}
BENCHMARK(FlowReportOfAYear)->Unit(benchmark::kMillisecond);

void CategoryReport(benchmark::State& state)
{
    auto& page = fixture().categories.harness;
    setPeriod(page, "DateTimePicker8", "DateTimePicker7", static_cast<int>(state.range(0)) * 365);
    for (auto _ : state)
        press(page, "Button44"); // both lists, their footers, the difference
    state.counters["items"] = page.rowCount("DBGridEh13");
}
BENCHMARK(CategoryReport)->ArgName("years")->Arg(1)->Arg(20)->Unit(benchmark::kMillisecond);

void PersonReportOfFiveYears(benchmark::State& state)
{
    auto& page = fixture().persons.harness;
    setPeriod(page, "DateTimePicker10", "DateTimePicker9", 5 * 365);
    for (auto _ : state)
        press(page, "Button45");
    state.counters["rows"] = page.rowCount("DBGridEh15");
}
BENCHMARK(PersonReportOfFiveYears)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    return benchsupport::runWithApplication(argc, argv, [] { g_fixture.reset(); });
}
