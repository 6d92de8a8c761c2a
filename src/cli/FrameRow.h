#pragma once

#include "core/store/ProjectRecord.h"
#include "core/store/TimeFrameRecord.h"

#include <cstdint>
#include <string>

namespace ql::cli {

// One time frame as it is listed: the record with its project resolved and its charge.
struct FrameRow {
    TimeFrameRecord frame;
    const ProjectRecord* project = nullptr;  // nullptr when no project has the frame's id
    std::string fullName;                    // top-level project first; "" without a project
    std::int32_t minutes = 0;                // whole minutes, as charged
    double charge = 0.0;
};

}  // namespace ql::cli
