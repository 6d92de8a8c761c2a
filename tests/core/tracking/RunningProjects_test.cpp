#include "core/tracking/RunningProjects.h"

#include "TrackingFixture.h"
#include "support/FaultyFileSystem.h"
#include "core/support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace ql {
namespace {

constexpr std::int32_t kT0 = 850316400;  // Wednesday 11 December 1996, 10:00 in New York

struct RecordingWriter {
    std::vector<TimeFrameRecord> written;
    Status answer;
    RunningProjects::FrameWriter writer() {
        return [this](const TimeFrameRecord& f) {
            if (answer) written.push_back(f);
            return answer;
        };
    }
};

TEST(RunningProjects, TheSixthCheckInIsRefusedAndChangesNothing) {
    RunningProjects running;
    for (std::int32_t id = 0; id < 5; ++id) EXPECT_EQ(running.checkIn(id, kT0 + id), CheckInResult::CheckedIn);
    EXPECT_TRUE(running.full());
    const auto before = running.entries();
    EXPECT_EQ(running.checkIn(9, kT0 + 10), CheckInResult::LimitReached);
    EXPECT_EQ(running.entries(), before);
}

TEST(RunningProjects, CheckingOutTheSameProjectRemovesItsEarlierEntryFirst) {
    RunningProjects running;
    RecordingWriter out;
    running.checkIn(7, kT0);
    running.checkIn(3, kT0 + 60);
    running.checkIn(7, kT0 + 120);
    const auto frame = running.checkOut(7, kT0 + 600, out.writer());
    ASSERT_TRUE(frame.isOk());
    EXPECT_EQ(*frame, (TimeFrameRecord{7, kT0, kT0 + 600}));
    EXPECT_EQ(out.written, std::vector<TimeFrameRecord>{*frame});
    EXPECT_EQ(running.entries(), (std::vector<RunningEntry>{{3, kT0 + 60}, {7, kT0 + 120}}));
    EXPECT_EQ(running.runningIds(), (std::vector<std::int32_t>{3, 7}));
    EXPECT_EQ(running.checkOut(42, kT0 + 700, out.writer()).status().code(), StatusCode::NotFound);
    EXPECT_EQ(running.count(), 2u);
}

TEST(RunningProjects, AFailedWriteKeepsTheProjectRunningAndPaused) {
    RunningProjects running;
    RecordingWriter out;
    out.answer = Status::ioError("Cannot open time frames file : /x/Work.tfr");
    running.checkIn(4, kT0);
    running.togglePause(kT0 + 60);
    const auto frame = running.checkOut(4, kT0 + 120, out.writer());
    EXPECT_EQ(frame.status().message(), "Cannot open time frames file : /x/Work.tfr");
    EXPECT_EQ(running.entries(), (std::vector<RunningEntry>{{4, kT0}}));
    EXPECT_TRUE(running.paused());

    out.answer = Status::ok();
    EXPECT_TRUE(running.checkOut(4, kT0 + 180, out.writer()).isOk());
    EXPECT_EQ(out.written, (std::vector<TimeFrameRecord>{{4, kT0, kT0 + 180}}));
    EXPECT_TRUE(running.empty());
    EXPECT_FALSE(running.paused());  // the last project out ends the pause
}

TEST(RunningProjects, ThePauseStaysWhileOtherProjectsRun) {
    RunningProjects running;
    RecordingWriter out;
    for (std::int32_t id = 0; id < 3; ++id) running.checkIn(id, kT0);
    EXPECT_TRUE(running.togglePause(kT0 + 10));
    ASSERT_TRUE(running.checkOut(1, kT0 + 20, out.writer()).isOk());
    EXPECT_TRUE(running.paused());
    EXPECT_EQ(running.count(), 2u);
}

TEST(RunningProjects, APauseSpanningTwoTicksMovesEveryStartByThePausedTime) {
    RunningProjects running;
    running.checkIn(1, kT0);
    running.checkIn(2, kT0 + 100);
    const std::int32_t pause = kT0 + 600;
    running.togglePause(pause);
    running.tick(pause + 30);
    running.tick(pause + 60);
    // The check-in times stay where the user checked in.
    EXPECT_EQ(running.entries(), (std::vector<RunningEntry>{{1, kT0 + 60, kT0}, {2, kT0 + 160, kT0 + 100}}));
    // Worked time stopped growing at the pause.
    EXPECT_EQ(pause + 60 - running.entries()[0].start, 600);
    EXPECT_EQ(running.pauseReference(), pause + 60);

    running.togglePause(pause + 75);  // resume: the 15 s since the last tick stay counted
    running.tick(pause + 105);
    EXPECT_EQ(running.entries()[0].start, kT0 + 60);
}

TEST(RunningProjects, APauseWithNoTickMovesNothing) {
    RunningProjects running;
    running.checkIn(1, kT0);
    running.togglePause(kT0 + 100);
    running.togglePause(kT0 + 120);
    running.tick(kT0 + 130);
    EXPECT_EQ(running.entries()[0].start, kT0);
}

TEST(RunningProjects, AProjectCheckedInDuringAPauseIsShiftedOnlyFromItsCheckIn) {
    RunningProjects running;
    RecordingWriter out;
    running.checkIn(1, kT0);
    const std::int32_t pause = kT0 + 600;
    running.togglePause(pause);
    running.checkIn(2, pause + 20);
    running.tick(pause + 30);
    EXPECT_EQ(running.entries()[0].start, kT0 + 30);
    EXPECT_EQ(running.entries()[1].start, pause + 30);  // not pause + 50, after the current time
    const auto frame = running.checkOut(2, pause + 30, out.writer());
    ASSERT_TRUE(frame.isOk());
    EXPECT_EQ(*frame, (TimeFrameRecord{2, pause + 30, pause + 30}));
}

TEST(RunningProjects, AClockSetBackNeitherShiftsBackNorWritesAnInvertedFrame) {
    RunningProjects running;
    RecordingWriter out;
    running.checkIn(1, kT0);
    running.togglePause(kT0 + 600);
    running.tick(kT0 + 300);
    EXPECT_EQ(running.entries()[0].start, kT0);
    const auto frame = running.checkOut(1, kT0 - 3600, out.writer());
    ASSERT_TRUE(frame.isOk());
    EXPECT_EQ(*frame, (TimeFrameRecord{1, kT0, kT0}));
}

TEST(RunningProjects, PauseNeedsARunningProject) {
    RunningProjects running;
    EXPECT_FALSE(running.togglePause(kT0));
    EXPECT_FALSE(running.paused());
    running.tick(kT0 + 30);
    running.checkIn(1, kT0);
    running.tick(kT0 + 60);  // not paused: nothing moves
    EXPECT_EQ(running.entries()[0].start, kT0);
}

class RunningProjectsOnFiles : public testing::TrackingFixture {};

TEST_F(RunningProjectsOnFiles, CheckOutWithTheTimeFramesFileGoneCanBeRetriedOnceItIsBack) {
    RunningProjects running;
    auto append = [&](const TimeFrameRecord& f) { return appendTimeFrame(m_fs, m_set, f); };
    running.checkIn(3, kT0);
    const std::string tfr = path(FileKind::TimeFrames);
    std::filesystem::rename(tfr, tfr + ".away");

    const auto failed = running.checkOut(3, kT0 + 3600, append);
    EXPECT_EQ(failed.status().message(), "Cannot open time frames file : " + tfr);
    EXPECT_EQ(running.count(), 1u);

    std::filesystem::rename(tfr + ".away", tfr);
    ASSERT_TRUE(running.checkOut(3, kT0 + 3660, append).isOk());
    EXPECT_TRUE(running.empty());
    EXPECT_EQ(std::filesystem::file_size(tfr), 12u);
    EXPECT_EQ(loadTimeFrames(m_fs, tfr).value(), (std::vector<TimeFrameRecord>{{3, kT0, kT0 + 3660}}));
}

TEST(RunningProjectsOnAFailingDisk, AWriteThatFailsPartWayKeepsTheProjectAndLeavesNoTornRecord) {
    setenv("TZ", "America/New_York", 1);
    tzset();
    test::TempDir dir;
    test::FaultyFileSystem fs;
    const std::string settings = dir.path("Work.qlr");
    ASSERT_TRUE(createFileSet(fs, FileSet(settings), "$", true));
    RunningProjects running;
    running.checkIn(2, kT0);
    fs.failEvery(test::FaultyFileSystem::Op::Write);
    const auto failed = running.checkOut(2, kT0 + 600, [&](const TimeFrameRecord& f) {
        return appendTimeFrame(fs, FileSet(settings), f);
    });
    EXPECT_EQ(failed.status().message(), "Cannot open time frames file : " + dir.path("Work.tfr"));
    EXPECT_EQ(running.entries(), (std::vector<RunningEntry>{{2, kT0}}));
    EXPECT_TRUE(test::readBytes(dir.path("Work.tfr")).empty());
}

}  // namespace
}  // namespace ql
