#include <benchmark/benchmark.h>

#include "chn_calendar_use.h"

namespace {

using calendar::DateTime;

const DateTime kFirst = *DateTime::fromDate(1901, 1, 1);
const DateTime kLast = *DateTime::fromDate(2100, 12, 31);

// One day at a time, walking through the years so that every kind of day
// (new moons, festivals, 除夕 with its look at the next day) is met.
void FillDayInfoOneDay(benchmark::State& state)
{
    calendar::TChnCal info;
    const double span = kLast.value() - kFirst.value() + 1;
    double offset = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(calendar::FillDayInfo(info, kFirst.addDays(static_cast<int>(offset))));
        offset += 367; // a year and two days on, so successive days differ
        if (offset >= span)
            offset -= span;
    }
}
BENCHMARK(FillDayInfoOneDay)->Unit(benchmark::kMicrosecond);

void FillDayInfo1901To2100(benchmark::State& state)
{
    calendar::TChnCal info;
    for (auto _ : state) {
        for (DateTime x = kFirst; x.value() <= kLast.value(); x = x.addDays(1))
            benchmark::DoNotOptimize(calendar::FillDayInfo(info, x));
    }
    state.counters["days"] = kLast.value() - kFirst.value() + 1;
}
BENCHMARK(FillDayInfo1901To2100)->Unit(benchmark::kSecond)->Iterations(3);

} // namespace
