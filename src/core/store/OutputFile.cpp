#include "core/store/OutputFile.h"

#include "core/store/RecordFile.h"

#include <utility>

namespace ql {

namespace {

// A FIFO or a device has no folder entry to replace: the bytes go straight in, and a reader
// (or /dev/full) sees them as they come, so there is nothing to sync or rename.
Status writeStream(FileSystem& fs, const std::string& path, const Message& failureMessage,
                   const OutputProducer& produce) {
    auto opened = fs.openStream(path);
    if (!opened) return failedWith(failureMessage, opened.status());
    const Status st = produce(**opened);
    if (!st) return failedWith(failureMessage, st);
    return Status::ok();
}

}  // namespace

Status refuseFileOfSet(FileSystem& fs, const std::string& path, const FileSet& set) {
    const std::string target = fs.resolveLink(path);
    const auto identity = fs.identify(path);
    const auto isPath = [&](const std::string& file) {
        if (file == path || file == target) return true;
        // A hard link or another spelling of the folder names the same file under another name.
        if (!identity) return false;
        const auto other = fs.identify(file);
        return other && identity->sameFileAs(*other);
    };
    bool ofSet = isPath(set.chosen());
    for (std::size_t k = 0; k < kFileKindCount && !ofSet; ++k) ofSet = isPath(set.path(static_cast<FileKind>(k)));
    if (ofSet) return Status::invalidArgument(Message(MessageId::OutputIsFileOfSet, {path}));
    return Status::ok();
}

PendingOutput& PendingOutput::operator=(PendingOutput&& other) noexcept {
    if (this != &other) {
        discard();
        m_commit = std::exchange(other.m_commit, {});
        m_discard = std::exchange(other.m_discard, {});
    }
    return *this;
}

Status PendingOutput::commit() {
    if (!m_commit) return Status::ioError(Message(MessageId::OutputDoneAlready));
    const auto commit = std::exchange(m_commit, {});
    const Status st = commit();
    // A failed commit cleans up after itself; a made one leaves nothing to discard.
    m_discard = {};
    return st;
}

void PendingOutput::discard() {
    m_commit = {};
    if (auto discard = std::exchange(m_discard, {})) discard();
}

namespace {

Result<PendingOutput> prepareThroughTemporary(FileSystem& fs, const std::string& target,
                                              const std::string& temporaryPrefix, const Message& failureMessage,
                                              const OutputProducer& produce, const std::string& modeOf) {
    auto created = fs.createTemporary(temporaryPrefix, modeOf);
    if (!created) return failedWith(failureMessage, created.status());
    const std::string tmp = created->path;
    Status st;
    {
        std::unique_ptr<File> out = std::move(created->file);
        st = produce(*out);
        if (st) st = out->sync();
    }
    if (!st) {
        (void)fs.remove(tmp);
        return failedWith(failureMessage, st);
    }
    return PendingOutput(
        [&fs, tmp, target, failureMessage] {
            const Status renamed = fs.renameOver(tmp, target);
            if (renamed) return Status::ok();
            (void)fs.remove(tmp);
            return failedWith(failureMessage, renamed);
        },
        [&fs, tmp] { (void)fs.remove(tmp); });
}

}  // namespace

Result<PendingOutput> prepareOutputFile(FileSystem& fs, const std::string& path, const Message& failureMessage,
                                        const OutputProducer& produce, const FileSet* reading) {
    if (reading)
        if (Status refused = refuseFileOfSet(fs, path, *reading); !refused) return refused;
    const auto identity = fs.identify(path);
    if (!identity) return failedWith(failureMessage, identity.status());
    switch (identity->type) {
    case FileType::Fifo:
    case FileType::CharacterDevice:
        return PendingOutput([&fs, path, failureMessage, produce] { return writeStream(fs, path, failureMessage, produce); },
                             {});
    case FileType::Other:
        return Status::ioError(failureMessage).withReason("not a regular file");
    case FileType::Missing:
    case FileType::Regular:
        break;
    }
    const std::string target = fs.resolveLink(path);
    return prepareThroughTemporary(fs, target, target + ".part", failureMessage, produce, target);
}

Status writeOutputFile(FileSystem& fs, const std::string& path, const Message& failureMessage,
                       const OutputProducer& produce, const FileSet* reading) {
    auto prepared = prepareOutputFile(fs, path, failureMessage, produce, reading);
    if (!prepared) return prepared.status();
    return prepared->commit();
}

Status writeThroughTemporary(FileSystem& fs, const std::string& target, const std::string& temporaryPrefix,
                             const Message& failureMessage, const OutputProducer& produce) {
    return writeThroughTemporary(fs, target, temporaryPrefix, failureMessage, produce, target);
}

Status writeThroughTemporary(FileSystem& fs, const std::string& target, const std::string& temporaryPrefix,
                             const Message& failureMessage, const OutputProducer& produce,
                             const std::string& modeOf) {
    auto prepared = prepareThroughTemporary(fs, target, temporaryPrefix, failureMessage, produce, modeOf);
    if (!prepared) return prepared.status();
    return prepared->commit();
}

}  // namespace ql
