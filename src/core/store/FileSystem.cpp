#include "core/store/FileSystem.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <climits>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <limits>
#include <mutex>
#include <sys/file.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>
#include <utility>
#include <vector>

namespace ql {
namespace {

Status errnoStatus(const std::string& what, const std::string& path, int err) {
    std::string reason = std::strerror(err);
    Message text(MessageId::SystemCallFailed, {what, path, reason});
    Status st = err == ENOENT ? Status::notFound(std::move(text)) : Status::ioError(std::move(text));
    return st.withReason(std::move(reason));
}

Status errnoStatus(const std::string& what, const std::string& path) {
    return errnoStatus(what, path, errno);
}

Status notRegular(const std::string& path) {
    return Status::ioError(Message(MessageId::SystemCallFailed, {"open", path, "not a regular file"}))
        .withReason("not a regular file");
}

constexpr std::uint64_t kNeverMap = std::numeric_limits<std::uint64_t>::max();

class PosixMapping final : public MappedBytes {
public:
    PosixMapping(void* base, std::size_t length, std::size_t lead) : m_base(base), m_length(length), m_lead(lead) {}
    ~PosixMapping() override { ::munmap(m_base, m_length); }
    PosixMapping(const PosixMapping&) = delete;
    PosixMapping& operator=(const PosixMapping&) = delete;

    const unsigned char* data() const override { return static_cast<const unsigned char*>(m_base) + m_lead; }
    std::size_t size() const override { return m_length - m_lead; }

private:
    void* m_base;
    std::size_t m_length;
    std::size_t m_lead;  // bytes before the read position on its page
};

class PosixFile final : public File {
public:
    // limit: the bytes reads may return in all, for a file opened for reading. writeBehind:
    // the file will be synced whole, so the disk may start on what is written at once.
    // mapFrom: the fewest bytes mapNext maps.
    PosixFile(int fd, std::string path, std::uint64_t limit, bool writeBehind = false,
              std::uint64_t mapFrom = kNeverMap)
        : m_fd(fd), m_path(std::move(path)), m_left(limit), m_writeBehind(writeBehind), m_mapFrom(mapFrom) {}
    ~PosixFile() override { ::close(m_fd); }
    PosixFile(const PosixFile&) = delete;
    PosixFile& operator=(const PosixFile&) = delete;

    Result<std::size_t> read(void* buffer, std::size_t n) override {
        // A file that keeps growing (or never ends) is read only as far as it was when opened.
        n = static_cast<std::size_t>(std::min<std::uint64_t>(n, m_left));
        if (n == 0) return std::size_t{0};
        for (;;) {
            const ssize_t got = ::read(m_fd, buffer, n);
            if (got >= 0) {
                m_left -= static_cast<std::uint64_t>(got);
                return static_cast<std::size_t>(got);
            }
            if (errno != EINTR) return errnoStatus("read", m_path);
        }
    }

    Result<std::unique_ptr<MappedBytes>> mapNext(std::size_t unit, std::uint64_t leave) override {
        // m_left bounds the mapping as it bounds reads: never past the size at opening.
        if (unit == 0 || m_left <= leave) return std::unique_ptr<MappedBytes>();
        const std::uint64_t whole = (m_left - leave) / unit * unit;
        if (whole == 0 || whole < m_mapFrom || whole > std::numeric_limits<std::size_t>::max() / 2)
            return std::unique_ptr<MappedBytes>();
        const auto n = static_cast<std::size_t>(whole);
        const off_t at = ::lseek(m_fd, 0, SEEK_CUR);
        if (at < 0) return errnoStatus("seek", m_path);
        const auto page = static_cast<off_t>(::sysconf(_SC_PAGESIZE));
        const auto lead = static_cast<std::size_t>(at % page);
        // Populated at once: the reader touches every page, and one call costs less than a
        // fault per page.
        void* base =
            ::mmap(nullptr, lead + n, PROT_READ, MAP_PRIVATE | MAP_POPULATE, m_fd, at - static_cast<off_t>(lead));
        if (base == MAP_FAILED) return std::unique_ptr<MappedBytes>();  // read instead
        auto mapping = std::make_unique<PosixMapping>(base, lead + n, lead);
        if (::lseek(m_fd, static_cast<off_t>(n), SEEK_CUR) < 0) return errnoStatus("seek", m_path);
        m_left -= n;
        return std::unique_ptr<MappedBytes>(std::move(mapping));
    }

