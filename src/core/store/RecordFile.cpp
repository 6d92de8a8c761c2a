#include "core/store/RecordFile.h"

#include "core/store/FileSet.h"

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

}  // namespace

std::string temporaryPathFor(const std::string& path) {
    return fileSetPath(path, FileKind::Temporary);
}

Status scanRecords(FileSystem& fs, const std::string& path, std::size_t recordSize,
                   const std::string& failureMessage, const RecordChunkFn& onChunk) {
    auto file = fs.openRead(path);
    if (!file) return Status::ioError(failureMessage);
    if (!streamRecords(**file, recordSize, onChunk)) return Status::ioError(failureMessage);
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

Status appendRecord(FileSystem& fs, const std::string& path, const unsigned char* record, std::size_t recordSize,
                    const std::string& failureMessage) {
    auto opened = fs.openAppend(path);
    if (!opened) return Status::ioError(failureMessage);
    File& file = **opened;
    auto size = file.size();
    if (!size) return Status::ioError(failureMessage);
    const std::uint64_t aligned = *size - *size % recordSize;
    if (aligned != *size && !file.truncate(aligned)) return Status::ioError(failureMessage);
    if (!file.write(record, recordSize) || !file.sync()) {
        // Never leave a torn record behind: it would shift every record after it.
        (void)file.truncate(aligned);
        (void)file.sync();
        return Status::ioError(failureMessage);
    }
    return Status::ok();
}

namespace {

// Writes the temporary file with produce(), syncs it and renames it over path.
template <typename Produce>
Status rewriteThroughTemporary(FileSystem& fs, const std::string& path, const std::string& failureMessage,
                               Produce&& produce) {
    const std::string tmp = temporaryPathFor(path);
    Status st;
    {
        auto created = fs.create(tmp);
        if (!created) return Status::ioError(failureMessage);
        File& out = **created;
        st = produce(out);
        if (st) st = out.sync();
    }
    if (st) st = fs.renameOver(tmp, path);
    if (!st) {
        (void)fs.remove(tmp);
        return Status::ioError(failureMessage);
    }
    return Status::ok();
}

}  // namespace

Status rewriteRecords(FileSystem& fs, const std::string& path, const unsigned char* records, std::size_t byteCount,
                      const std::string& failureMessage) {
    return rewriteThroughTemporary(fs, path, failureMessage,
                                   [&](File& out) { return out.write(records, byteCount); });
}

Status replaceRecords(FileSystem& fs, const std::string& path, std::size_t recordSize, const KeepRecordFn& keep,
                      const std::vector<unsigned char>& append, const std::string& failureMessage) {
    std::unique_ptr<File> in;
    if (auto opened = fs.openRead(path)) {
        in = std::move(opened).value();
    } else if (opened.status().code() != StatusCode::NotFound || !append.empty()) {
        // A missing file reads as empty for a removal; an update must not invent the file.
        return Status::ioError(failureMessage);
    }
    return rewriteThroughTemporary(fs, path, failureMessage, [&](File& out) -> Status {
        std::vector<unsigned char> kept;
        Status writeStatus;
        if (in) {
            const Status readStatus = streamRecords(*in, recordSize, [&](const unsigned char* records, std::size_t count) {
                if (!writeStatus) return;
                kept.clear();
                for (std::size_t i = 0; i < count; ++i) {
                    const unsigned char* r = records + i * recordSize;
                    if (keep(r)) kept.insert(kept.end(), r, r + recordSize);
                }
                if (!kept.empty()) writeStatus = out.write(kept.data(), kept.size());
            });
            if (!readStatus) return readStatus;
            if (!writeStatus) return writeStatus;
        }
        if (!append.empty()) return out.write(append.data(), append.size());
        return Status::ok();
    });
}

Status removeRecords(FileSystem& fs, const std::string& path, std::size_t recordSize, const KeepRecordFn& keep,
                     const std::string& failureMessage) {
    return replaceRecords(fs, path, recordSize, keep, {}, failureMessage);
}

}  // namespace ql
