#include "core/tracking/RunningRecovery.h"

#include "core/store/Projects.h"

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

// A journal from the future (a clock set forward, then back) must not write years of work,
// and an entry that cannot be checked out is left out rather than written.
TEST(RunningRecovery, AReviewEndsAtNowAndDropsWhatCannotBeCheckedOut) {
    const ProjectIndex projects(
        {{1, "Alpha", -1, 0.0, "", -1}, {2, "Beta", -1, 0.0, "", -1}, {5, "Gamma", -1, 0.0, "", -1}});
    constexpr std::int32_t kNow = kT0 + 7200;
    constexpr std::int32_t k2036 = 2114377200;
    struct Case {
        const char* what;
        JournalState journalled;
        const ProjectIndex* projects;
        RecoveryReview review;
        bool changed;
    };
    const Case cases[] = {
        {"a journal of the past is taken as it stands",
         {{{1, kT0}, {2, kT0 + 100}}, true, kT0 + 300, kT0 + 600}, &projects,
         {{{{1, kT0}, {2, kT0 + 100}}, true, kT0 + 300, kT0 + 600}, kT0 + 600, {}}, false},
        {"last seen in the future: it ends now",
         {{{1, kT0}, {2, kT0 + 100}}, false, 0, k2036}, &projects,
         {{{{1, kT0}, {2, kT0 + 100}}, false, 0, kNow}, k2036, {}}, true},
        {"a start after now is dropped, a start at now is kept",
         {{{1, kT0}, {2, k2036 - 3600}, {5, kNow}}, false, 0, k2036}, &projects,
         {{{{1, kT0}, {5, kNow}}, false, 0, kNow}, k2036, {{{2, k2036 - 3600}, DropReason::StartsAfterEnd}}},
         true},
        {"a start after the heartbeat (a clock set back) is dropped",
         {{{1, kT0 + 700}, {2, kT0}}, false, 0, kT0 + 600}, &projects,
         {{{{2, kT0}}, false, 0, kT0 + 600}, kT0 + 600, {{{1, kT0 + 700}, DropReason::StartsAfterEnd}}}, true},
        {"a project the projects file does not hold is dropped, whenever it started",
         {{{9, kT0}, {1, kT0 + 60}, {-3, k2036}}, false, 0, kT0 + 600}, &projects,
         {{{{1, kT0 + 60}}, false, 0, kT0 + 600},
          kT0 + 600,
          {{{9, kT0}, DropReason::UnknownProject}, {{-3, k2036}, DropReason::UnknownProject}}},
         true},
        {"an unreadable projects file drops no project for its id",
         {{{9, kT0}}, false, 0, kT0 + 600}, nullptr,
         {{{{9, kT0}}, false, 0, kT0 + 600}, kT0 + 600, {}}, false},
        {"a pause reference after the heartbeat is moved back to it",
         {{{1, kT0}}, true, k2036, kT0 + 600}, &projects,
         {{{{1, kT0}}, true, kT0 + 600, kT0 + 600}, kT0 + 600, {}}, false},
        {"away since 400: they count up to the absence's start, which is not a clamp",
         {{{1, kT0}, {2, kT0 + 100}}, false, 0, kT0 + 600, kT0 + 400}, &projects,
         {{{{1, kT0}, {2, kT0 + 100}}, false, 0, kT0 + 400, kT0 + 400}, kT0 + 400, {}}, false},
        {"an absence that began after the last heartbeat changes nothing",
         {{{1, kT0}}, false, 0, kT0 + 600, kT0 + 900}, &projects,
         {{{{1, kT0}}, false, 0, kT0 + 600, kT0 + 900}, kT0 + 600, {}}, false},
        {"a project checked in after the absence began is dropped",
         {{{1, kT0}, {2, kT0 + 500}}, false, 0, kT0 + 600, kT0 + 400}, &projects,
         {{{{1, kT0}}, false, 0, kT0 + 400, kT0 + 400}, kT0 + 400, {{{2, kT0 + 500}, DropReason::StartsAfterEnd}}},
         true},
        {"every entry dropped",
         {{{2, k2036}, {7, kT0}}, false, 0, k2036}, &projects,
         {{{}, false, 0, kNow},
          k2036,
          {{{2, k2036}, DropReason::StartsAfterEnd}, {{7, kT0}, DropReason::UnknownProject}}},
         true},
    };
    for (const Case& c : cases) {
        const RecoveryReview review = reviewJournal(c.journalled, kNow, c.projects);
        EXPECT_EQ(review, c.review) << c.what;
        EXPECT_EQ(review.changed(), c.changed) << c.what;
        // Nothing that is checked out ends after now or before it starts.
        for (const TimeFrameRecord& frame : framesAtLastSeen(review.state)) {
            EXPECT_LE(frame.end, kNow) << c.what;
            EXPECT_LE(frame.start, frame.end) << c.what;
        }
    }
}

}  // namespace
}  // namespace ql
