#pragma once

#include "core/Status.h"

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

namespace ql {

// Bytes of a file seen through a read-only mapping, released with the object.
class MappedBytes {
public:
    virtual ~MappedBytes() = default;
    virtual const unsigned char* data() const = 0;
    virtual std::size_t size() const = 0;
};

// An open file. Failures return a Status whose message is for diagnostics only;
// the store replaces it with the user-facing text of the operation.
class File {
public:
    virtual ~File() = default;
    // Reads up to n bytes; 0 means end of file.
    virtual Result<std::size_t> read(void* buffer, std::size_t n) = 0;
    // Maps the bytes left to read but the last `leave`, as many as make whole units, and moves
    // the read position past them: the bytes read() would give, without copying them. nullptr
    // (not a failure) where the file is not mapped (a file system that does not map, too few
    // bytes to gain by it): read them instead. Touching the mapping after another program cut
    // the file short in place raises SIGBUS.
    virtual Result<std::unique_ptr<MappedBytes>> mapNext(std::size_t unit, std::uint64_t leave);
    // Moves the read position n bytes on without reading them; past the end, reads give 0.
    virtual Status skip(std::uint64_t n);
    // Writes all n bytes or fails (a short write is a failure).
    virtual Status write(const void* data, std::size_t n) = 0;
    // Flushes the file's data to the disk.
    virtual Status sync() = 0;
    // Cuts the file to size bytes.
    virtual Status truncate(std::uint64_t size) = 0;
    virtual Result<std::uint64_t> size() = 0;
};

// The reason of a lock() that timed out while another holder kept the lock.
inline constexpr const char* kLockBusyReason = "busy in another program";

// An advisory lock held until the object is destroyed.
class FileLock {
public:
    virtual ~FileLock() = default;
};

// What a path names, links followed.
enum class FileType { Missing, Regular, Fifo, CharacterDevice, Other };

// A file's type and identity: two paths name the same file when device and inode match,
// whatever links or spellings lead to it. Size and modification time tell a reader whether
// the file changed since it last looked.
struct FileIdentity {
    FileType type = FileType::Missing;
    std::uint64_t device = 0;
    std::uint64_t inode = 0;
    std::uint64_t size = 0;
    std::int64_t modifiedNs = 0;  // nanoseconds since the epoch
    // When the file's data or attributes last changed: unlike the modification time, no
    // program can set it back, so a rewrite in place that restores the old time still shows.
    std::int64_t changedNs = 0;

    bool sameFileAs(const FileIdentity& other) const {
        return type != FileType::Missing && other.type != FileType::Missing && device == other.device &&
               inode == other.inode;
    }
    // The same file, neither resized nor modified since earlier was taken.
    bool unchangedSince(const FileIdentity& earlier) const {
        return sameFileAs(earlier) && size == earlier.size && modifiedNs == earlier.modifiedNs &&
               changedNs == earlier.changedNs;
    }
};

// A file created for a rewrite, under the name it was given.
struct TemporaryFile {
    std::string path;
    std::unique_ptr<File> file;
};

// The few file calls the store needs. PosixFileSystem in production; tests wrap it
// to fail a chosen call and prove that no failure loses stored data.
class FileSystem {
public:
    virtual ~FileSystem() = default;
    // Opens an existing regular file for reading, never further than the size it had when
    // opened; NotFound when it does not exist, IoError for a FIFO, a device or a folder.
    virtual Result<std::unique_ptr<File>> openRead(const std::string& path) = 0;
    // Opens an existing regular file for writing at its end; NotFound when it does not exist.
    virtual Result<std::unique_ptr<File>> openAppend(const std::string& path) = 0;
    // Creates the file, or empties an existing regular one, for writing.
    virtual Result<std::unique_ptr<File>> create(const std::string& path) = 0;
    // Replaces `to` by `from` atomically (rename), then makes the rename durable (syncFolder).
    // Fails only when the rename fails: once renamed the change is made, and a caller that
    // reported it as failed would see it retried and made twice, so a folder that cannot be
    // synced is noted for takeWarnings() instead.
    Status renameOver(const std::string& from, const std::string& to);
    // The changes renameOver made since the last call that may not be on disk yet, each as one
    // line for the user, oldest first; taking them clears them.
    std::vector<Message> takeWarnings();
    // Replaces `to` by `from` atomically, not yet durably.
    virtual Status rename(const std::string& from, const std::string& to) = 0;
    // Writes folder's entries to the disk; ok where the file system does that by itself.
    virtual Status syncFolder(const std::string& folder) = 0;
    virtual Status remove(const std::string& path) = 0;
    virtual bool exists(const std::string& path) = 0;
    // The type and identity of what path names; type Missing (not a failure) when nothing is
    // there, a failure when it cannot be looked at.
    virtual Result<FileIdentity> identify(const std::string& path) = 0;
    // Opens an existing FIFO or character device for writing as a stream, never creating or
    // truncating anything; a FIFO's open waits for a reader. IoError for any other file.
    virtual Result<std::unique_ptr<File>> openStream(const std::string& path) = 0;

