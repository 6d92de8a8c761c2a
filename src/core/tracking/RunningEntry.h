#pragma once

#include <cstdint>

namespace ql {

// One running project: its id, the time it was checked in, moved later by every pause
// shift, so that now - start is always the time worked so far, and the time the user
// checked it in, which no pause moves (what the user is shown as its start).
struct RunningEntry {
    std::int32_t projectId = -1;
    std::int32_t start = 0;
    std::int32_t checkedIn = 0;

    RunningEntry() = default;
    // An entry no pause has shifted yet: checked in at start.
    RunningEntry(std::int32_t id, std::int32_t startTime) : projectId(id), start(startTime), checkedIn(startTime) {}
    RunningEntry(std::int32_t id, std::int32_t startTime, std::int32_t checkedInTime)
        : projectId(id), start(startTime), checkedIn(checkedInTime) {}

    bool operator==(const RunningEntry&) const = default;
};

}  // namespace ql
