#pragma once

#include <cstdint>
#include <string>

namespace ql::bench {

// A file set of realistic shape, generated once per process in a temporary folder:
// projectCount projects (top-level projects with sub-projects), frameCount time frames
// spread over the years before `now`, and customers. Returns the settings-file path.
std::string generatedFileSet(int projectCount, int frameCount);

// The time the generated data ends at: Wednesday 11 December 1996, 10:00 in the pinned zone.
std::int32_t benchNow();

}  // namespace ql::bench
