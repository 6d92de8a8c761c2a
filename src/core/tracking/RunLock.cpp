#include "core/tracking/RunLock.h"

#include "core/store/FileSystem.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace ql {

RunLock::~RunLock() { release(); }

RunLock::Outcome RunLock::acquire(const FileSet& set) {
    release();
    // A new lock file takes the settings file's permission bits; a failure shows in the open below.
    (void)defaultFileSystem().createEmpty(set.runLock(), set.settings());
    // Never through a link: the lock must be on the set's own file.
    const int fd = ::open(set.runLock().c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0666);
    if (fd < 0) return Outcome::Unavailable;
    for (;;) {
        if (::flock(fd, LOCK_EX | LOCK_NB) == 0) {
            m_fd = fd;
            return Outcome::Acquired;
        }
        if (errno == EINTR) continue;
        const bool busy = errno == EWOULDBLOCK;
        ::close(fd);
        return busy ? Outcome::HeldElsewhere : Outcome::Unavailable;
    }
}

void RunLock::release() {
    if (m_fd < 0) return;
    ::close(m_fd);  // closing the only descriptor drops the flock
    m_fd = -1;
}

}  // namespace ql
