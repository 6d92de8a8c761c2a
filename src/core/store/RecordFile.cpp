#include "core/store/RecordFile.h"

#include "core/store/FileSet.h"
#include "core/store/OutputFile.h"

#include <algorithm>
#include <cstring>

namespace ql {
namespace {

// Small enough to stay in the core's own cache between the kernel's copy and the scan, and below
// the allocator's threshold for fresh zeroed pages, which a short-lived process pays per scan.
constexpr std::size_t kChunkBytes = 1 << 17;

// Reads whole chunks of records; a partial record is carried to the next chunk and dropped at the end.
Status streamRecords(File& file, std::size_t recordSize, const RecordChunkFn& onChunk) {
    const std::size_t capacity = std::max<std::size_t>(1, kChunkBytes / recordSize) * recordSize;
    std::vector<unsigned char> buffer(capacity);
    std::size_t filled = 0;
    for (;;) {
        auto got = file.read(buffer.data() + filled, capacity - filled);
        if (!got) return got.status();
        if (*got == 0) return Status::ok();
        filled += *got;
        const std::size_t whole = filled / recordSize;
        if (whole > 0) {
            onChunk(buffer.data(), whole);
            const std::size_t used = whole * recordSize;
            std::memmove(buffer.data(), buffer.data() + used, filled - used);
            filled -= used;
        }
    }
}

// Writes a temporary file of the set with produce(), syncs it and renames it over path (or
// over the file path links to). Called with the set's lock held.
template <typename Produce>
Status rewriteThroughTemporary(FileSystem& fs, const std::string& path, const std::string& failureMessage,
                               Produce&& produce) {
    // A linked record file (into a synced folder, say) is replaced at its target; the
    // temporary file must then lie beside the target for the rename to stay atomic.
    const std::string target = fs.resolveLink(path);
    return writeThroughTemporary(fs, target, temporaryPathFor(target), failureMessage, produce);
}

std::uint64_t fnv1a(const unsigned char* data, std::size_t n) {
    std::uint64_t h = 14695981039346656037ull;
    for (std::size_t i = 0; i < n; ++i) {
        h ^= data[i];
        h *= 1099511628211ull;
    }
    return h;
}

}  // namespace

std::string temporaryPathFor(const std::string& path) {
    return fileSetPath(path, FileKind::Temporary);
}

std::string fileSetBusyMessage(const FileSet& set) {
    return "The file set is busy in another program, try again : " + set.lock();
}

Result<std::unique_ptr<FileLock>> lockFileSet(FileSystem& fs, const FileSet& set) {
    auto held = fs.lock(set.lock(), kFileSetLockWait);
    if (held) return held;
    // A lock file that cannot be made (a read-only folder) is no sign of another writer.
    const bool busy = held.status().reason() == kLockBusyReason;
    return failedWith(busy ? fileSetBusyMessage(set) : "Cannot lock file set : " + set.lock(), held.status());
}

Status failedWith(const std::string& failureMessage, const Status& cause) {
    if (cause.isOk()) return Status::ioError(failureMessage);
    // A refusal with its own text (a text that does not fit, a changed file) says more.
    if (cause.code() == StatusCode::InvalidArgument) return cause;
    return Status::ioError(failureMessage).withReason(cause.reason().empty() ? cause.message() : cause.reason());
}

RecordFileVersion versionOf(const std::vector<unsigned char>& records) {
    return {true, records.size(), fnv1a(records.data(), records.size())};
}

Status scanRecords(FileSystem& fs, const std::string& path, std::size_t recordSize,
                   const std::string& failureMessage, const RecordChunkFn& onChunk) {
    auto file = fs.openRead(path);
    if (!file) return failedWith(failureMessage, file.status());
    if (Status st = streamRecords(**file, recordSize, onChunk); !st) return failedWith(failureMessage, st);
    return Status::ok();
}

Result<std::vector<unsigned char>> readRecords(FileSystem& fs, const std::string& path, std::size_t recordSize,
                                               const std::string& failureMessage) {
    std::vector<unsigned char> all;
    const Status st = scanRecords(fs, path, recordSize, failureMessage,
                                  [&](const unsigned char* records, std::size_t count) {
                                      all.insert(all.end(), records, records + count * recordSize);
                                  });
    if (!st) return st;
    return all;
}

Result<RecordFileContent> readRecordFile(FileSystem& fs, const std::string& path, std::size_t recordSize,
                                         const std::string& failureMessage) {
    auto file = fs.openRead(path);
    if (!file) {
        if (file.status().code() == StatusCode::NotFound) return RecordFileContent{};
        return failedWith(failureMessage, file.status());
    }
    RecordFileContent content;
    const Status st = streamRecords(**file, recordSize, [&](const unsigned char* records, std::size_t count) {
        content.records.insert(content.records.end(), records, records + count * recordSize);
    });
    if (!st) return failedWith(failureMessage, st);
    content.version = versionOf(content.records);
    return content;
}

Status changeRecords(FileSystem& fs, const std::string& path, std::size_t recordSize, const ChangeRecordsFn& change,
                     const std::string& failureMessage) {
    auto held = lockFileSet(fs, FileSet(path));
    if (!held) return held.status();
    auto current = readRecordFile(fs, path, recordSize, failureMessage);
    if (!current) return current.status();
    auto next = change(*current);
    if (!next) return next.status();
    return rewriteThroughTemporary(fs, path, failureMessage, [&](File& out) { return out.write(next->data(), next->size()); });
}

Status appendRecord(FileSystem& fs, const std::string& path, const unsigned char* record, std::size_t recordSize,
                    const std::string& failureMessage) {
    auto held = lockFileSet(fs, FileSet(path));
    if (!held) return held.status();
    auto opened = fs.openAppend(path);
    if (!opened) return failedWith(failureMessage, opened.status());
    File& file = **opened;
    auto size = file.size();
    if (!size) return failedWith(failureMessage, size.status());
    const std::uint64_t aligned = *size - *size % recordSize;
    if (aligned != *size) {
        if (Status st = file.truncate(aligned); !st) return failedWith(failureMessage, st);
    }
    Status st = file.write(record, recordSize);
    if (st) st = file.sync();
    if (!st) {
        // Never leave a torn record behind: it would shift every record after it.
        (void)file.truncate(aligned);
        (void)file.sync();
        return failedWith(failureMessage, st);
    }
    return Status::ok();
}

Status rewriteRecords(FileSystem& fs, const std::string& path, const unsigned char* records, std::size_t byteCount,
                      const std::string& failureMessage) {
    auto held = lockFileSet(fs, FileSet(path));
    if (!held) return held.status();
    return rewriteThroughTemporary(fs, path, failureMessage,
                                   [&](File& out) { return out.write(records, byteCount); });
}

Status replaceRecords(FileSystem& fs, const std::string& path, std::size_t recordSize, const KeepRecordFn& keep,
                      const AppendForFn& appendFor, bool appends, const std::string& failureMessage) {
    auto held = lockFileSet(fs, FileSet(path));
    if (!held) return held.status();
    std::unique_ptr<File> in;
    if (auto opened = fs.openRead(path)) {
        in = std::move(opened).value();
    } else if (opened.status().code() != StatusCode::NotFound || appends) {
        // A missing file reads as empty for a removal; an update must not invent the file.
        return failedWith(failureMessage, opened.status());
    }
    return rewriteThroughTemporary(fs, path, failureMessage, [&](File& out) -> Status {
        std::vector<unsigned char> kept;
        std::vector<unsigned char> dropped;
        Status writeStatus;
        if (in) {
            const Status readStatus = streamRecords(*in, recordSize, [&](const unsigned char* records, std::size_t count) {
                if (!writeStatus) return;
                kept.clear();
                for (std::size_t i = 0; i < count; ++i) {
                    const unsigned char* r = records + i * recordSize;
                    // Records pass through as they were read, bytes after a NUL included.
                    if (keep(r))
                        kept.insert(kept.end(), r, r + recordSize);
                    else if (appends)
                        dropped.insert(dropped.end(), r, r + recordSize);
                }
                if (!kept.empty()) writeStatus = out.write(kept.data(), kept.size());
            });
            if (!readStatus) return readStatus;
            if (!writeStatus) return writeStatus;
        }
        if (!appends) return Status::ok();
        auto added = appendFor(dropped);
        if (!added) return added.status();
        return added->empty() ? Status::ok() : out.write(added->data(), added->size());
    });
}

Status replaceRecords(FileSystem& fs, const std::string& path, std::size_t recordSize, const KeepRecordFn& keep,
                      const std::vector<unsigned char>& append, const std::string& failureMessage) {
    return replaceRecords(
        fs, path, recordSize, keep, [&](const std::vector<unsigned char>&) -> Result<std::vector<unsigned char>> { return append; },
        !append.empty(), failureMessage);
}

Status removeRecords(FileSystem& fs, const std::string& path, std::size_t recordSize, const KeepRecordFn& keep,
                     const std::string& failureMessage) {
    return replaceRecords(fs, path, recordSize, keep, {}, failureMessage);
}

}  // namespace ql
