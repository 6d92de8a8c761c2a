#include "core/store/RecordFile.h"
#include "core/store/TimeFrames.h"
#include "core/support/TempDir.h"

#include <gtest/gtest.h>

namespace ql {
namespace {

using test::readBytes;
using test::TempDir;
using test::writeBytes;

std::vector<unsigned char> frames(std::initializer_list<TimeFrameRecord> list) {
    std::vector<unsigned char> out;
    for (const auto& f : list) {
        const auto b = encodeTimeFrame(f);
        out.insert(out.end(), b.begin(), b.end());
    }
    return out;
}

class RecordFileTest : public ::testing::Test {
protected:
    TempDir dir;
    FileSystem& fs = defaultFileSystem();
    std::string tfr = dir.path("Work.tfr");
    std::string settings = dir.path("Work.qlr");
};

TEST_F(RecordFileTest, AppendsGoToTheEndInCallOrder) {
    writeBytes(tfr, {});
    ASSERT_TRUE(appendTimeFrame(fs, FileSet(settings), {1, 10, 20}));
    EXPECT_EQ(readBytes(tfr), frames({{1, 10, 20}}));
    ASSERT_TRUE(appendTimeFrame(fs, FileSet(settings), {2, 30, 40}));
    ASSERT_TRUE(appendTimeFrame(fs, FileSet(settings), {3, 50, 60}));
    EXPECT_EQ(readBytes(tfr), frames({{1, 10, 20}, {2, 30, 40}, {3, 50, 60}}));
}

TEST_F(RecordFileTest, AppendToAMissingFileFailsWithItsMessageAndCreatesNothing) {
    const Status st = appendTimeFrame(fs, FileSet(settings), {1, 10, 20});
    EXPECT_EQ(st.message(), "Cannot open time frames file : " + tfr);
    EXPECT_FALSE(test::fileExists(tfr));
}

TEST_F(RecordFileTest, ATornTailIsIgnoredOnReadingAndNeverShiftsAnAppend) {
    auto bytes = frames({{1, 10, 20}});
    bytes.insert(bytes.end(), {9, 9, 9, 9, 9});  // five bytes of a record that never finished
    writeBytes(tfr, bytes);
    EXPECT_EQ(*loadTimeFrames(fs, tfr), (std::vector<TimeFrameRecord>{{1, 10, 20}}));
    ASSERT_TRUE(appendTimeFrame(fs, FileSet(settings), {2, 30, 40}));
    EXPECT_EQ(*loadTimeFrames(fs, tfr), (std::vector<TimeFrameRecord>{{1, 10, 20}, {2, 30, 40}}));
    EXPECT_EQ(readBytes(tfr).size(), 24u);
}

TEST_F(RecordFileTest, RemovalDropsEveryMatchAndKeepsTheOrderOfTheRest) {
    writeBytes(tfr, frames({{1, 10, 20}, {2, 30, 40}, {1, 10, 20}, {3, 50, 60}}));
    ASSERT_TRUE(removeTimeFrame(fs, tfr, {1, 10, 20}));
    EXPECT_EQ(readBytes(tfr), frames({{2, 30, 40}, {3, 50, 60}}));
    EXPECT_FALSE(test::fileExists(dir.path("Work.tmp")));
}

TEST_F(RecordFileTest, RemovalWithoutAMatchKeepsTheSameContent) {
    const auto before = frames({{1, 10, 20}, {2, 30, 40}});
    writeBytes(tfr, before);
    ASSERT_TRUE(removeTimeFrame(fs, tfr, {1, 10, 21}));  // one second off
    ASSERT_TRUE(removeTimeFrame(fs, tfr, {4, 10, 20}));  // other project
    EXPECT_EQ(readBytes(tfr), before);
}

TEST_F(RecordFileTest, RemovalFromAMissingFileLeavesAnEmptyFile) {
    ASSERT_TRUE(removeTimeFrame(fs, tfr, {1, 10, 20}));
    EXPECT_TRUE(test::fileExists(tfr));
    EXPECT_TRUE(readBytes(tfr).empty());
}

TEST_F(RecordFileTest, UpdateRemovesEveryCopyAndMovesTheNewFrameToTheEnd) {
    writeBytes(tfr, frames({{1, 10, 20}, {2, 30, 40}, {1, 10, 20}}));
    ASSERT_TRUE(updateTimeFrame(fs, tfr, {1, 10, 20}, {1, 10, 25}));
    EXPECT_EQ(readBytes(tfr), frames({{2, 30, 40}, {1, 10, 25}}));
}

TEST_F(RecordFileTest, UpdateOfAMissingFileFailsInsteadOfInventingIt) {
    EXPECT_FALSE(updateTimeFrame(fs, tfr, {1, 10, 20}, {1, 10, 25}));
    EXPECT_FALSE(test::fileExists(tfr));
}

TEST_F(RecordFileTest, ScanStreamsLargeFilesInWholeRecords) {
    std::vector<TimeFrameRecord> many;
    std::vector<unsigned char> bytes;
    for (int i = 0; i < 200000; ++i) many.push_back({i % 7, i, i + 60});
    for (const auto& f : many) {
        const auto b = encodeTimeFrame(f);
        bytes.insert(bytes.end(), b.begin(), b.end());
    }
    writeBytes(tfr, bytes);  // 2.4 MB: more than one read chunk, chunk size not a multiple of 12
    EXPECT_EQ(*loadTimeFrames(fs, tfr), many);
}

TEST_F(RecordFileTest, SignatureTellsFramesApartToTheSecond) {
    setenv("TZ", "America/New_York", 1);
    tzset();
    const std::int32_t t = 850318245;  // Wednesday 11 December 1996, 10:30:45 local
    const TimeFrameRecord f{5, t, t + 3600};
    EXPECT_EQ(timeFrameSignature(f), "5\t19961211\t19961211\t630.45\t690.45\t\n");
    EXPECT_NE(timeFrameSignature(f), timeFrameSignature({5, t, t + 3601}));
    EXPECT_NE(timeFrameSignature(f), timeFrameSignature({6, t, t + 3600}));
    const std::int32_t lateEvening = t + 13 * 3600;  // 23:30:45
    EXPECT_EQ(timeFrameSignature({5, lateEvening, lateEvening + 3600}),
              "5\t19961211\t19961212\t1410.45\t30.45\t\n");
}

}  // namespace
}  // namespace ql
