#include "BenchData.h"

#include "core/analysis/ExportWriter.h"
#include "core/analysis/PieChart.h"
#include "core/reports/ReportPeriod.h"
#include "core/store/FileSystem.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <limits>

namespace ql::bench {
namespace {

// One computation of the pie chart for This Year: a pass over a million time frames, then
// the projects file once for the names.
void BM_PieChartThisYear(benchmark::State& state) {
    const std::string path = generatedFileSet(2000, 1000000);
    const auto period = ResolvePeriod(PeriodChoice::ThisYear, "", "", true, benchNow());
    PieChart chart;
    for (auto _ : state) {
        const Status st = chart.compute(defaultFileSystem(), FileSet(path), *period);
        if (!st) state.SkipWithError(st.message().c_str());
        benchmark::DoNotOptimize(chart.slices().data());
    }
    state.counters["slices"] = static_cast<double>(chart.slices().size());
}
BENCHMARK(BM_PieChartThisYear)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly();

// The export written to a real file, for This Year (about 50,000 lines) and for every frame.
void exportTo(benchmark::State& state, const ReportPeriod& period) {
    const std::string path = generatedFileSet(2000, 1000000);
    ExportRequest request;
    request.period = period;
    request.userName = "Ann Smith";
    const std::string out = path + ".export.txt";
    std::size_t bytes = 0;
    for (auto _ : state) {
        std::FILE* file = std::fopen(out.c_str(), "wb");
        if (!file) {
            state.SkipWithError("cannot create the export file");
            break;
        }
        bytes = 0;
        const Status st = writeExport(defaultFileSystem(), FileSet(path), request, [&](std::string_view piece) {
            bytes += piece.size();
            return std::fwrite(piece.data(), 1, piece.size(), file) == piece.size();
        });
        std::fclose(file);
        if (!st) state.SkipWithError(st.message().c_str());
    }
    std::remove(out.c_str());
    state.counters["bytes"] = static_cast<double>(bytes);
}

void BM_ExportThisYear(benchmark::State& state) {
    exportTo(state, *ResolvePeriod(PeriodChoice::ThisYear, "", "", true, benchNow()));
}
BENCHMARK(BM_ExportThisYear)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly();

void BM_ExportAllFrames(benchmark::State& state) {
    exportTo(state, {std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max()});
}
BENCHMARK(BM_ExportAllFrames)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly();

}  // namespace
}  // namespace ql::bench