    Status skip(std::uint64_t n) override {
        n = std::min(n, m_left);
        if (n == 0) return Status::ok();
        if (::lseek(m_fd, static_cast<off_t>(n), SEEK_CUR) < 0) return errnoStatus("seek", m_path);
        m_left -= n;
        return Status::ok();
    }

    Status write(const void* data, std::size_t n) override {
        const char* p = static_cast<const char*>(data);
        while (n > 0) {
            const ssize_t put = ::write(m_fd, p, n);
            if (put < 0) {
                if (errno == EINTR) continue;
                return errnoStatus("write", m_path);
            }
            p += put;
            n -= static_cast<std::size_t>(put);
            m_written += static_cast<std::uint64_t>(put);
        }
        // A file synced whole at its end (an export of 7 MB) waits there for every byte to
        // reach the disk; asking for each megabyte to be written as soon as it is complete
        // lets the disk work while the rest is made. Only a request: sync still decides.
        constexpr std::uint64_t kWriteBehindBytes = 1 << 20;
        if (m_writeBehind && m_written - m_started >= kWriteBehindBytes) {
            (void)::sync_file_range(m_fd, static_cast<off_t>(m_started), static_cast<off_t>(m_written - m_started),
                                    SYNC_FILE_RANGE_WRITE);
            m_started = m_written;
        }
        return Status::ok();
    }

    Status sync() override {
        if (::fsync(m_fd) != 0) return errnoStatus("sync", m_path);
        return Status::ok();
    }

    Status truncate(std::uint64_t size) override {
        if (::ftruncate(m_fd, static_cast<off_t>(size)) != 0) return errnoStatus("truncate", m_path);
        return Status::ok();
    }

    Result<std::uint64_t> size() override {
        struct stat st {};
        if (::fstat(m_fd, &st) != 0) return errnoStatus("stat", m_path);
        return static_cast<std::uint64_t>(st.st_size);
    }

private:
    int m_fd;
    std::string m_path;
    std::uint64_t m_left;
    bool m_writeBehind;
    std::uint64_t m_written = 0;  // by write, for the write-behind
    std::uint64_t m_started = 0;  // bytes whose writing to the disk was asked for
    std::uint64_t m_mapFrom;
};

// Opens path only when it is a regular file. O_NONBLOCK keeps a FIFO from blocking the
// open itself; it changes nothing for a regular file.
Result<std::unique_ptr<File>> openRegular(const std::string& path, int flags, const char* what,
                                          std::uint64_t mapFrom = kNeverMap) {
    const int fd = ::open(path.c_str(), flags | O_NONBLOCK | O_NOCTTY | O_CLOEXEC, 0666);
    if (fd < 0) return errnoStatus(what, path);
    struct stat st {};
    if (::fstat(fd, &st) != 0) {
        const int err = errno;
        ::close(fd);
        return errnoStatus("stat", path, err);
    }
    if (!S_ISREG(st.st_mode)) {
        ::close(fd);
        return notRegular(path);
    }
    const std::uint64_t limit = (flags & O_ACCMODE) == O_RDONLY ? static_cast<std::uint64_t>(st.st_size) : 0;
    return std::unique_ptr<File>(std::make_unique<PosixFile>(fd, path, limit, false, mapFrom));
}

std::string folderOf(const std::string& path) {
    const auto slash = path.find_last_of('/');
    if (slash == std::string::npos) return ".";
    if (slash == 0) return "/";
    return path.substr(0, slash);
}

Status syncFolderEntries(const std::string& folder) {
    const int dir = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir < 0) return errnoStatus("open folder", folder);
    const int rc = ::fsync(dir);
    const int err = errno;
    ::close(dir);
    // A file system that cannot sync folders (EINVAL) makes renames durable by itself.
    if (rc != 0 && err != EINVAL) return errnoStatus("sync folder", folder, err);
    return Status::ok();
}

using LockKey = std::pair<dev_t, ino_t>;

}  // namespace

