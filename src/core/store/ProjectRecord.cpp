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

std::int32_t decodeProjectId(const unsigned char* b) { return getInt32(b, 0); }

double decodeProjectChargesPerHour(const unsigned char* b) { return getDouble(b, 69); }

ProjectRecord decodeProject(const unsigned char* b) {
    ProjectRecord r;
    r.id = decodeProjectId(b);
    r.name = getText(b, 4, 61);
    r.customerId = getInt32(b, 65);
    r.chargesPerHour = decodeProjectChargesPerHour(b);
    r.memo = getText(b, 77, 1001);
    r.parentId = getInt32(b, 1078);
    return r;
}

}  // namespace ql
