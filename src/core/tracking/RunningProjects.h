#pragma once

#include "core/Status.h"
#include "core/store/TimeFrameRecord.h"
#include "core/tracking/RunningEntry.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <vector>

namespace ql {

enum class CheckInResult { CheckedIn, LimitReached };

// The projects being timed, in check-in order, and the pause that stops all of them.
// A plain value the document owns; the journal keeps a copy on disk.
class RunningProjects {
public:
    static constexpr std::size_t kLimit = 5;

    RunningProjects() = default;
    // The running state as it was saved (the journal): entries in check-in order, at most
    // kLimit kept; the pause only while an entry runs.
    RunningProjects(std::vector<RunningEntry> entries, bool paused, std::int32_t pauseReference);

    // Writes a checked-out frame to the time frames file; its Status says whether it landed.
    using FrameWriter = std::function<Status(const TimeFrameRecord&)>;

    // Adds {projectId, now} at the end; LimitReached (and nothing added) when kLimit run.
    // The same project may run more than once.
    CheckInResult checkIn(std::int32_t projectId, std::int32_t now);

    // Stops the first entry (in check-in order) that carries projectId: hands the frame
    // {projectId, start, now} to write and removes the entry only when write succeeds, so a
    // failed write keeps the project running. A clock set back before the start gives a
    // zero-length frame, never one that ends before it starts. Returns the frame written,
    // write's failure, or NotFound when projectId does not run. Removing the last entry
    // ends the pause.
    Result<TimeFrameRecord> checkOut(std::int32_t projectId, std::int32_t now, const FrameWriter& write);

    // Starts or ends the pause and measures the next shift from now. Does nothing and
    // returns false when no project runs; otherwise returns the new paused state.
    bool togglePause(std::int32_t now);

    // The timer's pause accounting: while paused, moves each start later by the paused time
    // since the last tick or since its own check-in, whichever is later, then measures the
    // next shift from now. Time never runs backwards here: a clock set back shifts nothing.
    void tick(std::int32_t now);

    const std::vector<RunningEntry>& entries() const { return m_entries; }
    // The entries' project ids in check-in order (what the selection dialog lists).
    std::vector<std::int32_t> runningIds() const;
    std::size_t count() const { return m_entries.size(); }
    bool empty() const { return m_entries.empty(); }
    bool full() const { return m_entries.size() >= kLimit; }
    bool paused() const { return m_paused; }
    std::int32_t pauseReference() const { return m_pauseReference; }

private:
    std::vector<RunningEntry> m_entries;
    bool m_paused = false;
    std::int32_t m_pauseReference = 0;
};

}  // namespace ql
