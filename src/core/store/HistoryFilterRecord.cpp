#include "core/store/HistoryFilterRecord.h"

#include "core/store/FieldCodec.h"
#include "core/store/RecordFile.h"
#include "core/time/Calendar.h"

namespace ql {

using namespace codec;

namespace {

struct NumberField {
    RecordField at;
    std::int32_t HistoryFilterRecord::*member;
};

// The layout, each field once: the encoder and the decoder both go by it.
constexpr NumberField kFields[] = {
    {{"project id", 0, 4}, &HistoryFilterRecord::projectId},
    {{"period choice", 4, 4}, &HistoryFilterRecord::periodChoice},
    {{"period start", 8, 4}, &HistoryFilterRecord::periodStart},
    {{"period end", 12, 4}, &HistoryFilterRecord::periodEnd},
};
static_assert(kFields[3].at.end() == HistoryFilterRecord::kSize);

}  // namespace

HistoryFilterBytes encodeHistoryFilter(const HistoryFilterRecord& r) {
    HistoryFilterBytes b{};
    for (const NumberField& f : kFields) putInt32(b.data(), f.at.offset, r.*f.member);
    return b;
}

HistoryFilterRecord decodeHistoryFilter(const unsigned char* b) {
    HistoryFilterRecord r;
    for (const NumberField& f : kFields) r.*f.member = getInt32(b, f.at.offset);
    return r;
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
                          Message(MessageId::CannotWriteHistoryFilter, {path}));
}

}  // namespace ql
