#include "core/store/TimeFrames.h"

#include "core/store/FieldCodec.h"
#include "core/store/FileSet.h"
#include "core/store/RecordFile.h"
#include "core/text/NumberText.h"
#include "core/time/Calendar.h"

#include <algorithm>
#include <cstring>

namespace ql {

Message timeFramesFileMessage(const std::string& timeFramesPath) {
    return Message(MessageId::CannotOpenTimeFramesFile, {timeFramesPath});
}

Status appendTimeFrame(FileSystem& fs, const FileSet& set, const TimeFrameRecord& frame) {
    const std::string& path = set.timeFrames();
    const auto bytes = encodeTimeFrame(frame);
    return appendRecord(fs, path, bytes.data(), bytes.size(), timeFramesFileMessage(path));
}

std::string timeFrameSignature(const TimeFrameRecord& frame) {
    const auto start = calendar::toLocal(frame.start);
    const auto end = calendar::toLocal(frame.end);
    auto date = [](const calendar::LocalTime& t) { return static_cast<long>(t.year) * 10000 + t.month * 100 + t.day; };
    auto clock = [](const calendar::LocalTime& t) { return t.hour * 60 + t.minute + t.second * 0.01; };
    return integerText(frame.projectId) + "\t" + integerText(date(start)) + "\t" + integerText(date(end)) + "\t" +
           fixed2Text(clock(start)) + "\t" + fixed2Text(clock(end)) + "\t\n";
}

namespace {

// Two frames are the same frame when project, start and end agree to the second. This is
// what the signature tells apart, without a local-time conversion per record; unlike the
// signature it also keeps apart two instants of a repeated daylight-saving hour.
KeepRecordFn keepAllBut(const TimeFrameRecord& frame) {
    const auto target = encodeTimeFrame(frame);
    return [target](const unsigned char* record) {
        return std::memcmp(record, target.data(), TimeFrameRecord::kSize) != 0;
    };
}

}  // namespace

Status removeTimeFrame(FileSystem& fs, const std::string& timeFramesPath, const TimeFrameRecord& frame) {
    return removeRecords(fs, timeFramesPath, TimeFrameRecord::kSize, keepAllBut(frame),
                         timeFramesFileMessage(timeFramesPath));
}

Status updateTimeFrame(FileSystem& fs, const std::string& timeFramesPath, const TimeFrameRecord& oldFrame,
                       const TimeFrameRecord& newFrame) {
    const auto bytes = encodeTimeFrame(newFrame);
    return replaceRecords(fs, timeFramesPath, TimeFrameRecord::kSize, keepAllBut(oldFrame),
                          std::vector<unsigned char>(bytes.begin(), bytes.end()), timeFramesFileMessage(timeFramesPath));
}

Status removeTimeFrames(FileSystem& fs, const std::string& timeFramesPath, const std::vector<TimeFrameRecord>& frames) {
    std::vector<TimeFrameBytes> targets;
    targets.reserve(frames.size());
    for (const TimeFrameRecord& frame : frames) targets.push_back(encodeTimeFrame(frame));
    std::sort(targets.begin(), targets.end());
    targets.erase(std::unique(targets.begin(), targets.end()), targets.end());
    return removeRecords(
        fs, timeFramesPath, TimeFrameRecord::kSize,
        [&targets](const unsigned char* record) {
            TimeFrameBytes bytes;
            std::memcpy(bytes.data(), record, bytes.size());
            return !std::binary_search(targets.begin(), targets.end(), bytes);
        },
        timeFramesFileMessage(timeFramesPath));
}

Status scanTimeFrameChunks(FileSystem& fs, const std::string& timeFramesPath,
                           const std::function<void(const unsigned char* records, std::size_t count)>& onChunk,
                           Progress* progress) {
    return scanRecords(fs, timeFramesPath, TimeFrameRecord::kSize, timeFramesFileMessage(timeFramesPath), onChunk,
                       progress);
}

Result<std::int32_t> highestProjectIdInFrames(FileSystem& fs, const std::string& timeFramesPath) {
    if (!fs.exists(timeFramesPath)) return -1;
    std::int32_t highest = -1;
    const Status st = scanTimeFrameChunks(fs, timeFramesPath, [&](const unsigned char* records, std::size_t count) {
        for (std::size_t i = 0; i < count; ++i)
            highest = std::max(highest, codec::getInt32(records + i * TimeFrameRecord::kSize, kFrameProjectId.offset));
    });
    if (!st) return st;
    return highest;
}

Result<std::vector<TimeFrameRecord>> loadTimeFrames(FileSystem& fs, const std::string& timeFramesPath) {
    std::vector<TimeFrameRecord> frames;
    const Status st = forEachTimeFrame(fs, timeFramesPath, [&](const TimeFrameRecord& f) { frames.push_back(f); });
    if (!st) return st;
    return frames;
}

}  // namespace ql
