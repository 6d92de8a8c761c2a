#pragma once

#include "core/Status.h"
#include "core/store/FileSystem.h"
#include "core/tracking/RunLock.h"
#include "core/tracking/RunningJournal.h"
#include "core/tracking/RunningProjects.h"

#include <cstdint>
#include <optional>
#include <string>

namespace ql {

// Keeps the journal of one open file set in step with the running projects, while this
// window holds the set's run lock. A window that does not hold it never writes the journal:
// the running projects it records belong to the window that does.
class JournalKeeper {
public:
    explicit JournalKeeper(FileSystem& fs) : m_fs(fs) {}

    // Claims the running projects of set, giving up any earlier claim.
    // Unavailable (no lock file can be made) still journals: nothing can be coordinated
    // there, and the writes report their own failure.
    RunLock::Outcome claim(const FileSet& set);
    // Stops journalling and releases the lock; the journal stays as it is on disk.
    void release();
    bool owns() const { return m_owns; }
    const std::string& path() const { return m_path; }

    // The journal of the claimed set as readJournal gives it.
    Result<std::optional<JournalState>> read();

    // Writes running with the heartbeat now and the start of the user's absence (0 while
    // present), or removes the journal when nothing runs. Does
    // nothing without a claim. A failure is returned once, when writing starts to fail;
    // the failures after it return ok until a write has succeeded again, so the user is told
    // once and not at every tick.
    Status record(const RunningProjects& running, std::int32_t now, std::int32_t awaySince = 0);
    // Removes the journal of the claimed set (a confirmed exit, a discarded recovery).
    Status discard();

private:
    Status reportOnce(Status st);

    FileSystem& m_fs;
    RunLock m_lock;
    std::string m_path;
    bool m_owns = false;
    bool m_failing = false;
};

}  // namespace ql