    // Creates a new file named prefix + a unique suffix, exclusively and never through a
    // symbolic link, with the permission bits of the file `like` when that exists.
    virtual Result<TemporaryFile> createTemporary(const std::string& prefix, const std::string& like) = 0;
    // The file a rewrite of path must replace: the final target when path is a symbolic
    // link (so the link stays a link; a missing target when the link dangles), else path itself.
    virtual std::string resolveLink(const std::string& path) = 0;
    // Takes the exclusive advisory lock of the lock file at path (created when missing),
    // waiting at most `wait` while another holder has it. A lock this file system object
    // already holds is granted again at once, so operations nest; another object is
    // another holder, as another process is.
    virtual Result<std::unique_ptr<FileLock>> lock(const std::string& path, std::chrono::milliseconds wait) = 0;
    // Creates an empty regular file at path, exclusively and never through a link, with the
    // permission bits of the file `like` when that exists; ok, untouched, when anything is
    // already at path. Fails with the system's reason (a read-only folder).
    virtual Status createEmpty(const std::string& path, const std::string& like) = 0;
    // The names (not paths) of the entries of folder, "." and ".." left out.
    virtual Result<std::vector<std::string>> listFolder(const std::string& folder) = 0;

private:
    std::mutex m_warningsMutex;
    std::vector<Message> m_warnings;
};

// Forwards every call to a target file system, so a test double overrides only the calls
// it fakes and stays sound for the rest. The target must outlive the wrapper.
class FileSystemWrapper : public FileSystem {
public:
    explicit FileSystemWrapper(FileSystem& target) : m_target(target) {}

    FileSystem& target() const { return m_target; }

    Result<std::unique_ptr<File>> openRead(const std::string& path) override { return m_target.openRead(path); }
    Result<std::unique_ptr<File>> openAppend(const std::string& path) override { return m_target.openAppend(path); }
    Result<std::unique_ptr<File>> create(const std::string& path) override { return m_target.create(path); }
    Status rename(const std::string& from, const std::string& to) override { return m_target.rename(from, to); }
    Status syncFolder(const std::string& folder) override { return m_target.syncFolder(folder); }
    Status remove(const std::string& path) override { return m_target.remove(path); }
    bool exists(const std::string& path) override { return m_target.exists(path); }
    Result<FileIdentity> identify(const std::string& path) override { return m_target.identify(path); }
    Result<std::unique_ptr<File>> openStream(const std::string& path) override { return m_target.openStream(path); }
    Result<TemporaryFile> createTemporary(const std::string& prefix, const std::string& like) override {
        return m_target.createTemporary(prefix, like);
    }
    std::string resolveLink(const std::string& path) override { return m_target.resolveLink(path); }
    Result<std::unique_ptr<FileLock>> lock(const std::string& path, std::chrono::milliseconds wait) override {
        return m_target.lock(path, wait);
    }
    Status createEmpty(const std::string& path, const std::string& like) override {
        return m_target.createEmpty(path, like);
    }
    Result<std::vector<std::string>> listFolder(const std::string& folder) override {
        return m_target.listFolder(folder);
    }

private:
    FileSystem& m_target;
};

// The POSIX calls. Locks it hands out must be released before it is destroyed.
class PosixFileSystem final : public FileSystem {
public:
    // Files it opens for reading are never mapped.
    PosixFileSystem();
    // Files it opens for reading map (File::mapNext) whenever at least mapFrom bytes would be
    // mapped. Only for a process that survives a mapped file cut short under it (SIGBUS).
    explicit PosixFileSystem(std::uint64_t mapFrom);
    ~PosixFileSystem() override;
    PosixFileSystem(const PosixFileSystem&) = delete;
    PosixFileSystem& operator=(const PosixFileSystem&) = delete;

    Result<std::unique_ptr<File>> openRead(const std::string& path) override;
    Result<std::unique_ptr<File>> openAppend(const std::string& path) override;
    Result<std::unique_ptr<File>> create(const std::string& path) override;
    Status rename(const std::string& from, const std::string& to) override;
    Status syncFolder(const std::string& folder) override;
    Status remove(const std::string& path) override;
    bool exists(const std::string& path) override;
    Result<FileIdentity> identify(const std::string& path) override;
    Result<std::unique_ptr<File>> openStream(const std::string& path) override;
    Result<TemporaryFile> createTemporary(const std::string& prefix, const std::string& like) override;
    std::string resolveLink(const std::string& path) override;
    Result<std::unique_ptr<FileLock>> lock(const std::string& path, std::chrono::milliseconds wait) override;
    Status createEmpty(const std::string& path, const std::string& like) override;
    Result<std::vector<std::string>> listFolder(const std::string& folder) override;

    // The lock files this object holds, so a nested operation is granted the lock at once
    // instead of waiting for itself.
    class HeldLocks;

private:
    std::unique_ptr<HeldLocks> m_held;
    std::uint64_t m_mapFrom;
};

// The smallest run of bytes mappingFileSystem() maps for a reader. Measured whole-process on a
// quiet machine, paired run by run with `cat`, `totals` of 100,000 frames (a 2 MiB projects
// file of 2,000 projects, a 1.2 MB time frames file) ran at 1.23 to 1.29 times `cat` with both
// read, and at 1.14 with both mapped; a 12 MB frames file gains more and a 120 MB one runs in
// about half the time. Below this size the copy costs less than setting up the mapping, and the
// file is read and cannot fault its reader.
inline constexpr std::uint64_t kMapReadsFrom = std::uint64_t{1} << 19;

// The process-wide production file system; it never maps, so no other program can make
// a reader fault by cutting a file short.
FileSystem& defaultFileSystem();

// A second process-wide production file system that maps readers' files of kMapReadsFrom
// bytes and more. Only for a program that has made SIGBUS harmless first (quillory-cli):
// a file another program truncates in place faults the reader of its mapping.
FileSystem& mappingFileSystem();

}  // namespace ql
