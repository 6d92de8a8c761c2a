#include "core/store/RecordFile.h"

#include "core/store/FileSet.h"
#include "core/store/OutputFile.h"

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <sys/types.h>
#include <unistd.h>

namespace ql {
namespace {

// Small enough to stay in the core's own cache between the kernel's copy and the scan, and below
// the allocator's threshold for fresh zeroed pages, which a short-lived process pays per scan.
constexpr std::size_t kChunkBytes = 1 << 17;

// The end of a file is always read, never mapped: an append that fails is cut off again in
// place, and a mapped page past the new end would fault when touched.
constexpr std::uint64_t kUnmappedEnd = 1 << 16;

// The bytes of one chunk: whole records, as many as fit kChunkBytes (one at least).
std::size_t chunkCapacity(std::size_t recordSize) {
    return std::max<std::size_t>(1, kChunkBytes / recordSize) * recordSize;
}

// Hands on the records of the part of file that its file system maps, in the very chunks the
// reads would give (only whole chunks are mapped), saving the kernel's copy of every byte.
// Nothing for a file that is not mapped; the caller reads what is left either way.
Status streamMappedRecords(File& file, std::size_t recordSize, const RecordChunkFn& onChunk) {
    const std::size_t capacity = chunkCapacity(recordSize);
    auto mapped = file.mapNext(capacity, kUnmappedEnd);
    if (!mapped) return mapped.status();
    if (!*mapped) return Status::ok();
    const unsigned char* bytes = (*mapped)->data();
    for (std::size_t done = 0; done < (*mapped)->size(); done += capacity) onChunk(bytes + done, capacity / recordSize);
    return Status::ok();
}

// Reads whole chunks of records; a partial record is carried to the next chunk and dropped at the end.
Status streamRecords(File& file, std::size_t recordSize, const RecordChunkFn& onChunk, Progress* progress = nullptr) {
    const std::size_t capacity = chunkCapacity(recordSize);
    std::vector<unsigned char> buffer(capacity);
    std::size_t filled = 0;
    std::uint64_t total = 0;
    std::uint64_t done = 0;
    if (progress) {
        auto size = file.size();
        if (!size) return size.status();
        total = *size;
    }
    for (;;) {
        if (progress && !progress->advance(std::min(done, total), total)) return Status::cancelled();
        auto got = file.read(buffer.data() + filled, capacity - filled);
        if (!got) return got.status();
        if (*got == 0) return Status::ok();
        filled += *got;
        done += *got;
        const std::size_t whole = filled / recordSize;
        if (whole > 0) {
            onChunk(buffer.data(), whole);
            const std::size_t used = whole * recordSize;
            std::memmove(buffer.data(), buffer.data() + used, filled - used);
            filled -= used;
        }
    }
}

// Reads up to n bytes (fewer only at the end of the file).
Result<std::vector<unsigned char>> readAtMost(File& file, std::size_t n) {
    std::vector<unsigned char> bytes(n);
    std::size_t filled = 0;
    while (filled < n) {
        auto got = file.read(bytes.data() + filled, n - filled);
        if (!got) return got.status();
        if (*got == 0) break;
        filled += *got;
    }
    bytes.resize(filled);
    return bytes;
}

// Writes a temporary file of the set with produce(), syncs it and renames it over path (or
// over the file path links to). Called with the set's lock held, path checked by
// checkLinkedRecordFile.
template <typename Produce>
Status rewriteThroughTemporary(FileSystem& fs, const std::string& path, const Message& failureMessage,
                               Produce&& produce) {
    // A linked record file (into a synced folder, say) is replaced at its target; the
    // temporary file must then lie beside the target for the rename to stay atomic.
    const std::string target = fs.resolveLink(path);
    return writeThroughTemporary(fs, target, temporaryPathFor(target), failureMessage, produce,
                                 permissionSourceFor(fs, target, FileSet(path)));
}

std::string folderOf(const std::string& path) {
    const auto slash = path.find_last_of('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

std::string nameOf(const std::string& path) {
    const auto slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// The process id of a name that is namePrefix + "." + pid + "-" + counter + "-" + stamp, as
// createTemporary makes them; 0 for any other name.
pid_t temporaryOwner(const std::string& name, const std::string& namePrefix) {
    if (name.size() <= namePrefix.size() + 1 || name.compare(0, namePrefix.size(), namePrefix) != 0 ||
        name[namePrefix.size()] != '.')
        return 0;
    std::size_t pos = namePrefix.size() + 1;
    long long numbers[3] = {0, 0, 0};
    for (int i = 0; i < 3; ++i) {
        const std::size_t start = pos;
        while (pos < name.size() && name[pos] >= '0' && name[pos] <= '9' && pos - start < 18)
            numbers[i] = numbers[i] * 10 + (name[pos++] - '0');
        if (pos == start) return 0;
        if (i < 2 && (pos >= name.size() || name[pos++] != '-')) return 0;
    }
    if (pos != name.size() || numbers[0] <= 0 || numbers[0] > std::numeric_limits<pid_t>::max()) return 0;
    return static_cast<pid_t>(numbers[0]);
}

bool processIsGone(pid_t pid) { return ::kill(pid, 0) != 0 && errno == ESRCH; }

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

Message fileSetBusyMessage(const FileSet& set) {
    return Message(MessageId::FileSetBusy, {set.lock()});
}

Result<std::unique_ptr<FileLock>> lockFileSet(FileSystem& fs, const FileSet& set, const Message& failureMessage) {
    // Made apart from the lock so its failure (a read-only folder) carries the system's own
    // reason, and so a private set's lock file is as private as its settings file.
    if (Status made = fs.createEmpty(set.lock(), set.settings()); !made) return failedWith(failureMessage, made);
    auto held = fs.lock(set.lock(), kFileSetLockWait);
    if (!held) {
        // A lock file that is there but cannot be opened (a folder in its place) is no sign of
        // another writer, nor of a file the user cannot write.
        const bool busy = held.status().reason() == kLockBusyReason;
        return failedWith(busy ? fileSetBusyMessage(set) : Message(MessageId::CannotLockFileSet, {set.lock()}), held.status());
    }
    removeStaleTemporaries(fs, set);
    return held;
}

Result<std::unique_ptr<FileLock>> lockFileSet(FileSystem& fs, const FileSet& set) {
    return lockFileSet(fs, set, Message(MessageId::CannotLockFileSet, {set.lock()}));
}

void removeStaleTemporaries(FileSystem& fs, const FileSet& set) {
    const std::string folder = folderOf(set.temporary());
    const std::string namePrefix = nameOf(set.temporary());
    if (namePrefix.size() <= 3) return;  // no base name: nothing names the set's temporaries apart
    auto names = fs.listFolder(folder);
    if (!names) return;  // a leftover costs disk space, not data: the write goes on
    for (const std::string& name : *names) {
        const pid_t owner = temporaryOwner(name, namePrefix);
        // A live owner may be writing the journal, which is written without the set's lock.
        if (owner > 0 && owner != ::getpid() && processIsGone(owner)) (void)fs.remove(folder + "/" + name);
    }
}

Status checkLinkedRecordFile(FileSystem& fs, const std::string& path, std::size_t recordSize,
                             const Message& failureMessage) {
    const std::string target = fs.resolveLink(path);
    if (target == path) return Status::ok();
    const std::string extension = path.size() < 3 ? path : path.substr(path.size() - 3);
    const std::string targetName = nameOf(target);
    const auto dot = targetName.find_last_of('.');
    bool sound = dot != std::string::npos && dot > 0 && targetName.substr(dot + 1) == extension;
    if (sound) {
        auto opened = fs.openRead(target);
        auto size = opened ? (*opened)->size() : Result<std::uint64_t>(opened.status());
        sound = size && *size % recordSize == 0;
    }
    if (sound) return Status::ok();
    return Status::ioError(failureMessage)
        .withReason(path + " is a link to " + target + ", which is not a ." + extension + " file of whole " +
                    std::to_string(recordSize) + "-byte records");
}

std::string permissionSourceFor(FileSystem& fs, const std::string& file, const FileSet& set) {
    return fs.exists(file) ? file : set.settings();
}

Status failedWith(const Message& failureMessage, const Status& cause) {
    if (cause.isOk()) return Status::ioError(failureMessage);
    // A refusal with its own text (a text that does not fit, a changed file) says more.
    if (cause.code() == StatusCode::InvalidArgument) return cause;
    return Status::ioError(failureMessage).withReason(cause.reason().empty() ? cause.message() : cause.reason());
}

RecordFileVersion versionOf(const std::vector<unsigned char>& records) {
    return {true, records.size(), fnv1a(records.data(), records.size())};
}

Status scanRecords(FileSystem& fs, const std::string& path, std::size_t recordSize,
                   const Message& failureMessage, const RecordChunkFn& onChunk, Progress* progress) {
    auto file = fs.openRead(path);
    if (!file) return failedWith(failureMessage, file.status());
    // A scan that shows its progress reads: the bar follows the bytes read.
    if (!progress)
        if (Status st = streamMappedRecords(**file, recordSize, onChunk); !st) return failedWith(failureMessage, st);
    if (Status st = streamRecords(**file, recordSize, onChunk, progress); !st)
        return st.isCancelled() ? st : failedWith(failureMessage, st);
    return Status::ok();
}

Status scanRecordsFrom(FileSystem& fs, const std::string& path, std::size_t recordSize, std::uint64_t firstRecord,
                       const Message& failureMessage, const RecordChunkFn& onChunk) {
    auto file = fs.openRead(path);
    if (!file) return failedWith(failureMessage, file.status());
    if (Status st = (*file)->skip(firstRecord * recordSize); !st) return failedWith(failureMessage, st);
    if (Status st = streamMappedRecords(**file, recordSize, onChunk); !st) return failedWith(failureMessage, st);
    if (Status st = streamRecords(**file, recordSize, onChunk); !st) return failedWith(failureMessage, st);
    return Status::ok();
}

Result<std::vector<unsigned char>> readRecords(FileSystem& fs, const std::string& path, std::size_t recordSize,
                                               const Message& failureMessage) {
    std::vector<unsigned char> all;
    const Status st = scanRecords(fs, path, recordSize, failureMessage,
                                  [&](const unsigned char* records, std::size_t count) {
                                      all.insert(all.end(), records, records + count * recordSize);
                                  });
    if (!st) return st;
    return all;
}

Result<std::vector<unsigned char>> readFirstRecord(FileSystem& fs, const std::string& path, std::size_t recordSize,
                                                   const Message& failureMessage) {
    auto file = fs.openRead(path);
    if (!file) return failedWith(failureMessage, file.status());
    auto bytes = readAtMost(**file, recordSize);
    if (!bytes) return failedWith(failureMessage, bytes.status());
    if (bytes->size() < recordSize) bytes->clear();
    return bytes;
}

Result<RecordFileContent> readRecordFile(FileSystem& fs, const std::string& path, std::size_t recordSize,
                                         const Message& failureMessage, std::size_t maxRecords) {
    auto file = fs.openRead(path);
    if (!file) {
        if (file.status().code() == StatusCode::NotFound) return RecordFileContent{};
        return failedWith(failureMessage, file.status());
    }
    RecordFileContent content;
    Status st;
    if (maxRecords < std::numeric_limits<std::size_t>::max() / recordSize) {
        auto bytes = readAtMost(**file, maxRecords * recordSize);
        if (bytes) {
            content.records = std::move(bytes).value();
            content.records.resize(content.records.size() - content.records.size() % recordSize);
        } else {
            st = bytes.status();
        }
    } else {
        st = streamRecords(**file, recordSize, [&](const unsigned char* records, std::size_t count) {
            content.records.insert(content.records.end(), records, records + count * recordSize);
        });
    }
    if (!st) return failedWith(failureMessage, st);
    content.version = versionOf(content.records);
    return content;
}

Status changeRecords(FileSystem& fs, const std::string& path, std::size_t recordSize, const ChangeRecordsFn& change,
                     const Message& failureMessage, std::size_t maxRecords) {
    auto held = lockFileSet(fs, FileSet(path), failureMessage);
    if (!held) return held.status();
    if (Status st = checkLinkedRecordFile(fs, path, recordSize, failureMessage); !st) return st;
    auto current = readRecordFile(fs, path, recordSize, failureMessage, maxRecords);
    if (!current) return current.status();
    auto next = change(*current);
    if (!next) return next.status();
    return rewriteThroughTemporary(fs, path, failureMessage,
                                   [&](File& out) { return out.write(next->data(), next->size()); });
}

Status appendRecord(FileSystem& fs, const std::string& path, const unsigned char* record, std::size_t recordSize,
                    const Message& failureMessage) {
    auto held = lockFileSet(fs, FileSet(path), failureMessage);
    if (!held) return held.status();
    if (Status st = checkLinkedRecordFile(fs, path, recordSize, failureMessage); !st) return st;
    auto opened = fs.openAppend(path);
    if (!opened) return failedWith(failureMessage, opened.status());
    File& file = **opened;
    auto size = file.size();
    if (!size) return failedWith(failureMessage, size.status());
    const std::uint64_t aligned = *size - *size % recordSize;
    if (aligned != *size) {
        // The link was checked, but what it leads to may have changed since: the bytes of a
        // file out of the set are never cut.
        if (const std::string target = fs.resolveLink(path); target != path)
            return Status::ioError(failureMessage)
                .withReason(path + " is a link to " + target + ", whose last record is torn");
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

Status rewriteRecords(FileSystem& fs, const std::string& path, std::size_t recordSize, const unsigned char* records,
                      std::size_t byteCount, const Message& failureMessage) {
    auto held = lockFileSet(fs, FileSet(path), failureMessage);
    if (!held) return held.status();
    if (Status st = checkLinkedRecordFile(fs, path, recordSize, failureMessage); !st) return st;
    return rewriteThroughTemporary(fs, path, failureMessage,
                                   [&](File& out) { return out.write(records, byteCount); });
}

Status replaceRecords(FileSystem& fs, const std::string& path, std::size_t recordSize, const KeepRecordFn& keep,
                      const AppendForFn& appendFor, bool appends, const Message& failureMessage) {
    auto held = lockFileSet(fs, FileSet(path), failureMessage);
    if (!held) return held.status();
    if (Status st = checkLinkedRecordFile(fs, path, recordSize, failureMessage); !st) return st;
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
                      const std::vector<unsigned char>& append, const Message& failureMessage) {
    return replaceRecords(
        fs, path, recordSize, keep, [&](const std::vector<unsigned char>&) -> Result<std::vector<unsigned char>> { return append; },
        !append.empty(), failureMessage);
}

Status removeRecords(FileSystem& fs, const std::string& path, std::size_t recordSize, const KeepRecordFn& keep,
                     const Message& failureMessage) {
    return replaceRecords(fs, path, recordSize, keep, {}, failureMessage);
}

}  // namespace ql
