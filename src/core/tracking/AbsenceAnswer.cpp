#include "core/tracking/AbsenceAnswer.h"

#include <algorithm>

namespace ql {

std::vector<RunningEntry> absentEntries(const RunningProjects& running, const Absence& absence) {
    std::vector<RunningEntry> absent;
    if (running.paused()) return absent;
    for (const RunningEntry& entry : running.entries())
        if (entry.checkedIn <= absence.start) absent.push_back(entry);
    return absent;
}

AbsenceOutcome applyAbsenceAnswer(AbsenceAnswer answer, const Absence& absence, const RunningProjects& running,
                                  const RunningProjects::FrameWriter& write,
                                  const std::function<void(const RunningProjects&)>& afterEach) {
    AbsenceOutcome outcome{running, {}};
    if (answer == AbsenceAnswer::KeepTime || running.paused()) return outcome;
    std::vector<RunningEntry> entries = running.entries();
    for (std::size_t i = 0; i < entries.size();) {
        const RunningEntry entry = entries[i];
        if (entry.checkedIn > absence.start) {
            ++i;
            continue;
        }
        const Status written = write({entry.projectId, entry.start, std::max(absence.start, entry.start)});
        if (!written) {
            outcome.status = written;
            break;
        }
        if (answer == AbsenceAnswer::SubtractAndContinue) {
            entries[i] = RunningEntry(entry.projectId, absence.end);
            ++i;
        } else {
            entries.erase(entries.begin() + static_cast<std::ptrdiff_t>(i));
        }
        outcome.running = RunningProjects(entries, false, running.pauseReference());
        if (afterEach) afterEach(outcome.running);
    }
    return outcome;
}

}  // namespace ql
