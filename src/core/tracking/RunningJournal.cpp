#include "core/tracking/RunningJournal.h"

#include "core/store/ByteStream.h"
#include "core/store/Checksum.h"
#include "core/store/FieldCodec.h"
#include "core/store/RecordFile.h"

#include <algorithm>
#include <array>

namespace ql {
namespace {

constexpr std::array<unsigned char, 4> kMagic{'Q', 'L', 'R', 'N'};
constexpr std::int32_t kVersion = 3;
// Version 2 kept no absence; version 1 kept no check-in time either: its entries were a
// project id and a start.
constexpr std::int32_t kVersionWithoutAway = 2;
constexpr std::int32_t kVersionWithoutCheckIn = 1;
constexpr std::size_t kHeaderSize = 24;
constexpr std::size_t kEntrySize = 12;
constexpr std::size_t kEntrySizeWithoutCheckIn = 8;
constexpr std::size_t kAwaySize = 4;
constexpr std::size_t kChecksumSize = 4;
constexpr std::size_t kMaxEntries = 5;
constexpr std::size_t kMaxSize = kHeaderSize + kMaxEntries * kEntrySize + kAwaySize + kChecksumSize;

}  // namespace

std::vector<unsigned char> encodeJournal(const JournalState& state) {
    const std::size_t count = std::min(state.entries.size(), kMaxEntries);
    ByteWriter w(std::vector<unsigned char>(kMagic.begin(), kMagic.end()));
    w.reserve(kHeaderSize + count * kEntrySize + kAwaySize + kChecksumSize);
    w.i32(kVersion);
    w.i32(state.heartbeat);
    w.i32(state.paused ? 1 : 0);
    w.i32(state.pauseReference);
    w.i32(static_cast<std::int32_t>(count));
    for (std::size_t i = 0; i < count; ++i) {
        w.i32(state.entries[i].projectId);
        w.i32(state.entries[i].start);
        w.i32(state.entries[i].checkedIn);
    }
    w.i32(state.awaySince);
    w.u32(crc32(w.data().data(), w.position()));
    return w.take();
}

std::optional<JournalState> decodeJournal(const unsigned char* bytes, std::size_t size) {
    if (size < kHeaderSize + kChecksumSize || size > kMaxSize) return std::nullopt;
    if (!std::equal(kMagic.begin(), kMagic.end(), bytes)) return std::nullopt;
    const std::size_t body = size - kChecksumSize;
    ByteReader r(bytes, body);
    r.skip(kMagic.size());
    const std::int32_t version = r.i32();
    if (version != kVersion && version != kVersionWithoutAway && version != kVersionWithoutCheckIn)
        return std::nullopt;
    const std::size_t entrySize = version == kVersionWithoutCheckIn ? kEntrySizeWithoutCheckIn : kEntrySize;
    const std::size_t awaySize = version == kVersion ? kAwaySize : 0;
    JournalState state;
    state.heartbeat = r.i32();
    const std::int32_t paused = r.i32();
    state.pauseReference = r.i32();
    const std::int32_t count = r.i32();
    if (count < 0 || static_cast<std::size_t>(count) > kMaxEntries) return std::nullopt;
    if (body != kHeaderSize + static_cast<std::size_t>(count) * entrySize + awaySize) return std::nullopt;
    if (codec::loadLittleEndian<std::uint32_t>(bytes + body) != crc32(bytes, body)) return std::nullopt;
    if (paused != 0 && paused != 1) return std::nullopt;
    state.paused = paused == 1;
    for (std::int32_t i = 0; i < count; ++i) {
        RunningEntry entry;
        entry.projectId = r.i32();
        entry.start = r.i32();
        // A journal of the earlier layout is offered back as it was: its starts are all it knew.
        entry.checkedIn = version == kVersionWithoutCheckIn ? entry.start : r.i32();
        state.entries.push_back(entry);
    }
    if (version == kVersion) state.awaySince = r.i32();
    if (!r.ok() || state.awaySince < 0) return std::nullopt;
    return state;
}

Message journalReadMessage(const std::string& path) { return Message(MessageId::CannotReadRunningProjects, {path}); }
Message journalWriteMessage(const std::string& path) { return Message(MessageId::CannotWriteRunningProjects, {path}); }

Result<std::optional<JournalState>> readJournal(FileSystem& fs, const std::string& path) {
    auto opened = fs.openRead(path);
    if (!opened) {
        if (opened.status().code() == StatusCode::NotFound) return std::optional<JournalState>();
        return Status::ioError(journalReadMessage(path));
    }
    // One byte more than the largest journal tells a padded file from a whole one.
    std::array<unsigned char, kMaxSize + 1> buffer{};
    std::size_t filled = 0;
    while (filled < buffer.size()) {
        auto got = (*opened)->read(buffer.data() + filled, buffer.size() - filled);
        if (!got) return Status::ioError(journalReadMessage(path));
        if (*got == 0) break;
        filled += *got;
    }
    auto state = decodeJournal(buffer.data(), filled);
    if (!state) return Status::ioError(journalReadMessage(path));
    return std::optional<JournalState>(std::move(*state));
}

std::optional<std::string> unusableJournalMark(FileSystem& fs, const std::string& path) {
    const auto identity = fs.identify(path);
    if (!identity) return std::nullopt;
    const char* kind = nullptr;
    switch (identity->type) {
    case FileType::Missing:
    case FileType::Regular: return std::nullopt;
    case FileType::Fifo: kind = "fifo"; break;
    case FileType::CharacterDevice: kind = "device"; break;
    case FileType::Other: kind = "other"; break;
    }
    return std::string(kind) + " " + std::to_string(identity->device) + ":" + std::to_string(identity->inode);
}

Status writeJournal(FileSystem& fs, const std::string& path, const JournalState& state) {
    // A FIFO, folder or device there (a link to one included) is the user's, not a journal:
    // renaming over it would replace it, a device node even for root.
    if (unusableJournalMark(fs, path)) return Status::ioError(journalWriteMessage(path)).withReason("not a regular file");
    const std::vector<unsigned char> bytes = encodeJournal(state);
    // The store's own temporary file (unique, exclusive, never through a link, the old
    // file's permission bits), but not the set's record lock: only the window holding the
    // run lock writes the journal, and a tick must never wait for a record operation.
    const std::string target = fs.resolveLink(path);
    auto created = fs.createTemporary(temporaryPathFor(target), permissionSourceFor(fs, target, FileSet(path)));
    if (!created) return failedWith(journalWriteMessage(path), created.status());
    const std::string tmp = created->path;
    Status st;
    {
        std::unique_ptr<File> out = std::move(created->file);
        st = out->write(bytes.data(), bytes.size());
        if (st) st = out->sync();
    }
    if (st) st = fs.renameOver(tmp, target);
    if (!st) {
        (void)fs.remove(tmp);
        return failedWith(journalWriteMessage(path), st);
    }
    return Status::ok();
}

Status removeJournal(FileSystem& fs, const std::string& path) {
    if (!fs.exists(path)) return Status::ok();
    if (!fs.remove(path)) return Status::ioError(journalWriteMessage(path));
    return Status::ok();
}

}  // namespace ql
