#pragma once

#include "core/Status.h"
#include "core/store/FieldCodec.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

namespace ql {

// One project or sub-project in the projects file ("prj"), 1082 bytes, packed, little-endian.
//
//   offset width type    field
//        0     4 int32   project id, 0 or more
//        4    61 text    name
//       65     4 int32   customer id, -1 for none
//       69     8 double  charges per hour
//       77  1001 text    memo (CR LF line breaks)
//     1078     4 int32   parent project id, -1 for a top-level project
struct ProjectRecord {
    static constexpr std::size_t kSize = 1082;
    static constexpr std::size_t kNameWidth = 61;
    static constexpr std::size_t kMemoWidth = 1001;

    std::int32_t id = 0;
    std::string name;
    std::int32_t customerId = -1;
    double chargesPerHour = 0.0;
    std::string memo;
    std::int32_t parentId = -1;

    bool operator==(const ProjectRecord&) const = default;
};

// The layout above, each field once.
inline constexpr codec::RecordField kProjectId{"project id", 0, 4};
inline constexpr codec::RecordField kProjectName{"name", 4, ProjectRecord::kNameWidth};
inline constexpr codec::RecordField kProjectCustomerId{"customer id", 65, 4};
inline constexpr codec::RecordField kProjectChargesPerHour{"charges per hour", 69, 8};
inline constexpr codec::RecordField kProjectMemo{"memo", 77, ProjectRecord::kMemoWidth};
inline constexpr codec::RecordField kProjectParentId{"parent project id", 1078, 4};
static_assert(kProjectName.offset == kProjectId.end() && kProjectCustomerId.offset == kProjectName.end() &&
              kProjectChargesPerHour.offset == kProjectCustomerId.end() &&
              kProjectMemo.offset == kProjectChargesPerHour.end() && kProjectParentId.offset == kProjectMemo.end() &&
              kProjectParentId.end() == ProjectRecord::kSize);

using ProjectBytes = std::array<unsigned char, ProjectRecord::kSize>;

ProjectBytes encodeProject(const ProjectRecord& record);
// record written over original, the bytes the file held for it: every field that still
// reads as record's keeps its bytes, so an untouched record is written back unchanged.
ProjectBytes encodeProject(const ProjectRecord& record, const unsigned char* original);
// Refuses (InvalidArgument) a record with a text that its field cannot hold whole.
Status checkProjectTexts(const ProjectRecord& record);
ProjectRecord decodeProject(const unsigned char* bytes);

// Single fields of an encoded record, for scans that need no more (no text is decoded).
std::int32_t decodeProjectId(const unsigned char* bytes);
std::int32_t decodeProjectCustomerId(const unsigned char* bytes);
double decodeProjectChargesPerHour(const unsigned char* bytes);

}  // namespace ql
