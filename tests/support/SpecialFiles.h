#pragma once

#include <fcntl.h>
#include <future>
#include <string>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/types.h>
#include <thread>
#include <unistd.h>

namespace ql::test {

// A character device like /dev/null (minor 3) or /dev/full (minor 7) at path when the test
// may make device nodes (as root), else the system's own path. A writer that wrongly
// replaced the device then replaces a copy in the test's folder, never the machine's.
inline std::string memoryDevice(const std::string& path, unsigned minor, const std::string& systemPath) {
    if (::mknod(path.c_str(), S_IFCHR | 0666, makedev(1, minor)) == 0) return path;
    return systemPath;
}

inline bool isFifo(const std::string& path) {
    struct stat st {};
    return ::lstat(path.c_str(), &st) == 0 && S_ISFIFO(st.st_mode);
}

inline bool isCharacterDevice(const std::string& path) {
    struct stat st {};
    return ::lstat(path.c_str(), &st) == 0 && S_ISCHR(st.st_mode);
}

// A FIFO at path with a reader draining it on its own thread. The object keeps the FIFO open
// for writing itself until received(), so the reader never waits on a writer that does not
// come (as when the FIFO was wrongly replaced) and sees the end once the writer is done.
class FifoReader {
public:
    explicit FifoReader(std::string path) : m_path(std::move(path)) {
        m_made = ::mkfifo(m_path.c_str(), 0600) == 0;
        if (!m_made) return;
        // O_RDWR never waits, and lets the reader's open go on.
        m_holder = ::open(m_path.c_str(), O_RDWR | O_CLOEXEC);
        if (m_holder < 0) return;
        std::future<void> readerOpen = m_opened.get_future();
        m_reader = std::thread([this] {
            const int fd = ::open(m_path.c_str(), O_RDONLY | O_CLOEXEC);
            m_opened.set_value();
            if (fd < 0) return;
            char buffer[4096];
            for (ssize_t n; (n = ::read(fd, buffer, sizeof buffer)) > 0;) m_received.append(buffer, static_cast<std::size_t>(n));
            ::close(fd);
        });
        // A FIFO nobody reads drops what is written into it once the writers are gone.
        readerOpen.wait();
    }
    ~FifoReader() { (void)received(); }
    FifoReader(const FifoReader&) = delete;
    FifoReader& operator=(const FifoReader&) = delete;

    bool made() const { return m_made && m_holder >= 0; }
    const std::string& path() const { return m_path; }

    // Everything written into the FIFO, once the writers have closed it.
    const std::string& received() {
        if (m_holder >= 0) ::close(m_holder);
        m_holder = -1;
        if (m_reader.joinable()) m_reader.join();
        return m_received;
    }

private:
    std::string m_path;
    bool m_made = false;
    int m_holder = -1;
    std::promise<void> m_opened;
    std::thread m_reader;
    std::string m_received;
};

}  // namespace ql::test
