#pragma once

#include <cstdint>

namespace ql {

// One running project: its id and the time it was checked in, moved later by every pause
// shift, so that now - start is always the time worked so far.
struct RunningEntry {
    std::int32_t projectId = -1;
    std::int32_t start = 0;

    bool operator==(const RunningEntry&) const = default;
};

}  // namespace ql
