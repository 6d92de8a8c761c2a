#include "HistoryData.h"

#include "BenchData.h"

#include "core/store/FileSet.h"
#include "core/store/FileSystem.h"
#include "core/store/RecordFile.h"
#include "core/store/TimeFrameRecord.h"

#include <random>
#include <stdexcept>
#include <vector>

namespace ql::bench {

std::string historyFileSet() {
    static std::string path;
    if (!path.empty()) return path;
    // The projects of the shared generator; its frames are replaced by ordered ones.
    path = generatedFileSet(2000, 0);
    constexpr int kFrames = 1000000;
    const std::int32_t now = benchNow();
    const std::int64_t span = 20LL * 365 * 86400;
    const std::int64_t first = now - span;
    std::mt19937 rng(2026);
    std::uniform_int_distribution<int> project(0, 1999);
    std::uniform_int_distribution<int> length(5 * 60, 4 * 3600);
    std::vector<unsigned char> bytes;
    bytes.reserve(static_cast<std::size_t>(kFrames) * TimeFrameRecord::kSize);
    for (int i = 0; i < kFrames; ++i) {
        const auto start = static_cast<std::int32_t>(first + span * i / kFrames);
        const auto b = encodeTimeFrame({project(rng), start, start + length(rng)});
        bytes.insert(bytes.end(), b.begin(), b.end());
    }
    const std::string tfr = fileSetPath(path, FileKind::TimeFrames);
    if (!rewriteRecords(defaultFileSystem(), tfr, TimeFrameRecord::kSize, bytes.data(), bytes.size(),
                        Message::freeText("cannot write time frames")))
        throw std::runtime_error("cannot write time frames");
    return path;
}

}  // namespace ql::bench
