#pragma once

#include "core/Progress.h"
#include "core/Status.h"
#include "core/store/FileSet.h"
#include "core/store/FileSystem.h"

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <limits>
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
Message fileSetBusyMessage(const FileSet& set);

// Holds the advisory lock of set for one read-change-write operation, waiting
// kFileSetLockWait at most. Every writer below takes it (on the set of the file it writes);
// a caller that combines several of them holds it around them all (the same file system
// object is granted it again at once).
// Readers take no lock: rewrites rename whole files into place.
// A lock file that cannot be made (a read-only folder) fails with failureMessage, the phrase
// of the file the caller was about to write, and the system's reason; one that is there but
// cannot be opened fails with "Cannot lock file set : " + its path. A lock file that is
// created takes the permission bits of the settings file. Once the lock is held, the
// temporary files that crashed rewrites of the set left behind are removed.
Result<std::unique_ptr<FileLock>> lockFileSet(FileSystem& fs, const FileSet& set, const Message& failureMessage);
// lockFileSet for a caller that writes several files, with "Cannot lock file set : " + the
// lock file's path as its failure in every case.
Result<std::unique_ptr<FileLock>> lockFileSet(FileSystem& fs, const FileSet& set);

// Removes the rewrite temporary files of set (set.temporary() + "." + pid + "-" + counter +
// "-" + stamp, in its folder) whose process is gone. Only for a holder of the set's lock:
// every rewrite holds it while its temporary file exists; the journal, written without it,
// lives in a process that is still running. Files of any other name stay untouched.
void removeStaleTemporaries(FileSystem& fs, const FileSet& set);

// Refuses (IoError, failureMessage, a reason naming path and its target) a write through path
// when path is a symbolic link whose final target cannot be a record file of its kind:
// missing, not a regular file, an extension other than path's last three characters, or a
// size that is not a whole number of recordSize records. Ok for a path that is no link.
Status checkLinkedRecordFile(FileSystem& fs, const std::string& path, std::size_t recordSize,
                             const Message& failureMessage);

// The file whose permission bits a new file of set takes: file itself when it exists, else
// the set's settings file, so the files of a private set stay private.
std::string permissionSourceFor(FileSystem& fs, const std::string& file, const FileSet& set);

// failureMessage as the user's text, with the system's reason taken from cause.
Status failedWith(const Message& failureMessage, const Status& cause);

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
// At most maxRecords records are read, so a file of one record is read no further than it.
Result<RecordFileContent> readRecordFile(FileSystem& fs, const std::string& path, std::size_t recordSize,
                                         const Message& failureMessage,
                                         std::size_t maxRecords = std::numeric_limits<std::size_t>::max());

// Given the current whole records of a file (empty when it is missing), the new content,
// or the failure that refuses the change.
using ChangeRecordsFn = std::function<Result<std::vector<unsigned char>>(const RecordFileContent& current)>;

// Under the set's lock: reads path once (its first maxRecords records), lets change compute the
// new content from it and rewrites the file crash-safely. On any failure path is untouched.
Status changeRecords(FileSystem& fs, const std::string& path, std::size_t recordSize, const ChangeRecordsFn& change,
                     const Message& failureMessage,
                     std::size_t maxRecords = std::numeric_limits<std::size_t>::max());

// Called with consecutive whole records; count >= 1.
using RecordChunkFn = std::function<void(const unsigned char* records, std::size_t count)>;
using KeepRecordFn = std::function<bool(const unsigned char* record)>;

// Streams every whole record of path in file order; a torn tail (a size that is not a
// multiple of recordSize) is ignored. Fails with failureMessage when the file cannot be read.
// With progress, it is told the bytes read of the file's size before each chunk, and a stop
// ends the scan with Status::cancelled().
Status scanRecords(FileSystem& fs, const std::string& path, std::size_t recordSize,
                   const Message& failureMessage, const RecordChunkFn& onChunk, Progress* progress = nullptr);

// As scanRecords, from record firstRecord on (nothing when the file holds no more records).
Status scanRecordsFrom(FileSystem& fs, const std::string& path, std::size_t recordSize, std::uint64_t firstRecord,
                       const Message& failureMessage, const RecordChunkFn& onChunk);

// All whole records of path, concatenated.
Result<std::vector<unsigned char>> readRecords(FileSystem& fs, const std::string& path, std::size_t recordSize,
                                               const Message& failureMessage);

// The first record of path, read no further than it; empty when path holds no whole record.
// Fails with failureMessage when the file cannot be read.
Result<std::vector<unsigned char>> readFirstRecord(FileSystem& fs, const std::string& path, std::size_t recordSize,
                                                   const Message& failureMessage);

// Appends one record to an existing file, synced. A torn tail is dropped first so the new
// record starts on a record boundary (refused instead when path is a link: the file it
// leads to is not the set's to cut); a write that fails part-way is cut back off.
Status appendRecord(FileSystem& fs, const std::string& path, const unsigned char* record, std::size_t recordSize,
                    const Message& failureMessage);

// Replaces path by records (byteCount bytes of whole recordSize records) through a temporary
// file of its own (base path + "tmp" + a unique suffix, beside the file it replaces): written
// with the old file's permission bits (the settings file's for a new file), synced, then
// renamed over path, or over the target when path is a symbolic link (checked as
// checkLinkedRecordFile says). On failure path is untouched and the temporary file removed.
Status rewriteRecords(FileSystem& fs, const std::string& path, std::size_t recordSize, const unsigned char* records,
                      std::size_t byteCount, const Message& failureMessage);

// One crash-safe rewrite of path that keeps, in order, the records keep accepts and then
// adds `append` (whole records, may be empty) at the end. A missing file counts as empty
// when nothing is appended, and fails otherwise.
Status replaceRecords(FileSystem& fs, const std::string& path, std::size_t recordSize, const KeepRecordFn& keep,
                      const std::vector<unsigned char>& append, const Message& failureMessage);

// As replaceRecords, with the records to add computed from those keep rejected (in file
// order), so an update can keep what the old record held.
using AppendForFn = std::function<Result<std::vector<unsigned char>>(const std::vector<unsigned char>& dropped)>;
Status replaceRecords(FileSystem& fs, const std::string& path, std::size_t recordSize, const KeepRecordFn& keep,
                      const AppendForFn& appendFor, bool appends, const Message& failureMessage);

// replaceRecords with nothing appended: removes every record keep rejects.
Status removeRecords(FileSystem& fs, const std::string& path, std::size_t recordSize, const KeepRecordFn& keep,
                     const Message& failureMessage);

// The start of every temporary file's name while path is rewritten: path less its last
// three characters + "tmp"; a unique suffix follows.
std::string temporaryPathFor(const std::string& path);

}  // namespace ql
