#pragma once

#include "core/Progress.h"
#include "core/Status.h"
#include "core/store/FileSet.h"
#include "core/store/FileSystem.h"
#include "core/store/TimeFrameRecord.h"

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

namespace ql {

// "Cannot open time frames file : " + path, the message of every time-frames-file failure.
Message timeFramesFileMessage(const std::string& timeFramesPath);

// Appends frame to the "tfr" file of set (which must exist).
Status appendTimeFrame(FileSystem& fs, const FileSet& set, const TimeFrameRecord& frame);

// The frame's identity as text, in local time: project id, start date, end date (yyyymmdd),
// start and end time of day (hour * 60 + minute + second * 0.01, "%.2f"), each followed by a TAB,
// then a line feed.
std::string timeFrameSignature(const TimeFrameRecord& frame);

// Removes every copy of frame from the time frames file at timeFramesPath.
Status removeTimeFrame(FileSystem& fs, const std::string& timeFramesPath, const TimeFrameRecord& frame);

// Removes every copy of oldFrame and adds newFrame at the end, in one crash-safe rewrite.
Status updateTimeFrame(FileSystem& fs, const std::string& timeFramesPath, const TimeFrameRecord& oldFrame,
                       const TimeFrameRecord& newFrame);

// Removes every copy of each of frames from the time frames file at timeFramesPath in one
// crash-safe rewrite: all of them go, or on failure none.
Status removeTimeFrames(FileSystem& fs, const std::string& timeFramesPath, const std::vector<TimeFrameRecord>& frames);

// Calls onFrame for every frame of the file at timeFramesPath in file order, reading it once.
// progress, when given, follows the bytes read and may stop the scan (Status::cancelled()).
template <typename OnFrame>
Status forEachTimeFrame(FileSystem& fs, const std::string& timeFramesPath, OnFrame&& onFrame,
                        Progress* progress = nullptr);

// The greatest project id that a frame of the file refers to; -1 for an empty or missing file.
Result<std::int32_t> highestProjectIdInFrames(FileSystem& fs, const std::string& timeFramesPath);

// Every frame of the file, in file order.
Result<std::vector<TimeFrameRecord>> loadTimeFrames(FileSystem& fs, const std::string& timeFramesPath);

// Implementation detail of forEachTimeFrame: streams whole 12-byte records in chunks.
Status scanTimeFrameChunks(FileSystem& fs, const std::string& timeFramesPath,
                           const std::function<void(const unsigned char* records, std::size_t count)>& onChunk,
                           Progress* progress = nullptr);

template <typename OnFrame>
Status forEachTimeFrame(FileSystem& fs, const std::string& timeFramesPath, OnFrame&& onFrame, Progress* progress) {
    return scanTimeFrameChunks(
        fs, timeFramesPath,
        [&](const unsigned char* records, std::size_t count) {
            for (std::size_t i = 0; i < count; ++i) onFrame(decodeTimeFrame(records + i * TimeFrameRecord::kSize));
        },
        progress);
}

}  // namespace ql
