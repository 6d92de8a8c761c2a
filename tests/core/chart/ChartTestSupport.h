#pragma once

#include "core/store/FileSet.h"
#include "core/store/FileSystem.h"
#include "core/store/Projects.h"
#include "core/store/Settings.h"
#include "core/store/TimeFrames.h"
#include "core/time/Calendar.h"
#include "core/support/TempDir.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <string>
#include <vector>

namespace ql::test {

inline void pinZone(const char* zone) {
    setenv("TZ", zone, 1);
    tzset();
}

// Pins the zone when constructed: a fixture's first member, so that the members after it
// are computed in that zone, whichever test the process runs first.
struct PinnedZone {
    explicit PinnedZone(const char* zone) { pinZone(zone); }
};

inline std::int32_t at(int year, int month, int day, int hour = 0, int minute = 0, int second = 0) {
    const auto t = calendar::fromLocal(year, month, day, hour, minute, second);
    EXPECT_TRUE(t.has_value());
    return t.value_or(0);
}

// A new file set in a fresh temporary folder, removed with the object.
class TempFileSet {
public:
    TempFileSet() : m_settings(m_folder.path("Work.qlr")), m_files(m_settings) {
        if (!createFileSet(defaultFileSystem(), m_files, "$", true)) throw std::runtime_error("createFileSet failed");
    }

    const std::string& settings() const { return m_settings; }
    const FileSet& files() const { return m_files; }
    std::string path(FileKind kind) const { return m_files.path(kind); }

    void writeProjects(const std::vector<std::string>& names) const {
        std::vector<ProjectRecord> records;
        for (std::size_t i = 0; i < names.size(); ++i) {
            ProjectRecord p;
            p.id = static_cast<std::int32_t>(i);
            p.name = names[i];
            records.push_back(p);
        }
        ASSERT_TRUE(ql::writeProjects(defaultFileSystem(), path(FileKind::Projects), records));
    }
    void append(const TimeFrameRecord& frame) const {
        ASSERT_TRUE(appendTimeFrame(defaultFileSystem(), m_files, frame));
    }
    std::vector<TimeFrameRecord> frames() const {
        auto frames = loadTimeFrames(defaultFileSystem(), path(FileKind::TimeFrames));
        EXPECT_TRUE(frames.isOk());
        return frames.valueOr({});
    }

private:
    TempDir m_folder;
    std::string m_settings;
    FileSet m_files;
};

}  // namespace ql::test
