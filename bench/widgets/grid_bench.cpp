// A grid over 200,000 records: how long the model reset, painting a
// screenful and exporting every row to CSV take.
// Run: build/bench/widgets/grid_bench

#include "big_ledger.h"

#include "ledger/query.h"
#include "widgets/data_grid.h"
#include "widgets/grid_export.h"

#include <QApplication>
#include <QScrollBar>
#include <benchmark/benchmark.h>

#include <filesystem>

namespace {

struct Fixture {
    Fixture()
    {
        records.setText("select * from s_shouru");
        records.open();
    }
    benchsupport::BigLedger ledger;
    ledger::Query records{ledger.db, "ADOQuery"};
};

Fixture& fixture()
{
    static Fixture f;
    return f;
}

void ModelReset(benchmark::State& state)
{
    auto& f = fixture();
    widgets::DataGrid grid;
    grid.resize(766, 440);
    grid.show();
    for (auto _ : state) {
        grid.setQuery(f.records);
        QApplication::processEvents();
    }
}
BENCHMARK(ModelReset)->Unit(benchmark::kMillisecond);

void PaintScreenful(benchmark::State& state)
{
    auto& f = fixture();
    widgets::DataGrid grid;
    grid.resize(766, 440);
    grid.setQuery(f.records);
    grid.column("s_jine").format = widgets::DisplayFormat::Yuan;
    grid.show();
    QApplication::processEvents();
    QScrollBar* bar = grid.view()->verticalScrollBar();
    int position = 0;
    for (auto _ : state) {
        position = (position + 9973) % bar->maximum();
        bar->setValue(position);
        grid.view()->viewport()->repaint();
    }
}
BENCHMARK(PaintScreenful)->Unit(benchmark::kMillisecond);

// Every record as a day list shows it: the item, payer and account looked
// up from their keys, money as "￥#.00", the keys hidden; written to a file.
void ExportCsv(benchmark::State& state)
{
    auto& f = fixture();
    ledger::Query items(f.ledger.db), users(f.ledger.db), accounts(f.ledger.db);
    items.setText("select id,f_name from s_fenlei");
    users.setText("select id,sys_name from s_user");
    accounts.setText("select id,z_name from z_zhanghu");
    for (ledger::Query* list : {&items, &users, &accounts})
        list->open();
    widgets::DataGrid grid;
    grid.setQuery(f.records);
    grid.setColumns({{.field = "id", .hidden = true},
                     {.field = "s_date", .title = "日期"},
                     {.field = "f_class", .hidden = true},
                     {.field = "f_fenleiid", .hidden = true},
                     {.field = "项目", .lookup = widgets::Lookup{&items, "f_fenleiid", "id", "f_name"}},
                     {.field = "s_jine", .title = "金额", .format = widgets::DisplayFormat::Yuan},
                     {.field = "s_userid", .hidden = true},
                     {.field = "收付款人", .lookup = widgets::Lookup{&users, "s_userid", "id", "sys_name"}},
                     {.field = "s_zhanghuid", .hidden = true},
                     {.field = "账户", .lookup = widgets::Lookup{&accounts, "s_zhanghuid", "id", "z_name"}},
                     {.field = "s_other", .title = "备注"}});
    const QString file = QString::fromStdString(f.ledger.dir.file("records.csv"));
    int64_t calls = 0;
    for (auto _ : state) {
        widgets::writeGridCsv(grid, file, [&](int64_t, int64_t) {
            ++calls;
            return true;
        });
    }
    state.counters["rows"] = grid.model()->rowCount();
    state.counters["MB"] = double(std::filesystem::file_size(file.toStdString())) / 1e6;
    benchmark::DoNotOptimize(calls);
}
BENCHMARK(ExportCsv)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    return benchsupport::runWithApplication(argc, argv);
}
