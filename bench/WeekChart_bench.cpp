#include "BenchData.h"

#include "core/chart/ChartLayout.h"
#include "core/chart/WeekChart.h"
#include "core/store/FileSystem.h"

#include <benchmark/benchmark.h>

namespace ql::bench {
namespace {

// Loading the displayed week: one pass over a million time frames, then the projects file
// once for the names of the week's frames.
void BM_LoadWeekChart(benchmark::State& state) {
    const std::string path = generatedFileSet(2000, 1000000);
    FileSystem& fs = defaultFileSystem();
    WeekChart chart(benchNow());
    for (auto _ : state) {
        const Status st = chart.load(fs, FileSet(path));
        if (!st) state.SkipWithError(st.message().c_str());
        benchmark::DoNotOptimize(chart.items().data());
    }
    state.counters["items"] = static_cast<double>(chart.items().size());
}
BENCHMARK(BM_LoadWeekChart)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly();

// What each repaint and each mouse move over the chart costs for that (crowded) week: the
// bars of every item, then a hit test that misses every bar.
void BM_WeekChartBarsAndHitTest(benchmark::State& state) {
    const std::string path = generatedFileSet(2000, 1000000);
    WeekChart chart(benchNow());
    if (!chart.load(defaultFileSystem(), FileSet(path))) state.SkipWithError("load failed");
    const auto layout = screenChartLayout(chart, 1000, 700);
    for (auto _ : state) {
        const auto bars = layoutBars(*layout, chart);
        const auto hit = hitTest(*layout, chart, layout->labelRight - 1, layout->rows.top + 1);
        benchmark::DoNotOptimize(bars.data());
        benchmark::DoNotOptimize(hit);
    }
}
BENCHMARK(BM_WeekChartBarsAndHitTest)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace ql::bench
