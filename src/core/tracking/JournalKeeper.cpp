#include "core/tracking/JournalKeeper.h"

namespace ql {

RunLock::Outcome JournalKeeper::claim(const FileSet& set) {
    release();
    m_path = set.journal();
    const RunLock::Outcome outcome = m_lock.acquire(set);
    m_owns = outcome != RunLock::Outcome::HeldElsewhere;
    return outcome;
}

void JournalKeeper::release() {
    m_lock.release();
    m_owns = false;
    m_failing = false;
}

Result<std::optional<JournalState>> JournalKeeper::read() {
    return readJournal(m_fs, m_path);
}

Status JournalKeeper::record(const RunningProjects& running, std::int32_t now, std::int32_t awaySince) {
    if (!m_owns) return Status::ok();
    if (running.empty()) return reportOnce(removeJournal(m_fs, m_path));
    return reportOnce(writeJournal(m_fs, m_path,
                                   {running.entries(), running.paused(), running.pauseReference(), now, awaySince}));
}

Status JournalKeeper::discard() {
    if (!m_owns) return Status::ok();
    return reportOnce(removeJournal(m_fs, m_path));
}

Status JournalKeeper::reportOnce(Status st) {
    if (st) {
        m_failing = false;
        return st;
    }
    if (m_failing) return Status::ok();
    m_failing = true;
    return st;
}

}  // namespace ql