Result<std::unique_ptr<MappedBytes>> File::mapNext(std::size_t, std::uint64_t) {
    return std::unique_ptr<MappedBytes>();
}

Status File::skip(std::uint64_t n) {
    char buffer[4096];
    while (n > 0) {
        auto got = read(buffer, static_cast<std::size_t>(std::min<std::uint64_t>(n, sizeof buffer)));
        if (!got) return got.status();
        if (*got == 0) break;
        n -= *got;
    }
    return Status::ok();
}

// A mutex keeps the list sound should two threads share one object; they then count as one
// holder, so a process that wants its threads to exclude each other gives each its own object.
class PosixFileSystem::HeldLocks {
public:
    bool contains(const LockKey& key) {
        const std::lock_guard<std::mutex> guard(m_mutex);
        return std::find(m_keys.begin(), m_keys.end(), key) != m_keys.end();
    }
    void add(const LockKey& key) {
        const std::lock_guard<std::mutex> guard(m_mutex);
        m_keys.push_back(key);
    }
    void drop(const LockKey& key) {
        const std::lock_guard<std::mutex> guard(m_mutex);
        const auto it = std::find(m_keys.begin(), m_keys.end(), key);
        if (it != m_keys.end()) m_keys.erase(it);
    }

private:
    std::mutex m_mutex;
    std::vector<LockKey> m_keys;
};

namespace {

class PosixLock final : public FileLock {
public:
    PosixLock(int fd, LockKey key, PosixFileSystem::HeldLocks& held) : m_fd(fd), m_key(key), m_held(held) {
        m_held.add(key);
    }
    ~PosixLock() override {
        m_held.drop(m_key);
        ::flock(m_fd, LOCK_UN);
        ::close(m_fd);
    }
    PosixLock(const PosixLock&) = delete;
    PosixLock& operator=(const PosixLock&) = delete;

private:
    int m_fd;
    LockKey m_key;
    PosixFileSystem::HeldLocks& m_held;
};

class NestedLock final : public FileLock {};

std::atomic<unsigned> g_temporaryCounter{0};

}  // namespace

PosixFileSystem::PosixFileSystem() : PosixFileSystem(kNeverMap) {}

PosixFileSystem::PosixFileSystem(std::uint64_t mapFrom) : m_held(std::make_unique<HeldLocks>()), m_mapFrom(mapFrom) {}

PosixFileSystem::~PosixFileSystem() = default;

Result<TemporaryFile> PosixFileSystem::createTemporary(const std::string& prefix, const std::string& like) {
    struct stat old {};
    const bool hasOld = ::stat(like.c_str(), &old) == 0 && S_ISREG(old.st_mode);
    const mode_t mode = hasOld ? static_cast<mode_t>(old.st_mode & 0777) : 0666;
    for (int attempt = 0; attempt < 100; ++attempt) {
        const std::string path = prefix + "." + std::to_string(::getpid()) + "-" +
                                 std::to_string(g_temporaryCounter.fetch_add(1)) + "-" +
                                 std::to_string(std::chrono::steady_clock::now().time_since_epoch().count() % 100000);
        // O_EXCL refuses any existing name, a planted link included; O_NOFOLLOW says so twice.
        const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, hasOld ? 0600 : mode);
        if (fd < 0) {
            if (errno == EEXIST) continue;
            return errnoStatus("create", path);
        }
        // The umask must not loosen or tighten what the user set on the old file.
        if (hasOld && ::fchmod(fd, mode) != 0) {
            const int err = errno;
            ::close(fd);
            ::unlink(path.c_str());
            return errnoStatus("chmod", path, err);
        }
        return TemporaryFile{path, std::make_unique<PosixFile>(fd, path, 0, true)};
    }
    return Status::ioError(Message(MessageId::SystemCallFailed, {"create", prefix, "no free temporary name"}))
        .withReason("no free temporary name");
}

