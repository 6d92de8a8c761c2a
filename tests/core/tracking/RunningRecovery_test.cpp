#include "core/tracking/RunningRecovery.h"

#include <gtest/gtest.h>

namespace ql {
namespace {

constexpr std::int32_t kT0 = 850316400;

// The timer's pause accounting runs up to the heartbeat, as if one more tick had come then.
TEST(RunningRecovery, FramesEndAtTheHeartbeatWithThePauseTakenOut) {
    struct Case {
        const char* what;
        JournalState state;
        std::vector<TimeFrameRecord> frames;
    };
    const Case cases[] = {
        {"running: the whole span up to the heartbeat counts",
         {{{1, kT0}, {2, kT0 + 100}}, false, kT0 + 50, kT0 + 600},
         {{1, kT0, kT0 + 600}, {2, kT0 + 100, kT0 + 600}}},
        {"paused since 300: the 300 s after it are taken out",
         {{{1, kT0}, {2, kT0 + 100}}, true, kT0 + 300, kT0 + 600},
         {{1, kT0 + 300, kT0 + 600}, {2, kT0 + 400, kT0 + 600}}},
        {"checked in during the pause: paused only since its own start",
         {{{1, kT0}, {2, kT0 + 450}}, true, kT0 + 300, kT0 + 600},
         {{1, kT0 + 300, kT0 + 600}, {2, kT0 + 600, kT0 + 600}}},
        {"the last write was a tick: nothing more to take out",
         {{{1, kT0}}, true, kT0 + 600, kT0 + 600},
         {{1, kT0, kT0 + 600}}},
        {"a clock set back: no frame ends before it starts",
         {{{1, kT0}}, false, 0, kT0 - 10},
         {{1, kT0, kT0}}},
        {"the same project twice, in check-in order",
         {{{5, kT0 + 10}, {5, kT0}}, false, 0, kT0 + 60},
         {{5, kT0 + 10, kT0 + 60}, {5, kT0, kT0 + 60}}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(framesAtLastSeen(c.state), c.frames) << c.what;
        std::vector<TimeFrameRecord> written;
        const RecoveryOutcome outcome = applyRecovery(RecoveryChoice::CheckOutAtLastSeen, c.state,
                                                      [&](const TimeFrameRecord& f) {
                                                          written.push_back(f);
                                                          return Status::ok();
                                                      });
        EXPECT_EQ(written, c.frames) << c.what;
        EXPECT_TRUE(outcome.running.empty());
        EXPECT_TRUE(outcome.status);
    }
}

TEST(RunningRecovery, KeepRunningRestoresTheStateAndDiscardDropsItWithoutWriting) {
    const JournalState state{{{1, kT0}, {2, kT0 + 100}}, true, kT0 + 300, kT0 + 600};
    int writes = 0;
    const auto write = [&](const TimeFrameRecord&) {
        ++writes;
        return Status::ok();
    };
    RecoveryOutcome kept = applyRecovery(RecoveryChoice::KeepRunning, state, write);
    EXPECT_EQ(kept.running.entries(), state.entries);
    EXPECT_TRUE(kept.running.paused());
    EXPECT_EQ(kept.running.pauseReference(), kT0 + 300);
    // As if nothing happened: the next tick takes the whole pause since 300 out.
    kept.running.tick(kT0 + 900);
    EXPECT_EQ(kept.running.entries()[0].start, kT0 + 600);

    const RecoveryOutcome dropped = applyRecovery(RecoveryChoice::Discard, state, write);
    EXPECT_TRUE(dropped.running.empty());
    EXPECT_FALSE(dropped.running.paused());
    EXPECT_EQ(writes, 0);
}

// Each frame that lands is reported with what is left, so a journal can follow; the first
// failure stops there and leaves that entry and the later ones running.
TEST(RunningRecovery, AFailedFrameKeepsItAndTheRestRunning) {
    const JournalState state{{{1, kT0}, {2, kT0 + 100}, {3, kT0 + 200}}, false, 0, kT0 + 600};
    std::vector<TimeFrameRecord> written;
    std::vector<std::size_t> left;
    const RecoveryOutcome outcome = applyRecovery(
        RecoveryChoice::CheckOutAtLastSeen, state,
        [&](const TimeFrameRecord& f) {
            if (f.projectId == 2) return Status::ioError("Cannot open time frames file : W.tfr");
            written.push_back(f);
            return Status::ok();
        },
        [&](const RunningProjects& rest) { left.push_back(rest.count()); });
    EXPECT_EQ(written, (std::vector<TimeFrameRecord>{{1, kT0, kT0 + 600}}));
    EXPECT_EQ(left, std::vector<std::size_t>{2});
    EXPECT_EQ(outcome.status.message(), "Cannot open time frames file : W.tfr");
    EXPECT_EQ(outcome.running.entries(), (std::vector<RunningEntry>{{2, kT0 + 100}, {3, kT0 + 200}}));
}

}  // namespace
}  // namespace ql
