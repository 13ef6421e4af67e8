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

// Steps a shown form-sized calendar through the months, a different one each
// time so that nothing is left over from the last, and draws it with draw().
template <typename Draw>
void stepThroughMonths(benchmark::State& state, Draw draw)
{
    TChnCalendar widget;
    widget.applyFormValues();
    widget.show();
    int month = 0;
    for (auto _ : state) {
        widget.SetDateTime(*DateTime::fromDate(2000 + month / 12, month % 12 + 1, 15));
        draw(widget);
        month = (month + 1) % 1200;
    }
}

// On screen: the widget and its grid repainted into the window.
void RefillMonthAndRepaint(benchmark::State& state)
{
    stepThroughMonths(state, [](TChnCalendar& widget) { widget.repaint(); });
}
BENCHMARK(RefillMonthAndRepaint)->Unit(benchmark::kMillisecond);

// The same drawn into a fresh picture, as the tests grab it.
void RefillMonthAndGrab(benchmark::State& state)
{
    stepThroughMonths(state, [](TChnCalendar& widget) { benchmark::DoNotOptimize(widget.grab()); });
}
BENCHMARK(RefillMonthAndGrab)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    calendar::installFontSubstitutions();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
