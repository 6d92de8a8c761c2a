#include "core/tracking/RunningRecovery.h"

#include <algorithm>

namespace ql {

RecoveryReview reviewJournal(const JournalState& journalled, std::int32_t now, const ProjectIndex* projects) {
    // Time after an absence began was not worked, whatever kept the program alive meanwhile.
    const std::int32_t end =
        journalled.awaySince != 0 ? std::min(journalled.heartbeat, journalled.awaySince) : journalled.heartbeat;
    RecoveryReview review{journalled, end, {}};
    JournalState& state = review.state;
    // A clock that was set forward, or a scribbled journal, must not turn into years of work.
    state.heartbeat = std::min(end, now);
    state.pauseReference = std::min(journalled.pauseReference, state.heartbeat);
    state.entries.clear();
    for (const RunningEntry& entry : journalled.entries) {
        if (projects && !projects->find(entry.projectId))
            review.dropped.push_back({entry, DropReason::UnknownProject});
        else if (entry.start > state.heartbeat)
            review.dropped.push_back({entry, DropReason::StartsAfterEnd});
        else
            state.entries.push_back(entry);
    }
    return review;
}

RunningProjects runningAtLastSeen(const JournalState& state) {
    RunningProjects running(state.entries, state.paused, state.pauseReference);
    running.tick(state.heartbeat);
    return running;
}

std::vector<TimeFrameRecord> framesAtLastSeen(const JournalState& state) {
    std::vector<TimeFrameRecord> frames;
    RunningProjects running = runningAtLastSeen(state);
    while (!running.empty()) {
        const std::int32_t id = running.entries().front().projectId;
        (void)running.checkOut(id, state.heartbeat, [&](const TimeFrameRecord& frame) {
            frames.push_back(frame);
            return Status::ok();
        });
    }
    return frames;
}

RecoveryOutcome applyRecovery(RecoveryChoice choice, const JournalState& state,
                              const RunningProjects::FrameWriter& write,
                              const std::function<void(const RunningProjects&)>& afterEach) {
    switch (choice) {
    case RecoveryChoice::Discard: return {};
    case RecoveryChoice::KeepRunning: return {RunningProjects(state.entries, state.paused, state.pauseReference), {}};
    case RecoveryChoice::CheckOutAtLastSeen: break;
    }
    RecoveryOutcome outcome{runningAtLastSeen(state), {}};
    while (!outcome.running.empty()) {
        // The head is the first entry of its id, so checkOut takes exactly that entry.
        const std::int32_t id = outcome.running.entries().front().projectId;
        auto written = outcome.running.checkOut(id, state.heartbeat, write);
        if (!written) {
            outcome.status = written.status();
            break;
        }
        if (afterEach) afterEach(outcome.running);
    }
    return outcome;
}

}  // namespace ql