std::string PosixFileSystem::resolveLink(const std::string& path) {
    struct stat st {};
    if (::lstat(path.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return path;
    char resolved[PATH_MAX];
    if (::realpath(path.c_str(), resolved)) return resolved;
    // A dangling link: follow it by hand, so a writer sees the missing target it would create.
    std::string current = path;
    for (int hops = 0; hops < 40; ++hops) {
        if (::lstat(current.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return current;
        char text[PATH_MAX];
        const ssize_t n = ::readlink(current.c_str(), text, sizeof text - 1);
        if (n <= 0) return current;
        const std::string next(text, static_cast<std::size_t>(n));
        current = next.front() == '/' ? next : folderOf(current) + "/" + next;
    }
    return current;
}

Result<std::unique_ptr<FileLock>> PosixFileSystem::lock(const std::string& path, std::chrono::milliseconds wait) {
    const auto deadline = std::chrono::steady_clock::now() + wait;
    auto sleepFor = std::chrono::milliseconds(1);
    for (;;) {
        int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0666);
        // A lock file left by another user in a shared folder (or on a read-only disk) may be
        // read-only to us; when there is none, the first failure is the true reason.
        if (fd < 0 && (errno == EACCES || errno == EROFS)) {
            const int first = errno;
            fd = ::open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
            if (fd < 0) return errnoStatus("lock", path, errno == ENOENT ? first : errno);
        }
        if (fd < 0) return errnoStatus("lock", path);
        struct stat st {};
        if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
            ::close(fd);
            return notRegular(path);
        }
        const LockKey key{st.st_dev, st.st_ino};
        if (m_held->contains(key)) {
            ::close(fd);
            return std::unique_ptr<FileLock>(std::make_unique<NestedLock>());
        }
        while (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
            if (errno == EINTR) continue;
            if (errno != EWOULDBLOCK) {
                const int err = errno;
                ::close(fd);
                return errnoStatus("lock", path, err);
            }
            if (std::chrono::steady_clock::now() >= deadline) {
                ::close(fd);
                return Status::ioError(Message(MessageId::SystemCallFailed, {"lock", path, "busy"}))
                    .withReason(kLockBusyReason);
            }
            std::this_thread::sleep_for(sleepFor);
            sleepFor = std::min(sleepFor * 2, std::chrono::milliseconds(2));
        }
        // The lock only counts if the file is still the one named path: someone may have
        // removed it while we waited, and a new holder would lock the new file.
        struct stat now {};
        if (::stat(path.c_str(), &now) == 0 && now.st_dev == st.st_dev && now.st_ino == st.st_ino)
            return std::unique_ptr<FileLock>(std::make_unique<PosixLock>(fd, key, *m_held));
        ::close(fd);
    }
}

Result<std::unique_ptr<File>> PosixFileSystem::openRead(const std::string& path) {
    return openRegular(path, O_RDONLY, "open", m_mapFrom);
}

Result<std::unique_ptr<File>> PosixFileSystem::openAppend(const std::string& path) {
    return openRegular(path, O_WRONLY | O_APPEND, "open");
}

Result<std::unique_ptr<File>> PosixFileSystem::create(const std::string& path) {
    // Checked before truncating, so a device or FIFO at path is refused untouched.
    struct stat st {};
    if (::stat(path.c_str(), &st) == 0 && !S_ISREG(st.st_mode)) return notRegular(path);
    return openRegular(path, O_WRONLY | O_CREAT | O_TRUNC, "create");
}

Status FileSystem::renameOver(const std::string& from, const std::string& to) {
    if (Status st = rename(from, to); !st) return st;
    // The rename is only durable once the folder entry is on disk.
    if (const Status synced = syncFolder(folderOf(to)); !synced) {
        const std::string reason = synced.reason().empty() ? synced.message() : synced.reason();
        const std::lock_guard<std::mutex> guard(m_warningsMutex);
        m_warnings.push_back(Message(MessageId::SavedNotYetOnDisk, {to, reason}));
    }
    return Status::ok();
}

std::vector<Message> FileSystem::takeWarnings() {
    const std::lock_guard<std::mutex> guard(m_warningsMutex);
    return std::exchange(m_warnings, {});
}

Status PosixFileSystem::rename(const std::string& from, const std::string& to) {
    if (::rename(from.c_str(), to.c_str()) != 0) return errnoStatus("rename", from);
    return Status::ok();
}

Status PosixFileSystem::syncFolder(const std::string& folder) { return syncFolderEntries(folder); }

Status PosixFileSystem::createEmpty(const std::string& path, const std::string& like) {
    struct stat st {};
    if (::lstat(path.c_str(), &st) == 0) return Status::ok();
    struct stat old {};
    const bool hasOld = ::stat(like.c_str(), &old) == 0 && S_ISREG(old.st_mode);
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC,
                          hasOld ? 0600 : 0666);
    if (fd < 0) return errno == EEXIST ? Status::ok() : errnoStatus("create", path);
    // As for a temporary file: the bits the user set on the settings file, whatever the umask.
    const int rc = hasOld ? ::fchmod(fd, old.st_mode & 0777) : 0;
    const int err = errno;
    ::close(fd);
    if (rc != 0) return errnoStatus("chmod", path, err);
    return Status::ok();
}

Result<std::vector<std::string>> PosixFileSystem::listFolder(const std::string& folder) {
    DIR* dir = ::opendir(folder.c_str());
    if (!dir) return errnoStatus("list", folder);
    std::vector<std::string> names;
    errno = 0;
    while (const dirent* entry = ::readdir(dir)) {
        const std::string name = entry->d_name;
        if (name != "." && name != "..") names.push_back(name);
        errno = 0;
    }
    const int err = errno;
    ::closedir(dir);
    if (err != 0) return errnoStatus("list", folder, err);
    return names;
}

Status PosixFileSystem::remove(const std::string& path) {
    if (::unlink(path.c_str()) != 0) return errnoStatus("remove", path);
    return Status::ok();
}

bool PosixFileSystem::exists(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

Result<FileIdentity> PosixFileSystem::identify(const std::string& path) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) {
        if (errno == ENOENT) return FileIdentity{};
        return errnoStatus("stat", path);
    }
    FileType type = FileType::Other;
    if (S_ISREG(st.st_mode)) type = FileType::Regular;
    else if (S_ISFIFO(st.st_mode)) type = FileType::Fifo;
    else if (S_ISCHR(st.st_mode)) type = FileType::CharacterDevice;
    return FileIdentity{type, static_cast<std::uint64_t>(st.st_dev), static_cast<std::uint64_t>(st.st_ino),
                        static_cast<std::uint64_t>(st.st_size),
                        std::int64_t{st.st_mtim.tv_sec} * 1'000'000'000 + st.st_mtim.tv_nsec,
                        std::int64_t{st.st_ctim.tv_sec} * 1'000'000'000 + st.st_ctim.tv_nsec};
}

Result<std::unique_ptr<File>> PosixFileSystem::openStream(const std::string& path) {
    // No O_CREAT or O_TRUNC: whatever sits at path is written into, never replaced.
    int fd;
    do {
        fd = ::open(path.c_str(), O_WRONLY | O_NOCTTY | O_CLOEXEC);
    } while (fd < 0 && errno == EINTR);
    if (fd < 0) return errnoStatus("open", path);
    struct stat st {};
    if (::fstat(fd, &st) != 0) {
        const int err = errno;
        ::close(fd);
        return errnoStatus("stat", path, err);
    }
    if (!S_ISFIFO(st.st_mode) && !S_ISCHR(st.st_mode)) {
        ::close(fd);
        return Status::ioError(Message(MessageId::SystemCallFailed, {"open", path, "not a FIFO or device"}))
            .withReason("not a FIFO or device");
    }
    return std::unique_ptr<File>(std::make_unique<PosixFile>(fd, path, 0));
}

FileSystem& defaultFileSystem() {
    static PosixFileSystem fs;
    return fs;
}

FileSystem& mappingFileSystem() {
    static PosixFileSystem fs(kMapReadsFrom);
    return fs;
}

}  // namespace ql
