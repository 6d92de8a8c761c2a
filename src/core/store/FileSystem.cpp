#include "core/store/FileSystem.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace ql {
namespace {

Status errnoStatus(const std::string& what, const std::string& path) {
    const int err = errno;
    std::string text = what + " " + path + ": " + std::strerror(err);
    return err == ENOENT ? Status::notFound(std::move(text)) : Status::ioError(std::move(text));
}

class PosixFile final : public File {
public:
    PosixFile(int fd, std::string path) : m_fd(fd), m_path(std::move(path)) {}
    ~PosixFile() override { ::close(m_fd); }
    PosixFile(const PosixFile&) = delete;
    PosixFile& operator=(const PosixFile&) = delete;

    Result<std::size_t> read(void* buffer, std::size_t n) override {
        for (;;) {
            const ssize_t got = ::read(m_fd, buffer, n);
            if (got >= 0) return static_cast<std::size_t>(got);
            if (errno != EINTR) return errnoStatus("read", m_path);
        }
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
};

Result<std::unique_ptr<File>> openWith(const std::string& path, int flags, const char* what) {
    const int fd = ::open(path.c_str(), flags | O_CLOEXEC, 0666);
    if (fd < 0) return errnoStatus(what, path);
    return std::unique_ptr<File>(std::make_unique<PosixFile>(fd, path));
}

std::string folderOf(const std::string& path) {
    const auto slash = path.find_last_of('/');
    if (slash == std::string::npos) return ".";
    if (slash == 0) return "/";
    return path.substr(0, slash);
}

}  // namespace

Result<std::unique_ptr<File>> PosixFileSystem::openRead(const std::string& path) {
    return openWith(path, O_RDONLY, "open");
}

Result<std::unique_ptr<File>> PosixFileSystem::openAppend(const std::string& path) {
    return openWith(path, O_WRONLY | O_APPEND, "open");
}

Result<std::unique_ptr<File>> PosixFileSystem::create(const std::string& path) {
    return openWith(path, O_WRONLY | O_CREAT | O_TRUNC, "create");
}

Status PosixFileSystem::renameOver(const std::string& from, const std::string& to) {
    if (::rename(from.c_str(), to.c_str()) != 0) return errnoStatus("rename", from);
    // The rename is only durable once the folder entry is on disk.
    const int dir = ::open(folderOf(to).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir >= 0) {
        ::fsync(dir);
        ::close(dir);
    }
    return Status::ok();
}

Status PosixFileSystem::remove(const std::string& path) {
    if (::unlink(path.c_str()) != 0) return errnoStatus("remove", path);
    return Status::ok();
}

bool PosixFileSystem::exists(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

FileSystem& defaultFileSystem() {
    static PosixFileSystem fs;
    return fs;
}

}  // namespace ql
