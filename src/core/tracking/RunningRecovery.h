#pragma once

#include "core/Status.h"
#include "core/tracking/RunningJournal.h"
#include "core/tracking/RunningProjects.h"

#include <functional>

// What becomes of the projects a journal says were running when the program ended.
namespace ql {

enum class RecoveryChoice {
    CheckOutAtLastSeen,  // each entry becomes a time frame ending at the heartbeat
    KeepRunning,         // the entries run on, with their starts and the pause state
    Discard,             // nothing is written; the entries are dropped
};

// The running state at the heartbeat: the pause accounting of the timer applied from the
// pause reference up to the heartbeat, so paused time since the last tick is not counted.
RunningProjects runningAtLastSeen(const JournalState& state);

// The frames CheckOutAtLastSeen writes, in check-in order: {id, start, heartbeat} from
// runningAtLastSeen, never ending before they start.
std::vector<TimeFrameRecord> framesAtLastSeen(const JournalState& state);

struct RecoveryOutcome {
    // What runs on after the choice: empty after a full check out or a discard.
    RunningProjects running;
    // The first failed write; the entry it was for and those after it keep running.
    Status status;
};

// Carries out choice on state. For CheckOutAtLastSeen, write gets each frame in check-in
// order and afterEach the entries still to check out after each frame landed (so a journal
// can follow); writing stops at the first failure. The other choices write nothing.
RecoveryOutcome applyRecovery(RecoveryChoice choice, const JournalState& state,
                              const RunningProjects::FrameWriter& write,
                              const std::function<void(const RunningProjects&)>& afterEach = {});

}  // namespace ql
