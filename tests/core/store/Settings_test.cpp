#include "core/store/FileSet.h"
#include "core/store/HistoryFilterRecord.h"
#include "core/store/Settings.h"
#include "core/time/Calendar.h"
#include "core/support/TempDir.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>

namespace ql {
namespace {

using test::readBytes;
using test::TempDir;

class SettingsTest : public ::testing::Test {
protected:
    void SetUp() override {
        setenv("TZ", "America/New_York", 1);
        tzset();
    }
    TempDir dir;
    FileSystem& fs = defaultFileSystem();
};

TEST_F(SettingsTest, CreateFileSetMakesTheFourFilesWithDefaultSettings) {
    const std::string chosen = dir.path("Work.qlr");
    ASSERT_TRUE(createFileSet(fs, FileSet(chosen), "$", true));
    EXPECT_TRUE(readBytes(dir.path("Work.cus")).empty());
    EXPECT_TRUE(readBytes(dir.path("Work.prj")).empty());
    EXPECT_TRUE(readBytes(dir.path("Work.tfr")).empty());
    const auto bytes = readBytes(chosen);
    ASSERT_EQ(bytes.size(), 1602u);
    const auto expected = encodeSettings(defaultSettings("$", true));
    EXPECT_TRUE(std::equal(bytes.begin(), bytes.end(), expected.begin()));
    EXPECT_FALSE(test::fileExists(dir.path("Work.his")));
    EXPECT_FALSE(test::fileExists(dir.path("Work.tmp")));
}

TEST_F(SettingsTest, AnyChosenNameKeepsItsOwnEmptyFile) {
    ASSERT_TRUE(createFileSet(fs, FileSet(dir.path("Work.txt")), "$", false));
    EXPECT_TRUE(test::fileExists(dir.path("Work.txt")));
    EXPECT_TRUE(readBytes(dir.path("Work.txt")).empty());
    auto settings = readSettings(fs, FileSet(dir.path("Work.txt")));
    ASSERT_TRUE(settings);
    EXPECT_EQ(settings->dateFormat, 0);
}

TEST_F(SettingsTest, CreatingOverAnExistingSetEmptiesIt) {
    const std::string chosen = dir.path("Work.qlr");
    ASSERT_TRUE(createFileSet(fs, FileSet(chosen), "$", true));
    test::writeBytes(dir.path("Work.tfr"), std::vector<unsigned char>(24, 1));
    ASSERT_TRUE(createFileSet(fs, FileSet(chosen), "£", false));
    EXPECT_TRUE(readBytes(dir.path("Work.tfr")).empty());
    EXPECT_EQ(readSettings(fs, FileSet(chosen))->monetarySymbol, "£");
}

TEST_F(SettingsTest, CreateFailsWhenTheFolderDoesNotExist) {
    const Status st = createFileSet(fs, FileSet(dir.path("missing/Work.qlr")), "$", true);
    EXPECT_FALSE(st);
    EXPECT_EQ(st.message(), "Cannot create new project. Check your disk-drive for write-protection");
}

TEST_F(SettingsTest, UnreadableSettingsFallBackToDefaults) {
    const std::string chosen = dir.path("Work.qlr");
    EXPECT_FALSE(readSettings(fs, FileSet(chosen)));
    EXPECT_EQ(readSettingsOrDefaults(fs, FileSet(chosen), "$", true), defaultSettings("$", true));
    test::writeBytes(chosen, std::vector<unsigned char>(100, 'x'));  // shorter than one record
    EXPECT_FALSE(readSettings(fs, FileSet(chosen)));
}

TEST_F(SettingsTest, WrittenSettingsReadBackIdentically) {
    const std::string chosen = dir.path("Work.qlr");
    ASSERT_TRUE(createFileSet(fs, FileSet(chosen), "$", true));
    SettingsRecord s = *readSettings(fs, FileSet(chosen));
    s.companyName = "Ünïcode Ltd";
    s.nextInvoiceNumber = "9600002";
    ASSERT_TRUE(writeSettings(fs, s, FileSet(chosen)));
    EXPECT_EQ(*readSettings(fs, FileSet(chosen)), s);
    EXPECT_EQ(readBytes(chosen).size(), 1602u);
}

TEST_F(SettingsTest, HistoryFilterDefaultsToTheCurrentYearAndRoundTrips) {
    const std::int32_t now = *calendar::fromLocal(1996, 12, 11, 10, 0, 0);
    const std::string his = fileSetPath(dir.path("Work.qlr"), FileKind::HistoryFilter);
    const HistoryFilterRecord def = readHistoryFilter(fs, his, now);
    EXPECT_EQ(def.projectId, -1);
    EXPECT_EQ(def.periodChoice, 0);
    EXPECT_EQ(def.periodStart, *calendar::fromLocal(1996, 1, 1, 0, 0, 0));
    EXPECT_EQ(def.periodEnd, *calendar::fromLocal(1996, 12, 31, 23, 59, 59));
    const HistoryFilterRecord saved{3, 2, 100, 200};
    ASSERT_TRUE(writeHistoryFilter(fs, his, saved));
    EXPECT_EQ(readHistoryFilter(fs, his, now), saved);
    EXPECT_EQ(readBytes(his).size(), 16u);
}

}  // namespace
}  // namespace ql
