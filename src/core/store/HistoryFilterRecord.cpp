#include "core/store/HistoryFilterRecord.h"

#include "core/store/FieldCodec.h"
#include "core/store/RecordFile.h"
#include "core/time/Calendar.h"

namespace ql {

using namespace codec;

HistoryFilterBytes encodeHistoryFilter(const HistoryFilterRecord& r) {
    HistoryFilterBytes b{};
    putInt32(b.data(), 0, r.projectId);
    putInt32(b.data(), 4, r.periodChoice);
    putInt32(b.data(), 8, r.periodStart);
    putInt32(b.data(), 12, r.periodEnd);
    return b;
}

HistoryFilterRecord decodeHistoryFilter(const unsigned char* b) {
    return {getInt32(b, 0), getInt32(b, 4), getInt32(b, 8), getInt32(b, 12)};
}

HistoryFilterRecord defaultHistoryFilter(std::int32_t now) {
    return {-1, 0, calendar::yearStart(now), calendar::yearEnd(now)};
}

HistoryFilterRecord readHistoryFilter(FileSystem& fs, const std::string& path, std::int32_t now) {
    auto bytes = readFirstRecord(fs, path, HistoryFilterRecord::kSize, {});
    if (!bytes || bytes->empty()) return defaultHistoryFilter(now);
    return decodeHistoryFilter(bytes->data());
}

Status writeHistoryFilter(FileSystem& fs, const std::string& path, const HistoryFilterRecord& record) {
    const auto bytes = encodeHistoryFilter(record);
    return rewriteRecords(fs, path, HistoryFilterRecord::kSize, bytes.data(), bytes.size(),
                          "Cannot write history filter file : " + path);
}

}  // namespace ql
