#include "BenchData.h"

#include "core/chart/WeekChart.h"
#include "core/store/FileSet.h"
#include "core/store/FileSystem.h"
#include "core/store/TimeFrames.h"
#include "core/tracking/PeriodTotals.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <stdexcept>
#include <string>

namespace ql::bench {
namespace {

// What the view does at every activation: the totals and the displayed week.
struct ViewRefresh {
    TotalsKeeper totals;
    WeekChart chart{benchNow()};

    void run(benchmark::State& state, FileSystem& fs, const FileSet& set) {
        const PeriodTotals t = totals.update(fs, set, benchNow());
        const Status st = chart.refresh(fs, set);
        if (!t.failures.empty() || !st) state.SkipWithError("refresh failed");
        benchmark::DoNotOptimize(t.periods.data());
        benchmark::DoNotOptimize(chart.items().data());
    }
};

// The yardstick: a full recomputation, as every activation cost before.
void BM_RefreshFull(benchmark::State& state) {
    const FileSet set(generatedFileSet(2000, static_cast<int>(state.range(0))));
    FileSystem& fs = defaultFileSystem();
    WeekChart chart(benchNow());
    for (auto _ : state) {
        const PeriodTotals t = computeTotals(fs, set, benchNow());
        const Status st = chart.load(fs, set);
        if (!t.failures.empty() || !st) state.SkipWithError("load failed");
        benchmark::DoNotOptimize(t.periods.data());
        benchmark::DoNotOptimize(chart.items().data());
    }
}
BENCHMARK(BM_RefreshFull)->Arg(1000000)->Arg(10000000)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly();

// An activation when no file of the set changed.
void BM_RefreshUnchanged(benchmark::State& state) {
    const FileSet set(generatedFileSet(2000, static_cast<int>(state.range(0))));
    FileSystem& fs = defaultFileSystem();
    ViewRefresh view;
    view.run(state, fs, set);
    for (auto _ : state) view.run(state, fs, set);
}
BENCHMARK(BM_RefreshUnchanged)->Arg(1000000)->Arg(10000000)->Unit(benchmark::kMicrosecond)->Repetitions(5)->ReportAggregatesOnly();

// An activation after another program appended one frame (the append itself is not timed).
// Works on a copy: the generated set is shared by the other benchmarks.
void BM_RefreshAfterAppend(benchmark::State& state) {
    namespace stdfs = std::filesystem;
    const stdfs::path source = stdfs::path(generatedFileSet(2000, static_cast<int>(state.range(0)))).parent_path();
    char folder[] = "/tmp/quillory-bench-append-XXXXXX";
    if (!mkdtemp(folder)) throw std::runtime_error("cannot create a temporary folder");
    for (const auto& entry : stdfs::directory_iterator(source))
        stdfs::copy_file(entry.path(), stdfs::path(folder) / entry.path().filename());
    const FileSet set(std::string(folder) + "/Bench.qlr");
    FileSystem& fs = defaultFileSystem();
    ViewRefresh view;
    view.run(state, fs, set);
    std::int32_t start = benchNow() - 3600;
    for (auto _ : state) {
        state.PauseTiming();
        if (!appendTimeFrame(fs, set, {7, start, start + 600})) state.SkipWithError("append failed");
        ++start;
        state.ResumeTiming();
        view.run(state, fs, set);
    }
    stdfs::remove_all(folder);
}
BENCHMARK(BM_RefreshAfterAppend)->Arg(1000000)->Unit(benchmark::kMicrosecond)->Repetitions(5)->ReportAggregatesOnly();

}  // namespace
}  // namespace ql::bench
