#pragma once

#include "core/Status.h"
#include "core/store/FileSystem.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

// Operations shared by every record file: headerless sequences of fixed-size records.
// Each failure returns the caller's user-facing message and leaves the file as it was.
namespace ql {

// Called with consecutive whole records; count >= 1.
using RecordChunkFn = std::function<void(const unsigned char* records, std::size_t count)>;
using KeepRecordFn = std::function<bool(const unsigned char* record)>;

// Streams every whole record of path in file order; a torn tail (a size that is not a
// multiple of recordSize) is ignored. Fails with failureMessage when the file cannot be read.
Status scanRecords(FileSystem& fs, const std::string& path, std::size_t recordSize,
                   const std::string& failureMessage, const RecordChunkFn& onChunk);

// All whole records of path, concatenated.
Result<std::vector<unsigned char>> readRecords(FileSystem& fs, const std::string& path, std::size_t recordSize,
                                               const std::string& failureMessage);

// Appends one record to an existing file, synced. A torn tail is dropped first so the new
// record starts on a record boundary; a write that fails part-way is cut back off.
Status appendRecord(FileSystem& fs, const std::string& path, const unsigned char* record, std::size_t recordSize,
                    const std::string& failureMessage);

// Replaces path by records (concatenated whole records) through the "tmp" file of its
// set: written, synced, then renamed over path. On failure path is untouched.
Status rewriteRecords(FileSystem& fs, const std::string& path, const unsigned char* records, std::size_t byteCount,
                      const std::string& failureMessage);

// One crash-safe rewrite of path that keeps, in order, the records keep accepts and then
// adds `append` (whole records, may be empty) at the end. A missing file counts as empty
// when nothing is appended, and fails otherwise.
Status replaceRecords(FileSystem& fs, const std::string& path, std::size_t recordSize, const KeepRecordFn& keep,
                      const std::vector<unsigned char>& append, const std::string& failureMessage);

// replaceRecords with nothing appended: removes every record keep rejects.
Status removeRecords(FileSystem& fs, const std::string& path, std::size_t recordSize, const KeepRecordFn& keep,
                     const std::string& failureMessage);

// The temporary file used while path is rewritten: path less its last three characters + "tmp".
std::string temporaryPathFor(const std::string& path);

}  // namespace ql
