#include "BenchData.h"

#include "core/store/FileSystem.h"
#include "core/tracking/PeriodTotals.h"

#include <benchmark/benchmark.h>

namespace ql::bench {
namespace {

// The main view's totals refresh: settings, the project index and one pass over the frames.
void BM_ComputeTotals(benchmark::State& state) {
    const std::string path = generatedFileSet(2000, 1000000);
    const std::int32_t now = benchNow();
    FileSystem& fs = defaultFileSystem();
    for (auto _ : state) {
        PeriodTotals totals = computeTotals(fs, FileSet(path), now);
        if (!totals.failures.empty()) state.SkipWithError(totals.failures.front().message().c_str());
        benchmark::DoNotOptimize(totals);
    }
}
BENCHMARK(BM_ComputeTotals)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly();

}  // namespace
}  // namespace ql::bench
