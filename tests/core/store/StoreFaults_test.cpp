#include "core/store/Customers.h"
#include "core/store/FileSet.h"
#include "core/store/HistoryFilterRecord.h"
#include "core/store/Projects.h"
#include "core/store/Settings.h"
#include "core/store/TimeFrames.h"
#include "support/FaultyFileSystem.h"
#include "core/support/TempDir.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace ql {
namespace {

using test::FaultyFileSystem;
using test::readBytes;
using test::TempDir;

// Runs one write operation with each of its file calls failing in turn (and each write
// failing half-way), and checks after every failure that no stored byte changed, no
// temporary file is left, and the failure was reported.
class StoreFaultsTest : public ::testing::Test {
protected:
    void SetUp() override {
        setenv("TZ", "America/New_York", 1);
        tzset();
        ASSERT_TRUE(createFileSet(defaultFileSystem(), FileSet(settings), "$", true));
        ProjectRecord p;
        p.name = "Existing";
        ASSERT_TRUE(writeProjects(defaultFileSystem(), path(FileKind::Projects), {p}));
        for (int i = 0; i < 3; ++i) ASSERT_TRUE(appendTimeFrame(defaultFileSystem(), FileSet(settings), {0, i * 100, i * 100 + 60}));
        CustomerRecord c;
        c.name = "Existing customer";
        ASSERT_TRUE(appendCustomer(defaultFileSystem(), c, FileSet(settings)));
    }

    std::string path(FileKind kind) const { return fileSetPath(settings, kind); }

    void expectNoLoss(const std::string& file, const std::function<Status(FileSystem&)>& operation) {
        const auto before = readBytes(file);
        const bool existed = test::fileExists(file);
        int failures = 0;
        for (const bool shortWrite : {false, true}) {
            for (int nth = 1;; ++nth) {
                FaultyFileSystem fs;
                fs.failCall(nth, shortWrite);
                const Status st = operation(fs);
                if (st) {
                    // No fault hit, or one the operation may survive: put the data back for the next round.
                    test::writeBytes(file, before);
                    if (!fs.failed()) break;  // every call has had its turn
                    continue;
                }
                ++failures;
                SCOPED_TRACE("call " + std::to_string(nth) + (shortWrite ? " short write" : ""));
                EXPECT_FALSE(st.message().empty());
                EXPECT_EQ(test::fileExists(file), existed);
                EXPECT_EQ(readBytes(file), before);
                EXPECT_FALSE(test::anyFileStartingWith(path(FileKind::Temporary)));
            }
        }
        EXPECT_GT(failures, 2) << "the operation made too few file calls to test";
        // Without faults the operation succeeds and changes the file.
        FaultyFileSystem fs;
        EXPECT_TRUE(operation(fs));
        EXPECT_NE(readBytes(file), before);
    }

    TempDir dir;
    std::string settings = dir.path("Work.qlr");
};

TEST_F(StoreFaultsTest, AppendingATimeFrame) {
    expectNoLoss(path(FileKind::TimeFrames),
                 [&](FileSystem& fs) { return appendTimeFrame(fs, FileSet(settings), {0, 1000, 2000}); });
}

TEST_F(StoreFaultsTest, RemovingATimeFrame) {
    expectNoLoss(path(FileKind::TimeFrames),
                 [&](FileSystem& fs) { return removeTimeFrame(fs, path(FileKind::TimeFrames), {0, 100, 160}); });
}

TEST_F(StoreFaultsTest, UpdatingATimeFrame) {
    expectNoLoss(path(FileKind::TimeFrames), [&](FileSystem& fs) {
        return updateTimeFrame(fs, path(FileKind::TimeFrames), {0, 100, 160}, {0, 100, 220});
    });
}

TEST_F(StoreFaultsTest, RewritingTheProjectsFile) {
    ProjectRecord a, b;
    a.name = "A";
    b.id = 1;
    b.name = "B";
    expectNoLoss(path(FileKind::Projects), [&](FileSystem& fs) { return writeProjects(fs, path(FileKind::Projects), {a, b}); });
}

TEST_F(StoreFaultsTest, WritingSettings) {
    SettingsRecord s = defaultSettings("€", false);
    s.companyName = "Changed";
    expectNoLoss(settings, [&](FileSystem& fs) { return writeSettings(fs, s, FileSet(settings)); });
}

TEST_F(StoreFaultsTest, AppendingUpdatingAndRemovingCustomers) {
    CustomerRecord c;
    c.id = 1;
    c.name = "New";
    expectNoLoss(path(FileKind::Customers), [&](FileSystem& fs) { return appendCustomer(fs, c, FileSet(settings)); });
    CustomerRecord changed;
    changed.name = "Changed";
    expectNoLoss(path(FileKind::Customers), [&](FileSystem& fs) { return updateCustomer(fs, changed, path(FileKind::Customers)); });
    expectNoLoss(path(FileKind::Customers), [&](FileSystem& fs) { return removeCustomer(fs, 0, path(FileKind::Customers)); });
}

TEST_F(StoreFaultsTest, WritingTheHistoryFilter) {
    ASSERT_TRUE(writeHistoryFilter(defaultFileSystem(), path(FileKind::HistoryFilter), {1, 1, 1, 1}));
    expectNoLoss(path(FileKind::HistoryFilter),
                 [&](FileSystem& fs) { return writeHistoryFilter(fs, path(FileKind::HistoryFilter), {2, 2, 2, 2}); });
}

TEST_F(StoreFaultsTest, AFailedReadIsReportedNotTakenAsTheEnd) {
    FaultyFileSystem fs;
    fs.failEvery(FaultyFileSystem::Op::Read);
    EXPECT_EQ(loadTimeFrames(fs, path(FileKind::TimeFrames)).status().message(),
              "Cannot open time frames file : " + path(FileKind::TimeFrames));
    EXPECT_FALSE(loadProjects(fs, path(FileKind::Projects)));
    // A removal that cannot read its file must not replace it with a shorter one.
    const auto before = readBytes(path(FileKind::TimeFrames));
    EXPECT_FALSE(removeTimeFrame(fs, path(FileKind::TimeFrames), {0, 0, 60}));
    EXPECT_EQ(readBytes(path(FileKind::TimeFrames)), before);
}

}  // namespace
}  // namespace ql
