#pragma once

#include "core/store/FileSet.h"
#include "core/store/FileSystem.h"
#include "core/store/Projects.h"
#include "core/store/Settings.h"
#include "core/store/TimeFrames.h"
#include "core/time/Calendar.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <string>
#include <vector>

namespace ql::test {

inline void pinZone(const char* zone) {
    setenv("TZ", zone, 1);
    tzset();
}

inline std::int32_t at(int year, int month, int day, int hour = 0, int minute = 0, int second = 0) {
    const auto t = calendar::fromLocal(year, month, day, hour, minute, second);
    EXPECT_TRUE(t.has_value());
    return t.value_or(0);
}

// A file set in a fresh temporary folder, removed with the object.
class TempFileSet {
public:
    TempFileSet() {
        char folder[] = "/tmp/quillory-chart-XXXXXX";
        if (!mkdtemp(folder)) throw std::runtime_error("mkdtemp failed");
        m_folder = folder;
        m_settings = m_folder + "/Work.qlr";
        if (!createFileSet(defaultFileSystem(), m_settings, "$", true)) throw std::runtime_error("createFileSet failed");
    }
    ~TempFileSet() { std::filesystem::remove_all(m_folder); }
    TempFileSet(const TempFileSet&) = delete;
    TempFileSet& operator=(const TempFileSet&) = delete;

    const std::string& settings() const { return m_settings; }
    std::string path(FileKind kind) const { return fileSetPath(m_settings, kind); }

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
        ASSERT_TRUE(appendTimeFrame(defaultFileSystem(), m_settings, frame));
    }
    std::vector<TimeFrameRecord> frames() const {
        auto frames = loadTimeFrames(defaultFileSystem(), path(FileKind::TimeFrames));
        EXPECT_TRUE(frames.isOk());
        return frames.valueOr({});
    }

private:
    std::string m_folder;
    std::string m_settings;
};

}  // namespace ql::test
