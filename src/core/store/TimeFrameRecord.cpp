#include "core/store/TimeFrameRecord.h"

#include "core/store/FieldCodec.h"

namespace ql {

using namespace codec;

TimeFrameBytes encodeTimeFrame(const TimeFrameRecord& r) {
    TimeFrameBytes b{};
    putInt32(b.data(), 0, r.projectId);
    putInt32(b.data(), 4, r.start);
    putInt32(b.data(), 8, r.end);
    return b;
}

}  // namespace ql
