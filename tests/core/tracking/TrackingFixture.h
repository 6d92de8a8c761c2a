#pragma once

#include "core/store/Customers.h"
#include "core/store/FileSet.h"
#include "core/store/FileSystem.h"
#include "core/store/Projects.h"
#include "core/store/RecordFile.h"
#include "core/store/Settings.h"
#include "core/store/TimeFrames.h"
#include "core/time/Calendar.h"
#include "core/support/TempDir.h"
#include "support/FaultyFileSystem.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <map>
#include <string>
#include <vector>

namespace ql::testing {

// A fresh file set in its own temporary folder, New York time, US date order, "$".
class TrackingFixture : public ::testing::Test {
protected:
    // Customer 7, "Acme Corp" of 1 Main St, Springfield, IL 62701, USA: the customer the
    // invoice tests bill.
    static CustomerRecord acmeCustomer() {
        CustomerRecord acme;
        acme.id = 7;
        acme.name = "Acme Corp";
        acme.address = "1 Main St";
        acme.city = "Springfield";
        acme.state = "IL";
        acme.zip = "62701";
        acme.country = "USA";
        return acme;
    }
    void SetUp() override {
        setenv("TZ", "America/New_York", 1);
        tzset();
        m_settingsPath = m_dir.path("Work.qlr");
        m_set = FileSet(m_settingsPath);
        ASSERT_TRUE(createFileSet(m_fs, m_set, "$", true));
    }

    static std::int32_t at(int y, int mo, int d, int h = 0, int mi = 0, int s = 0) {
        return calendar::fromLocal(y, mo, d, h, mi, s).value();
    }
    std::string path(FileKind kind) const { return m_set.path(kind); }
    void writeProjectRates(const std::vector<std::pair<std::string, double>>& namesAndRates) {
        std::vector<ProjectRecord> records;
        for (const auto& [name, rate] : namesAndRates) {
            ProjectRecord r;
            r.id = static_cast<std::int32_t>(records.size());
            r.name = name;
            r.chargesPerHour = rate;
            records.push_back(r);
        }
        ASSERT_TRUE(writeProjects(m_fs, path(FileKind::Projects), records));
    }
    void addFrame(std::int32_t projectId, std::int32_t start, std::int32_t end) {
        ASSERT_TRUE(appendTimeFrame(m_fs, m_set, {projectId, start, end}));
    }

    // Replaces the time frames file with frames in one write (appends sync one by one).
    void writeFrames(const std::vector<TimeFrameRecord>& frames) {
        std::vector<unsigned char> bytes;
        for (const auto& f : frames) {
            const auto b = encodeTimeFrame(f);
            bytes.insert(bytes.end(), b.begin(), b.end());
        }
        const std::string tfr = path(FileKind::TimeFrames);
        ASSERT_TRUE(rewriteRecords(m_fs, tfr, TimeFrameRecord::kSize, bytes.data(), bytes.size(), Message::freeText(tfr)));
    }

    test::TempDir m_dir;
    test::FaultyFileSystem m_fs;  // counts the reads, to prove one pass per file
    std::string m_settingsPath;
    FileSet m_set{std::string()};
};

}  // namespace ql::testing
