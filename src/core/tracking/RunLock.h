#pragma once

#include "core/store/FileSet.h"

namespace ql {

// The claim of one window on the running projects of a file set: an exclusive advisory lock
// (flock) on base path + "rul", held while the window has the set open. A file of its own,
// because the journal is renamed over at every write (a lock on it would stay on the old
// file) and the set's record lock is taken briefly by every record operation, which must not
// wait for a window. The lock file is never removed: removing it while held would let a
// second window lock a fresh file of the same name.
class RunLock {
public:
    enum class Outcome {
        Acquired,      // this window owns the running projects of the set
        HeldElsewhere, // another window (or program) holds the set's lock
        Unavailable,   // the lock file cannot be created or opened (a read-only folder)
    };

    RunLock() = default;
    ~RunLock();
    RunLock(const RunLock&) = delete;
    RunLock& operator=(const RunLock&) = delete;

    // Releases any lock held, then tries, without waiting, to lock set (its "rul" file).
    Outcome acquire(const FileSet& set);
    void release();
    bool held() const { return m_fd >= 0; }

private:
    int m_fd = -1;
};

}  // namespace ql
