#include "BenchData.h"

#include "core/store/FileSet.h"
#include "core/store/RecordFile.h"
#include "core/store/Settings.h"
#include "core/store/TimeFrames.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <stdexcept>

namespace ql::bench {
namespace {

std::string emptyFileSet() {
    static std::string path;
    if (!path.empty()) return path;
    char folder[] = "/tmp/quillory-bench-XXXXXX";
    if (!mkdtemp(folder)) throw std::runtime_error("cannot create a temporary folder");
    path = std::string(folder) + "/Append.qlr";
    if (!createFileSet(defaultFileSystem(), FileSet(path), "$", true)) throw std::runtime_error("cannot create the file set");
    return path;
}

// One check-out: the store's append, which holds the set's lock around it.
void BM_AppendTimeFrame(benchmark::State& state) {
    const std::string path = emptyFileSet();
    FileSystem& fs = defaultFileSystem();
    std::int32_t t = 0;
    for (auto _ : state) {
        if (Status st = appendTimeFrame(fs, FileSet(path), {0, t, t + 60}); !st) state.SkipWithError(st.message().c_str());
        t += 100;
    }
}
BENCHMARK(BM_AppendTimeFrame)->Unit(benchmark::kMicrosecond)->UseRealTime()->Repetitions(5)->ReportAggregatesOnly();

// The same file calls as the append, without taking the lock: what the lock adds is the difference.
void BM_AppendTimeFrameWithoutLock(benchmark::State& state) {
    const std::string path = fileSetPath(emptyFileSet(), FileKind::TimeFrames);
    FileSystem& fs = defaultFileSystem();
    std::int32_t t = 0;
    for (auto _ : state) {
        const auto bytes = encodeTimeFrame({0, t, t + 60});
        auto file = fs.openAppend(path);
        if (!file || !(*file)->size() || !(*file)->write(bytes.data(), bytes.size()) || !(*file)->sync())
            state.SkipWithError("append failed");
        t += 100;
    }
}
BENCHMARK(BM_AppendTimeFrameWithoutLock)->Unit(benchmark::kMicrosecond)->UseRealTime()->Repetitions(5)->ReportAggregatesOnly();

// Taking and releasing the set's lock alone.
void BM_FileSetLock(benchmark::State& state) {
    const std::string path = emptyFileSet();
    FileSystem& fs = defaultFileSystem();
    for (auto _ : state) {
        auto held = lockFileSet(fs, FileSet(path));
        if (!held) state.SkipWithError(held.status().message().c_str());
        benchmark::DoNotOptimize(held);
    }
}
BENCHMARK(BM_FileSetLock)->Unit(benchmark::kMicrosecond)->UseRealTime()->Repetitions(5)->ReportAggregatesOnly();

// A removal from a 1,000,000-frame file: one locked, crash-safe rewrite of 12 MB.
void BM_RewriteOneMillionFrames(benchmark::State& state) {
    const std::string path = generatedFileSet(2000, 1000000);
    const std::string frames = fileSetPath(path, FileKind::TimeFrames);
    FileSystem& fs = defaultFileSystem();
    for (auto _ : state) {
        // No frame has this signature: every record is copied.
        if (Status st = removeTimeFrame(fs, frames, {-7, 1, 2}); !st) state.SkipWithError(st.message().c_str());
    }
}
BENCHMARK(BM_RewriteOneMillionFrames)->Unit(benchmark::kMillisecond)->UseRealTime()->Repetitions(5)->ReportAggregatesOnly();

}  // namespace
}  // namespace ql::bench
