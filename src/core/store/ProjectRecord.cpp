#include "core/store/ProjectRecord.h"

#include "core/store/FieldCodec.h"

#include <algorithm>

namespace ql {

using namespace codec;

namespace {

void encodeOnto(ProjectBytes& b, const ProjectRecord& r) {
    putInt32(b.data(), kProjectId.offset, r.id);
    putTextOver(b.data(), kProjectName.offset, kProjectName.width, r.name);
    putInt32(b.data(), kProjectCustomerId.offset, r.customerId);
    putDouble(b.data(), kProjectChargesPerHour.offset, r.chargesPerHour);
    putTextOver(b.data(), kProjectMemo.offset, kProjectMemo.width, r.memo);
    putInt32(b.data(), kProjectParentId.offset, r.parentId);
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
        return Status::invalidArgument(Message(MessageId::ProjectNameTooLong, {r.name}));
    if (!textFitsField(r.memo, ProjectRecord::kMemoWidth))
        return Status::invalidArgument(Message(MessageId::ProjectMemoTooLong, {r.name}));
    return Status::ok();
}

std::int32_t decodeProjectId(const unsigned char* b) { return getInt32(b, kProjectId.offset); }

std::int32_t decodeProjectCustomerId(const unsigned char* b) { return getInt32(b, kProjectCustomerId.offset); }

double decodeProjectChargesPerHour(const unsigned char* b) { return getDouble(b, kProjectChargesPerHour.offset); }

ProjectRecord decodeProject(const unsigned char* b) {
    ProjectRecord r;
    r.id = decodeProjectId(b);
    r.name = getText(b, kProjectName.offset, kProjectName.width);
    r.customerId = decodeProjectCustomerId(b);
    r.chargesPerHour = decodeProjectChargesPerHour(b);
    r.memo = getText(b, kProjectMemo.offset, kProjectMemo.width);
    r.parentId = getInt32(b, kProjectParentId.offset);
    return r;
}

}  // namespace ql
