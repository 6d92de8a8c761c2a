#pragma once

#include "core/Status.h"
#include "core/tracking/AbsenceTracker.h"
#include "core/tracking/RunningProjects.h"

#include <functional>
#include <vector>

// What becomes of the running projects when the user says what an absence was.
namespace ql {

enum class AbsenceAnswer {
    SubtractAndContinue,  // each is checked out at the absence's start and runs on from its end
    SubtractAndCheckOut,  // each is checked out at the absence's start
    KeepTime,             // the absence counts as worked; nothing is written
};

// The entries an absence took time from, in check-in order: those checked in no later than
// its start. None while paused: paused projects were not counting the absence.
std::vector<RunningEntry> absentEntries(const RunningProjects& running, const Absence& absence);

struct AbsenceOutcome {
    // What runs on after the answer.
    RunningProjects running;
    // The first failed write; the entry it was for and those after it run on unchanged.
    Status status;
};

// Carries out answer on running. Each of absentEntries (in check-in order) is handed to write
// as the frame {id, start, absence start} (never ending before it starts, and with the start
// the pause accounting gave it); once it landed the entry is removed, or for
// SubtractAndContinue replaced in its place by one checked in at the absence's end, and
// afterEach gets what runs then (so a journal can follow). Writing stops at the first failure.
// KeepTime writes nothing and returns running as it is.
AbsenceOutcome applyAbsenceAnswer(AbsenceAnswer answer, const Absence& absence, const RunningProjects& running,
                                  const RunningProjects::FrameWriter& write,
                                  const std::function<void(const RunningProjects&)>& afterEach = {});

}  // namespace ql
