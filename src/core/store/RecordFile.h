#pragma once

#include "core/Status.h"
#include "core/store/FileSet.h"
#include "core/store/FileSystem.h"

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

// Operations shared by every record file: headerless sequences of fixed-size records.
// Each failure returns the caller's user-facing message and leaves the file as it was.
namespace ql {

// How long a writer waits for another writer of the same set before it gives up.
inline constexpr std::chrono::milliseconds kFileSetLockWait{5000};

// "The file set is busy in another program, try again : " + the lock file's path: the
// failure of every writer that waited kFileSetLockWait in vain. A lock file that cannot be
// opened fails with "Cannot lock file set : " + its path instead.
std::string fileSetBusyMessage(const FileSet& set);

// Holds the advisory lock of set for one read-change-write operation, waiting
// kFileSetLockWait at most. Every writer below takes it (on the set of the file it writes);
// a caller that combines several of them holds it around them all (the same file system
// object is granted it again at once).
// Readers take no lock: rewrites rename whole files into place.
Result<std::unique_ptr<FileLock>> lockFileSet(FileSystem& fs, const FileSet& set);

// failureMessage as the user's text, with the system's reason taken from cause.
Status failedWith(const std::string& failureMessage, const Status& cause);

// What a record file held when it was read, to tell later whether anyone changed it.
struct RecordFileVersion {
    bool exists = false;
    std::uint64_t size = 0;
    std::uint64_t hash = 0;
    bool operator==(const RecordFileVersion&) const = default;
};
RecordFileVersion versionOf(const std::vector<unsigned char>& records);

// The whole records of path and their version; a missing file reads as no records, version
// with exists false.
struct RecordFileContent {
    std::vector<unsigned char> records;
    RecordFileVersion version;
};
Result<RecordFileContent> readRecordFile(FileSystem& fs, const std::string& path, std::size_t recordSize,
                                         const std::string& failureMessage);

// Given the current whole records of a file (empty when it is missing), the new content,
// or the failure that refuses the change.
using ChangeRecordsFn = std::function<Result<std::vector<unsigned char>>(const RecordFileContent& current)>;

// Under the set's lock: reads path once, lets change compute the new content from it and
// rewrites the file crash-safely. On any failure path is untouched.
Status changeRecords(FileSystem& fs, const std::string& path, std::size_t recordSize, const ChangeRecordsFn& change,
                     const std::string& failureMessage);

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

// Replaces path by records (concatenated whole records) through a temporary file of its
// own (base path + "tmp" + a unique suffix, beside the file it replaces): written with the
// old file's permission bits, synced, then renamed over path, or over the target when path
// is a symbolic link. On failure path is untouched and the temporary file removed.
Status rewriteRecords(FileSystem& fs, const std::string& path, const unsigned char* records, std::size_t byteCount,
                      const std::string& failureMessage);

// One crash-safe rewrite of path that keeps, in order, the records keep accepts and then
// adds `append` (whole records, may be empty) at the end. A missing file counts as empty
// when nothing is appended, and fails otherwise.
Status replaceRecords(FileSystem& fs, const std::string& path, std::size_t recordSize, const KeepRecordFn& keep,
                      const std::vector<unsigned char>& append, const std::string& failureMessage);

// As replaceRecords, with the records to add computed from those keep rejected (in file
// order), so an update can keep what the old record held.
using AppendForFn = std::function<Result<std::vector<unsigned char>>(const std::vector<unsigned char>& dropped)>;
Status replaceRecords(FileSystem& fs, const std::string& path, std::size_t recordSize, const KeepRecordFn& keep,
                      const AppendForFn& appendFor, bool appends, const std::string& failureMessage);

// replaceRecords with nothing appended: removes every record keep rejects.
Status removeRecords(FileSystem& fs, const std::string& path, std::size_t recordSize, const KeepRecordFn& keep,
                     const std::string& failureMessage);

// The start of every temporary file's name while path is rewritten: path less its last
// three characters + "tmp"; a unique suffix follows.
std::string temporaryPathFor(const std::string& path);

}  // namespace ql
