#pragma once

#include "core/time/Calendar.h"

#include <cstdint>
#include <vector>

namespace ql::calendar {

// toLocal for many times in a row: the zone's offset from UTC is looked up once per UTC day
// and the clock fields are then plain arithmetic. A day whose offset changes (the day of a
// daylight-saving switch) is converted time by time with the C library. Same results as
// toLocal, for writing a line per time frame of a million-frame file.
class LocalTimeCache {
public:
    LocalTime toLocal(std::int32_t t);
    // The same, with the zone's offset from UTC at t in seconds (east positive), as ISO 8601
    // times write it.
    LocalTime toLocal(std::int32_t t, std::int32_t& utcOffset);

private:
    std::vector<std::int32_t> m_offsetOfDay;  // by UTC day, kUnknown until looked up
    std::vector<std::int32_t> m_civilOfDay;   // packed date by local day, 0 until computed
};

}  // namespace ql::calendar
