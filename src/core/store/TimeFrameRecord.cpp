#include "core/store/TimeFrameRecord.h"

#include "core/store/FieldCodec.h"

namespace ql {

using namespace codec;

TimeFrameBytes encodeTimeFrame(const TimeFrameRecord& r) {
    TimeFrameBytes b{};
    putInt32(b.data(), kFrameProjectId.offset, r.projectId);
    putInt32(b.data(), kFrameStart.offset, r.start);
    putInt32(b.data(), kFrameEnd.offset, r.end);
    return b;
}

}  // namespace ql
