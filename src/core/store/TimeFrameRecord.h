#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#include "core/store/FieldCodec.h"

namespace ql {

// One worked interval in the time frames file ("tfr"), 12 bytes, packed, little-endian.
// It has no id of its own; a frame is known by its project, start and end.
//
//   offset width type   field
//        0     4 int32  project id
//        4     4 time   start, seconds since 1970-01-01 00:00:00 UTC
//        8     4 time   end, seconds since 1970-01-01 00:00:00 UTC
struct TimeFrameRecord {
    static constexpr std::size_t kSize = 12;

    std::int32_t projectId = -1;
    std::int32_t start = 0;
    std::int32_t end = 0;

    bool operator==(const TimeFrameRecord&) const = default;
};

// The layout above, each field once.
inline constexpr codec::RecordField kFrameProjectId{"project id", 0, 4};
inline constexpr codec::RecordField kFrameStart{"start", 4, 4};
inline constexpr codec::RecordField kFrameEnd{"end", 8, 4};
static_assert(kFrameStart.offset == kFrameProjectId.end() && kFrameEnd.offset == kFrameStart.end() &&
              kFrameEnd.end() == TimeFrameRecord::kSize);

using TimeFrameBytes = std::array<unsigned char, TimeFrameRecord::kSize>;

TimeFrameBytes encodeTimeFrame(const TimeFrameRecord& record);
inline TimeFrameRecord decodeTimeFrame(const unsigned char* bytes) {
    return {codec::getInt32(bytes, kFrameProjectId.offset), codec::getInt32(bytes, kFrameStart.offset),
            codec::getInt32(bytes, kFrameEnd.offset)};
}

}  // namespace ql
