#include "core/store/RecordFollower.h"

#include <algorithm>
#include <cstring>

namespace ql {

void RecordFollower::forget() {
    m_seen.reset();
    m_records = 0;
    m_last.clear();
}

void RecordFollower::keepLast(const unsigned char* records, std::size_t count) {
    m_records += count;
    const unsigned char* last = records + (count - 1) * m_recordSize;
    m_last.assign(last, last + m_recordSize);
}

Status RecordFollower::readWhole(FileSystem& fs, const std::string& path, const Message& failureMessage,
                                 const std::function<void()>& restart, const RecordChunkFn& onChunk) {
    forget();
    restart();
    return scanRecords(fs, path, m_recordSize, failureMessage, [&](const unsigned char* records, std::size_t count) {
        keepLast(records, count);
        onChunk(records, count);
    });
}

Result<RecordFollower::Read> RecordFollower::follow(FileSystem& fs, const std::string& path,
                                                    const Message& failureMessage,
                                                    const std::function<void()>& restart,
                                                    const RecordChunkFn& onChunk) {
    // Taken before reading: a change made while reading shows as a change at the next call.
    const auto before = fs.identify(path);
    const bool known = m_seen && path == m_path && before && before->type == FileType::Regular;
    if (known && before->unchangedSince(*m_seen)) return Read::Nothing;

    Read read = Read::Whole;
    Status st;
    if (known && before->sameFileAs(*m_seen) && before->size > m_seen->size) {
        // Read again from the last record known, which must still be there as it was.
        const std::uint64_t from = m_records == 0 ? 0 : m_records - 1;
        bool checked = m_records == 0;
        bool same = true;
        st = scanRecordsFrom(fs, path, m_recordSize, from, failureMessage,
                             [&](const unsigned char* records, std::size_t count) {
                                 if (!checked) {
                                     checked = true;
                                     same = std::memcmp(records, m_last.data(), m_recordSize) == 0;
                                     records += m_recordSize;
                                     --count;
                                 }
                                 if (!same || count == 0) return;
                                 keepLast(records, count);
                                 onChunk(records, count);
                             });
        const auto after = fs.identify(path);
        // A rewrite between the look and the open would have handed over another file's tail;
        // what was passed on of it is dropped by the restart of the whole read.
        if (st && checked && same && after && after->sameFileAs(*before)) read = Read::Tail;
    }
    if (read == Read::Whole) st = readWhole(fs, path, failureMessage, restart, onChunk);
    if (!st) {
        forget();
        return st;
    }
    m_path = path;
    if (before && before->type == FileType::Regular) m_seen = *before;
    else m_seen.reset();
    return read;
}

}  // namespace ql
