#include "core/tracking/AbsenceAnswer.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace ql {
namespace {

constexpr std::int32_t kT0 = 850316400;
// Away from 14:05 to 14:47, as it were: 42 minutes.
const Absence kAway{kT0 + 300, kT0 + 2820};

// Records the frames handed to it; fails the one numbered failAt (from 1) when set.
struct RecordingWriter {
    std::vector<TimeFrameRecord> frames;
    int failAt = 0;
    RunningProjects::FrameWriter writer() {
        return [this](const TimeFrameRecord& f) {
            if (static_cast<int>(frames.size()) + 1 == failAt) return Status::ioError("Cannot open time frames file : x");
            frames.push_back(f);
            return Status::ok();
        };
    }
};

TEST(AbsenceAnswer, EachAnswerWritesExactlyTheFramesOfTheProjectsThatRanThrough) {
    // Alpha (1) and Beta (2) ran through the absence; Gamma (3) was checked in after it began;
    // Beta's start was moved 60 s later by a pause before the absence.
    const RunningProjects running({{1, kT0}, {2, kT0 + 160, kT0 + 100}, {3, kT0 + 2830}}, false, kT0 + 200);
    const RunningProjects paused({{1, kT0}, {2, kT0 + 100}}, true, kT0 + 200);
    // Its start moved past the absence's start by the pause accounting.
    const RunningProjects shifted({{1, kAway.start + 50, kT0}}, false, 0);
    struct Case {
        const char* what;
        const RunningProjects& before;
        AbsenceAnswer answer;
        std::vector<TimeFrameRecord> frames;
        std::vector<RunningEntry> after;
    };
    const Case cases[] = {
        {"subtract and continue: out at the start, in again at the end, in their places", running,
         AbsenceAnswer::SubtractAndContinue,
         {{1, kT0, kAway.start}, {2, kT0 + 160, kAway.start}},
         {{1, kAway.end}, {2, kAway.end}, {3, kT0 + 2830}}},
        {"subtract and check out: out at the start", running, AbsenceAnswer::SubtractAndCheckOut,
         {{1, kT0, kAway.start}, {2, kT0 + 160, kAway.start}},
         {{3, kT0 + 2830}}},
        {"keep the time: nothing written, nothing changed", running, AbsenceAnswer::KeepTime, {}, running.entries()},
        {"paused: not affected", paused, AbsenceAnswer::SubtractAndCheckOut, {}, paused.entries()},
        {"never a frame that ends before it starts", shifted, AbsenceAnswer::SubtractAndCheckOut,
         {{1, kAway.start + 50, kAway.start + 50}}, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        RecordingWriter written;
        std::vector<std::size_t> journalled;
        const AbsenceOutcome outcome = applyAbsenceAnswer(c.answer, kAway, c.before, written.writer(),
                                                          [&](const RunningProjects& r) { journalled.push_back(r.count()); });
        EXPECT_TRUE(outcome.status);
        EXPECT_EQ(written.frames, c.frames);
        EXPECT_EQ(outcome.running.entries(), c.after);
        EXPECT_EQ(outcome.running.paused(), c.before.paused());
        // The journal follows every frame that landed, so a crash cannot write one twice.
        EXPECT_EQ(journalled.size(), c.frames.size());
    }
    EXPECT_EQ(absentEntries(running, kAway), (std::vector<RunningEntry>{{1, kT0}, {2, kT0 + 160, kT0 + 100}}));
    EXPECT_TRUE(absentEntries(paused, kAway).empty());
}

// A frame that cannot be written keeps its project, and those after it, running as they were.
TEST(AbsenceAnswer, AFailedWriteStopsThereAndKeepsTheRestRunning) {
    const RunningProjects running({{1, kT0}, {2, kT0 + 100}, {3, kT0 + 200}}, false, 0);
    struct Case {
        AbsenceAnswer answer;
        std::vector<RunningEntry> after;
    };
    const Case cases[] = {
        {AbsenceAnswer::SubtractAndContinue, {{1, kAway.end}, {2, kT0 + 100}, {3, kT0 + 200}}},
        {AbsenceAnswer::SubtractAndCheckOut, {{2, kT0 + 100}, {3, kT0 + 200}}},
    };
    for (const Case& c : cases) {
        RecordingWriter written;
        written.failAt = 2;
        const AbsenceOutcome outcome = applyAbsenceAnswer(c.answer, kAway, running, written.writer());
        EXPECT_EQ(outcome.status.message(), "Cannot open time frames file : x");
        EXPECT_EQ(written.frames, (std::vector<TimeFrameRecord>{{1, kT0, kAway.start}}));
        EXPECT_EQ(outcome.running.entries(), c.after);
    }
}

}  // namespace
}  // namespace ql
