#pragma once

#include "core/Status.h"
#include "core/store/FileSystem.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

namespace ql {

// The saved filter of the history of charges ("his"), 16 bytes, packed, little-endian.
//
//   offset width type   field
//        0     4 int32  project id shown, -1 for all projects
//        4     4 int32  period choice
//        8     4 time   period start
//       12     4 time   period end
struct HistoryFilterRecord {
    static constexpr std::size_t kSize = 16;

    std::int32_t projectId = -1;
    std::int32_t periodChoice = 0;
    std::int32_t periodStart = 0;
    std::int32_t periodEnd = 0;

    bool operator==(const HistoryFilterRecord&) const = default;
};

using HistoryFilterBytes = std::array<unsigned char, HistoryFilterRecord::kSize>;

HistoryFilterBytes encodeHistoryFilter(const HistoryFilterRecord& record);
HistoryFilterRecord decodeHistoryFilter(const unsigned char* bytes);

// The filter when none is saved: all projects, choice 0, the local calendar year of now.
HistoryFilterRecord defaultHistoryFilter(std::int32_t now);

// Reads the "his" file at path; the defaults for now when it is missing, unreadable or short.
HistoryFilterRecord readHistoryFilter(FileSystem& fs, const std::string& path, std::int32_t now);

// Replaces the "his" file at path crash-safely.
Status writeHistoryFilter(FileSystem& fs, const std::string& path, const HistoryFilterRecord& record);

}  // namespace ql
