#include "core/store/ProjectRecord.h"

#include "core/store/FieldCodec.h"

#include <algorithm>

namespace ql {

using namespace codec;

namespace {

void encodeOnto(ProjectBytes& b, const ProjectRecord& r) {
    putInt32(b.data(), 0, r.id);
    putTextOver(b.data(), 4, 61, r.name);
    putInt32(b.data(), 65, r.customerId);
    putDouble(b.data(), 69, r.chargesPerHour);
    putTextOver(b.data(), 77, 1001, r.memo);
    putInt32(b.data(), 1078, r.parentId);
}

}  // namespace

ProjectBytes encodeProject(const ProjectRecord& r) {
    ProjectBytes b{};
    encodeOnto(b, r);
    return b;
}

ProjectBytes encodeProject(const ProjectRecord& r, const unsigned char* original) {
    ProjectBytes b;
    std::copy(original, original + ProjectRecord::kSize, b.begin());
    encodeOnto(b, r);
    return b;
}

Status checkProjectTexts(const ProjectRecord& r) {
    if (!textFitsField(r.name, ProjectRecord::kNameWidth))
        return Status::invalidArgument("The project name is too long to be stored (at most 60 bytes) : " + r.name);
    if (!textFitsField(r.memo, ProjectRecord::kMemoWidth))
        return Status::invalidArgument("The memo of project " + r.name + " is too long to be stored (at most 1000 bytes)");
    return Status::ok();
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
