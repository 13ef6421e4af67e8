// The accounts and categories pages on a big ledger (200,000 records over
// 20 years, 2,000 items): each user action end to end, statements, pass
// and grid refresh, driven by clicks as a user does it; and the quick code
// of a long name.
// Run: build/bench/accounts/accounts_bench

#include "big_ledger.h"
#include "page_harness.h"

#include "mainwindow/accounts/accounts_page.h"
#include "mainwindow/categories/categories_page.h"
#include "pages/quick_code.h"
#include "widgets/data_grid.h"

#include <QApplication>
#include <benchmark/benchmark.h>

namespace {

constexpr int kHundredItems = 9; // the left rows after the nine starting categories:
constexpr int kNoItems = 10; // one category with 100 items, one with none

struct Fixture {
    Fixture()
    {
        ledger::Connection& db = ledger.db;
        db.execute("insert into s_fenlei (f_id, f_class, f_name) values (0, 'Z', '百项类别')");
        const std::string hundred = std::to_string(db.lastInsertId());
        for (int i = 1; i <= 100; ++i)
            db.execute("insert into s_fenlei (f_id, f_class, f_name, f_pinyin) values (" + hundred + ", 'Z', '物品" +
                       std::to_string(i) + "', 'wp" + std::to_string(i) + "')");
        db.execute("insert into s_fenlei (f_id, f_class, f_name) values (0, 'Z', '空类别')");
        empty = db.lastInsertId();
        accounts.enter();
        categories.enter("Z");
    }
    benchsupport::BigLedger ledger{200000, 20, 2000 - 35}; // with the starting items, 2,000
    int64_t empty = 0;
    testsupport::PageHarness<mainwindow::AccountsPage> accounts{&ledger.db};
    testsupport::PageHarness<mainwindow::CategoriesPage> categories{&ledger.db};
};

std::unique_ptr<Fixture> g_fixture;

Fixture& fixture()
{
    if (!g_fixture)
        g_fixture = std::make_unique<Fixture>();
    return *g_fixture;
}

void OpeningTheAccountsPage(benchmark::State& state)
{
    auto& page = fixture().accounts;
    for (auto _ : state)
        page.enter();
}
BENCHMARK(OpeningTheAccountsPage)->Unit(benchmark::kMillisecond);

void OpeningTheCategoriesPage(benchmark::State& state)
{
    auto& page = fixture().categories;
    for (auto _ : state)
        page.enter("Z"); // both lists, and the first item's quick code
}
BENCHMARK(OpeningTheCategoriesPage)->Unit(benchmark::kMillisecond);

void ClickOnACategoryWith100Items(benchmark::State& state)
{
    auto& page = fixture().categories;
    for (auto _ : state) {
        state.PauseTiming();
        page.select("DBGridEh4", kNoItems);
        state.ResumeTiming();
        page.select("DBGridEh4", kHundredItems);
    }
    if (page.rowCount("DBGridEh5") != 100)
        state.SkipWithError("the category does not show its 100 items");
}
BENCHMARK(ClickOnACategoryWith100Items)->Unit(benchmark::kMillisecond);

void SavingOneEditedAccount(benchmark::State& state)
{
    auto& page = fixture().accounts;
    int i = 0;
    for (auto _ : state) {
        state.PauseTiming();
        page.typeIntoCell("DBGridEh3", 1, QStringLiteral("起始金额"), QString::number(50000 + i++ % 2));
        state.ResumeTiming();
        page.click("Button9"); // the changes, the balances, the grid read again
    }
    page.boxes.clear();
}
BENCHMARK(SavingOneEditedAccount)->Unit(benchmark::kMillisecond);

void Saving20NewItems(benchmark::State& state)
{
    Fixture& f = fixture();
    auto& page = f.categories;
    for (auto _ : state) {
        state.PauseTiming();
        f.ledger.db.execute("delete from s_fenlei where f_id=" + std::to_string(f.empty));
        page.select("DBGridEh4", kHundredItems);
        page.select("DBGridEh4", kNoItems);
        for (int row = 0; row < 20; ++row) {
            page.click("Button32");
            page.typeIntoCell("DBGridEh5", row, QStringLiteral("项目名称"), QStringLiteral("新增项目%1").arg(row));
        }
        state.ResumeTiming();
        page.click("Button34");
    }
    page.boxes.clear();
    if (f.ledger.db.select("select count(*) from s_fenlei where f_pinyin like 'xzxm%'").rows[0][0].toText() != "20")
        state.SkipWithError("the 20 items were not saved with their codes");
}
BENCHMARK(Saving20NewItems)->Unit(benchmark::kMillisecond)->Iterations(40);

void QuickCodeOf20Characters(benchmark::State& state)
{
    const std::string name = "家庭日常开支餐饮交通通讯水电燃气物业管理";
    for (auto _ : state)
        benchmark::DoNotOptimize(pages::quickCode(name));
    state.counters["letters"] = static_cast<double>(pages::quickCode(name).size());
}
BENCHMARK(QuickCodeOf20Characters)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv)
{
    return benchsupport::runWithApplication(argc, argv, [] { g_fixture.reset(); });
}
