#include "BenchData.h"

#include "core/store/FileSet.h"
#include "core/store/Projects.h"
#include "core/store/TimeFrames.h"

#include <benchmark/benchmark.h>

namespace ql::bench {
namespace {

// A full pass over the time frames joined with project names and rates through the id
// index: the shape of every report, the export and the pie chart.
void BM_ScanTimeFramesWithProjectIndex(benchmark::State& state) {
    const std::string path = generatedFileSet(2000, 1000000);
    FileSystem& fs = defaultFileSystem();
    for (auto _ : state) {
        auto index = ProjectIndex::load(fs, fileSetPath(path, FileKind::Projects));
        double charges = 0.0;
        std::size_t nameBytes = 0;
        const Status st = forEachTimeFrame(fs, fileSetPath(path, FileKind::TimeFrames), [&](const TimeFrameRecord& f) {
            const ProjectRecord* p = index->find(f.projectId);
            nameBytes += p->name.size();
            charges += p->chargesPerHour * 0.016666666666666666 * ((f.end - f.start) / 60);
        });
        if (!st) state.SkipWithError(st.message().c_str());
        benchmark::DoNotOptimize(charges);
        benchmark::DoNotOptimize(nameBytes);
    }
}
BENCHMARK(BM_ScanTimeFramesWithProjectIndex)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly();

// The cost of reading the time frames file alone, for comparison.
void BM_ReadTimeFramesFileOnly(benchmark::State& state) {
    const std::string path = generatedFileSet(2000, 1000000);
    FileSystem& fs = defaultFileSystem();
    for (auto _ : state) {
        std::size_t count = 0;
        const Status st = scanTimeFrameChunks(fs, fileSetPath(path, FileKind::TimeFrames),
                                              [&](const unsigned char*, std::size_t n) { count += n; });
        if (!st) state.SkipWithError(st.message().c_str());
        benchmark::DoNotOptimize(count);
    }
}
BENCHMARK(BM_ReadTimeFramesFileOnly)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly();

// Loading the projects file into the id index, once per operation.
void BM_LoadProjectIndex(benchmark::State& state) {
    const std::string path = generatedFileSet(2000, 1000000);
    for (auto _ : state) {
        auto index = ProjectIndex::load(defaultFileSystem(), fileSetPath(path, FileKind::Projects));
        benchmark::DoNotOptimize(index);
    }
}
BENCHMARK(BM_LoadProjectIndex)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace ql::bench
