// A grid over 200,000 records: how long the model reset and painting a
// screenful take. Run: build/bench/widgets/grid_bench

#include "big_ledger.h"

#include "ledger/query.h"
#include "widgets/data_grid.h"

#include <QApplication>
#include <QScrollBar>
#include <benchmark/benchmark.h>

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

} // namespace

int main(int argc, char** argv)
{
    return benchsupport::runWithApplication(argc, argv);
}
