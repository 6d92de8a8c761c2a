#pragma once

#include "core/Status.h"
#include "core/store/Projects.h"
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

// Why a journalled entry is left out of the recovery.
enum class DropReason {
    UnknownProject,  // its project is not in the projects file
    StartsAfterEnd,  // it starts after the time it would be checked out at
};

struct DroppedEntry {
    RunningEntry entry;
    DropReason reason = DropReason::UnknownProject;

    bool operator==(const DroppedEntry&) const = default;
};

// A journal made fit to recover at a given time.
struct RecoveryReview {
    // What the choices act on: no time after the end, only entries that can be checked out.
    JournalState state;
    // The end the journal gave: its heartbeat, or the start of the absence the user was in
    // when that is earlier; later than state.heartbeat when it was clamped.
    std::int32_t journalledHeartbeat = 0;
    // The entries left out, in check-in order.
    std::vector<DroppedEntry> dropped;

    bool clamped() const { return journalledHeartbeat != state.heartbeat; }
    // True when the journal could not be taken as it stands, so the user should look twice.
    bool changed() const { return clamped() || !dropped.empty(); }
    bool operator==(const RecoveryReview&) const = default;
};

// Reviews journalled at now: the end is the heartbeat, or the start of the absence the journal
// holds when that is earlier (the user was away from then on), and never later than now; the
// pause reference is no
// later than it; an entry whose project projects does not hold, or that starts after the
// end, is dropped. Without projects (the file cannot be read) no entry is dropped for its
// project.
RecoveryReview reviewJournal(const JournalState& journalled, std::int32_t now, const ProjectIndex* projects);

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
