// A month refill with a full repaint of the calendar at the main window's
// size, as a click on a day or a spin button causes it.

#include <benchmark/benchmark.h>

#include <QApplication>

#include "chn_calendar_picker.h"
#include "day_grid.h"
#include "font_substitutions.h"

namespace {

using calendar::DateTime;
using calendar::TChnCalendar;

void RefillMonthAndRepaint(benchmark::State& state) {
  TChnCalendar widget;
  widget.applyFormValues();
  widget.show();
  int month = 0;
  for (auto _ : state) {
    // A different month each time, so that nothing is left over from the last.
    widget.SetDateTime(*DateTime::fromDate(2000 + month / 12, month % 12 + 1, 15));
    widget.repaint();
    month = (month + 1) % 1200;
  }
}
BENCHMARK(RefillMonthAndRepaint)->Unit(benchmark::kMillisecond);

void RefillMonthAndGrab(benchmark::State& state) {
  TChnCalendar widget;
  widget.applyFormValues();
  widget.show();
  int month = 0;
  for (auto _ : state) {
    widget.SetDateTime(*DateTime::fromDate(2000 + month / 12, month % 12 + 1, 15));
    benchmark::DoNotOptimize(widget.grab());
    month = (month + 1) % 1200;
  }
}
BENCHMARK(RefillMonthAndGrab)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  calendar::installFontSubstitutions();
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
