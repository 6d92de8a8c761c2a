#include "BenchData.h"
#include "HistoryData.h"

#include "core/reports/HistoryItems.h"
#include "core/store/FileSet.h"
#include "core/store/HistoryFilterRecord.h"
#include "core/store/FileSystem.h"
#include "core/store/TimeFrames.h"
#include "support/FaultyFileSystem.h"

#include <benchmark/benchmark.h>

namespace ql::bench {
namespace {

HistoryFilter defaultFilter() {
    const HistoryFilterRecord r = defaultHistoryFilter(benchNow());
    return {r.projectId, {r.periodStart, r.periodEnd}};
}

// The history's rows for the default filter (all projects, this year): one pass over the
// frames, one over the projects, then ranked and sorted by project.
void BM_HistorySelectAndSort(benchmark::State& state) {
    const std::string path = historyFileSet();
    const HistoryFilter filter = defaultFilter();
    std::size_t rows = 0;
    for (auto _ : state) {
        HistoryLoad load = LoadHistoryItems(defaultFileSystem(), FileSet(path), filter);
        if (!load.messages.empty()) state.SkipWithError(englishText(load.messages.front()).c_str());
        const auto order =
            sortedHistoryOrder(load.history, 0, rankProjectNames(load.history.projects, compareNamesIgnoringCase));
        rows = order.size();
        benchmark::DoNotOptimize(order);
    }
    state.counters["rows"] = static_cast<double>(rows);
}
BENCHMARK(BM_HistorySelectAndSort)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly();

// Re-sorting the loaded rows by each column.
void BM_HistoryResort(benchmark::State& state) {
    const int column = static_cast<int>(state.range(0));
    HistoryLoad load = LoadHistoryItems(defaultFileSystem(), FileSet(historyFileSet()), defaultFilter());
    const auto ranks = rankProjectNames(load.history.projects, compareNamesIgnoringCase);
    for (auto _ : state) {
        const auto order = sortedHistoryOrder(load.history, column, ranks);
        benchmark::DoNotOptimize(order);
    }
}
BENCHMARK(BM_HistoryResort)->DenseRange(0, 4)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly();

// Removing 100 selected rows of the year from the 12 MB file. The first iteration removes
// them; later ones rewrite the file finding nothing to drop, the same work.
void BM_HistoryRemove100Rows(benchmark::State& state) {
    const std::string path = historyFileSet();
    HistoryLoad load = LoadHistoryItems(defaultFileSystem(), FileSet(path), defaultFilter());
    std::vector<TimeFrameRecord> selected;
    for (std::size_t i = 0; i < 100 && i * 400 < load.history.items.size(); ++i)
        selected.push_back(load.history.items[i * 400].frame);
    test::FaultyFileSystem fs;  // counts whole-file rewrites (each ends in one rename)
    const std::string tfr = fileSetPath(path, FileKind::TimeFrames);
    for (auto _ : state) {
        const Status st = removeTimeFrames(fs, tfr, selected);
        if (!st) state.SkipWithError(st.message().c_str());
    }
    state.counters["rewrites_per_removal"] =
        static_cast<double>(fs.renames()) / static_cast<double>(state.iterations());
}
BENCHMARK(BM_HistoryRemove100Rows)->Unit(benchmark::kMillisecond)->Iterations(5);

}  // namespace
}  // namespace ql::bench
