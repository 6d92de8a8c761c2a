#include "core/tracking/RunningProjects.h"

#include <algorithm>
#include <utility>

namespace ql {

RunningProjects::RunningProjects(std::vector<RunningEntry> entries, bool paused, std::int32_t pauseReference)
    : m_entries(std::move(entries)), m_paused(paused), m_pauseReference(pauseReference) {
    if (m_entries.size() > kLimit) m_entries.resize(kLimit);
    if (m_entries.empty()) m_paused = false;
}

CheckInResult RunningProjects::checkIn(std::int32_t projectId, std::int32_t now) {
    if (full()) return CheckInResult::LimitReached;
    m_entries.push_back({projectId, now});
    return CheckInResult::CheckedIn;
}

Result<TimeFrameRecord> RunningProjects::checkOut(std::int32_t projectId, std::int32_t now, const FrameWriter& write) {
    const auto it = std::find_if(m_entries.begin(), m_entries.end(),
                                 [&](const RunningEntry& e) { return e.projectId == projectId; });
    if (it == m_entries.end()) return Status::notFound(Message(MessageId::ProjectNotRunning));
    const TimeFrameRecord frame{projectId, it->start, std::max(it->start, now)};
    const Status written = write(frame);
    if (!written) return written;
    m_entries.erase(it);
    if (m_entries.empty()) m_paused = false;
    return frame;
}

std::vector<std::int32_t> RunningProjects::runningIds() const {
    std::vector<std::int32_t> ids;
    ids.reserve(m_entries.size());
    for (const RunningEntry& e : m_entries) ids.push_back(e.projectId);
    return ids;
}

bool RunningProjects::togglePause(std::int32_t now) {
    if (m_entries.empty()) return false;
    m_pauseReference = now;
    m_paused = !m_paused;
    return m_paused;
}

void RunningProjects::tick(std::int32_t now) {
    if (!m_paused) return;
    for (auto& entry : m_entries) {
        // An entry checked in during the pause starts after the reference: it has only been
        // paused since then. Shifting it by the whole span would put its start after now.
        const std::int32_t pausedSince = std::max(m_pauseReference, entry.start);
        if (now > pausedSince) entry.start = static_cast<std::int32_t>(std::int64_t{entry.start} + now - pausedSince);
    }
    m_pauseReference = now;
}

}  // namespace ql
