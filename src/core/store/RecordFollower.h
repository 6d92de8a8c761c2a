#pragma once

#include "core/Status.h"
#include "core/store/FileSystem.h"
#include "core/store/RecordFile.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace ql {

// Follows a record file that mostly grows at its end, so that a reader who keeps what it made
// of the records read so far reads only what was added since. Records are only ever appended
// in place; every other change is a rewrite under a new inode, so the file's identity, size and
// modification time tell "unchanged" and "only grew" from "anything else", and the last record
// read is read again to catch an inode reused by a later rewrite.
class RecordFollower {
public:
    enum class Read { Nothing, Tail, Whole };

    explicit RecordFollower(std::size_t recordSize) : m_recordSize(recordSize) {}

    // Brings the reader up to date with path. Nothing is read when path is the file last
    // followed and has not changed; only the whole records after those already read (onChunk)
    // when it only grew; otherwise restart() is called and then onChunk gets every whole record
    // (first call, another path, a rewrite, a file that shrank or changed in place).
    // Fails with failureMessage as scanRecords does; the reader then drops what it made of the
    // file, and the next call reads it whole.
    Result<Read> follow(FileSystem& fs, const std::string& path, const Message& failureMessage,
                        const std::function<void()>& restart, const RecordChunkFn& onChunk);

    // The next follow reads the whole file.
    void forget();

    // Whole records read from the file so far.
    std::uint64_t records() const { return m_records; }

private:
    Status readWhole(FileSystem& fs, const std::string& path, const Message& failureMessage,
                     const std::function<void()>& restart, const RecordChunkFn& onChunk);
    void keepLast(const unsigned char* records, std::size_t count);

    std::size_t m_recordSize;
    std::string m_path;
    std::optional<FileIdentity> m_seen;  // the file as it was before the last read
    std::uint64_t m_records = 0;
    std::vector<unsigned char> m_last;   // the last whole record read
};

}  // namespace ql
