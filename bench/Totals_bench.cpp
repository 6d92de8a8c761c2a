#include "BenchData.h"

#include "core/store/FileSet.h"
#include "core/store/FileSystem.h"
#include "core/store/RecordFile.h"
#include "core/store/TimeFrames.h"
#include "core/tracking/PeriodTotals.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <stdexcept>
#include <vector>

namespace ql::bench {
namespace {

void timeTotals(benchmark::State& state, const std::string& path) {
    const std::int32_t now = benchNow();
    FileSystem& fs = defaultFileSystem();
    for (auto _ : state) {
        PeriodTotals totals = computeTotals(fs, FileSet(path), now);
        if (!totals.failures.empty()) state.SkipWithError(totals.failures.front().message().c_str());
        benchmark::DoNotOptimize(totals);
    }
}

// The main view's totals refresh: settings, the project index and one pass over the frames.
// The generated frames lie in random order, which is the hard case for the pass.
void BM_ComputeTotals(benchmark::State& state) { timeTotals(state, generatedFileSet(2000, 1000000)); }
BENCHMARK(BM_ComputeTotals)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly();

// The same frames sorted by start, as tracking day after day appends them.
void BM_ComputeTotalsInAppendOrder(benchmark::State& state) {
    static const std::string path = [] {
        namespace stdfs = std::filesystem;
        const stdfs::path source = stdfs::path(generatedFileSet(2000, 1000000)).parent_path();
        char folder[] = "/tmp/quillory-bench-sorted-XXXXXX";
        if (!mkdtemp(folder)) throw std::runtime_error("cannot create a temporary folder");
        for (const auto& entry : stdfs::directory_iterator(source))
            stdfs::copy_file(entry.path(), stdfs::path(folder) / entry.path().filename());
        const FileSet set(std::string(folder) + "/Bench.qlr");
        FileSystem& fs = defaultFileSystem();
        auto frames = loadTimeFrames(fs, set.timeFrames());
        if (!frames) throw std::runtime_error("cannot read time frames");
        std::stable_sort(frames->begin(), frames->end(), [](const auto& a, const auto& b) { return a.start < b.start; });
        std::vector<unsigned char> bytes;
        bytes.reserve(frames->size() * TimeFrameRecord::kSize);
        for (const auto& f : *frames) {
            const auto b = encodeTimeFrame(f);
            bytes.insert(bytes.end(), b.begin(), b.end());
        }
        if (!rewriteRecords(fs, set.timeFrames(), TimeFrameRecord::kSize, bytes.data(), bytes.size(), Message::freeText("cannot write time frames")))
            throw std::runtime_error("cannot write time frames");
        return set.settings();
    }();
    timeTotals(state, path);
}
BENCHMARK(BM_ComputeTotalsInAppendOrder)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly();

}  // namespace
}  // namespace ql::bench
