#include "core/time/Clock.h"

#include <ctime>
#include <limits>

namespace ql {

std::int32_t SystemClock::now() const {
    const std::time_t t = std::time(nullptr);
    // Past 2038 the record format cannot hold the time; pin it rather than wrap into 1901.
    if (t > std::numeric_limits<std::int32_t>::max()) return std::numeric_limits<std::int32_t>::max();
    return static_cast<std::int32_t>(t);
}

}  // namespace ql
