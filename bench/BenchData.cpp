#include "BenchData.h"

#include "core/store/FileSet.h"
#include "core/store/FileSystem.h"
#include "core/store/Projects.h"
#include "core/store/RecordFile.h"
#include "core/store/Settings.h"
#include "core/store/TimeFrameRecord.h"
#include "core/time/Calendar.h"

#include <cstdlib>
#include <map>
#include <random>
#include <stdexcept>
#include <utility>
#include <vector>

namespace ql::bench {

std::int32_t benchNow() {
    setenv("TZ", "America/New_York", 1);
    tzset();
    return *calendar::fromLocal(1996, 12, 11, 10, 0, 0);
}

std::string generatedFileSet(int projectCount, int frameCount) {
    static std::map<std::pair<int, int>, std::string> cache;
    auto& path = cache[{projectCount, frameCount}];
    if (!path.empty()) return path;

    char folder[] = "/tmp/quillory-bench-XXXXXX";
    if (!mkdtemp(folder)) throw std::runtime_error("cannot create a temporary folder");
    path = std::string(folder) + "/Bench.qlr";
    FileSystem& fs = defaultFileSystem();
    if (!createFileSet(fs, FileSet(path), "$", true)) throw std::runtime_error("cannot create the file set");

    std::vector<ProjectRecord> projects;
    for (int i = 0; i < projectCount; ++i) {
        ProjectRecord p;
        p.id = i;
        p.name = (i % 10 == 0 ? "Client " : "Task ") + std::to_string(i);
        p.parentId = i % 10 == 0 ? -1 : i - i % 10;
        p.chargesPerHour = 20.0 + i % 50;
        p.customerId = i % 40;
        projects.push_back(p);
    }
    if (!writeProjects(fs, fileSetPath(path, FileKind::Projects), projects))
        throw std::runtime_error("cannot write projects");

    std::mt19937 rng(1996);
    std::uniform_int_distribution<int> project(0, projectCount - 1);
    std::uniform_int_distribution<int> length(5 * 60, 4 * 3600);
    const std::int32_t now = benchNow();
    const std::int32_t span = 5 * 365 * 86400;
    std::uniform_int_distribution<std::int32_t> start(now - span, now - 4 * 3600);
    std::vector<unsigned char> bytes;
    bytes.reserve(static_cast<std::size_t>(frameCount) * TimeFrameRecord::kSize);
    for (int i = 0; i < frameCount; ++i) {
        const std::int32_t s = start(rng);
        const auto b = encodeTimeFrame({project(rng), s, s + length(rng)});
        bytes.insert(bytes.end(), b.begin(), b.end());
    }
    const std::string tfr = fileSetPath(path, FileKind::TimeFrames);
    if (!rewriteRecords(fs, tfr, TimeFrameRecord::kSize, bytes.data(), bytes.size(), Message::freeText("cannot write time frames")))
        throw std::runtime_error("cannot write time frames");
    return path;
}

}  // namespace ql::bench
