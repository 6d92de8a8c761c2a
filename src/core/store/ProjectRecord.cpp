#include "core/store/ProjectRecord.h"

#include "core/store/FieldCodec.h"

namespace ql {

using namespace codec;

ProjectBytes encodeProject(const ProjectRecord& r) {
    ProjectBytes b{};
    putInt32(b.data(), 0, r.id);
    putText(b.data(), 4, 61, r.name);
    putInt32(b.data(), 65, r.customerId);
    putDouble(b.data(), 69, r.chargesPerHour);
    putText(b.data(), 77, 1001, r.memo);
    putInt32(b.data(), 1078, r.parentId);
    return b;
}

ProjectRecord decodeProject(const unsigned char* b) {
    ProjectRecord r;
    r.id = getInt32(b, 0);
    r.name = getText(b, 4, 61);
    r.customerId = getInt32(b, 65);
    r.chargesPerHour = getDouble(b, 69);
    r.memo = getText(b, 77, 1001);
    r.parentId = getInt32(b, 1078);
    return r;
}

}  // namespace ql
