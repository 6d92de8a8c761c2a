#include "core/tracking/PeriodTotals.h"

#include "core/store/FileSet.h"
#include "core/store/Projects.h"
#include "core/store/Settings.h"
#include "core/store/TimeFrames.h"
#include "core/time/Calendar.h"
#include "core/tracking/Charges.h"

#include <algorithm>

namespace ql {

PeriodTotals computeTotals(FileSystem& fs, const std::string& settingsPath, std::int32_t now) {
    PeriodTotals totals;
    const auto settings = readSettings(fs, settingsPath);
    if (settings) totals.monetarySymbol = settings->monetarySymbol;
    const char* pattern = calendar::datePattern(settings && settings->monthFirst());
    auto date = [pattern](std::int32_t t) { return calendar::formatLocal(t, pattern); };

    auto& periods = totals.periods;
    periods[0].start = calendar::dayStart(now);
    periods[0].end = calendar::dayEnd(now);
    periods[1].start = calendar::weekStart(now);
    periods[1].end = calendar::weekEnd(now);
    periods[2].start = calendar::monthStart(now);
    periods[2].end = calendar::monthEnd(now);
    periods[3].start = calendar::yearStart(now);
    periods[3].end = calendar::yearEnd(now);
    periods[0].label = "Today (" + date(periods[0].start) + ")";
    const char* names[] = {"This week (", "This month (", "This year ("};
    for (std::size_t p = 1; p < kPeriodCount; ++p)
        periods[p].label = names[p - 1] + date(periods[p].start) + " - " + date(periods[p].end) + ")";

    const auto projects = ProjectIndex::load(fs, fileSetPath(settingsPath, FileKind::Projects));
    const ProjectIndex noProjects;
    const ProjectIndex& rates = projects ? *projects : noProjects;

    // The week can reach into the neighbouring year; everything else lies inside the year.
    const std::int32_t first = std::min(periods[1].start, periods[3].start);
    const std::int32_t last = std::max(periods[1].end, periods[3].end);
    std::array<std::int64_t, kPeriodCount> minutes{};
    std::array<double, kPeriodCount> charges{};
    bool anyFrame = false;
    const Status scanned =
        forEachTimeFrame(fs, fileSetPath(settingsPath, FileKind::TimeFrames), [&](const TimeFrameRecord& frame) {
            anyFrame = true;
            if (frame.start < first || frame.start > last) return;
            const std::int32_t frameMinutes = wholeMinutes(std::int64_t{frame.end} - frame.start);
            const double charge = chargeFor(rates.chargesPerHour(frame.projectId), frameMinutes);
            for (std::size_t p = 0; p < kPeriodCount; ++p) {
                if (periods[p].start <= frame.start && frame.start <= periods[p].end) {
                    minutes[p] += frameMinutes;
                    charges[p] += charge;
                }
            }
        });

    if (!projects && anyFrame) totals.failures.push_back(projects.status());
    if (!scanned) {
        totals.failures.push_back(scanned);
        return totals;  // a partly read file would give totals that are plainly wrong
    }
    for (std::size_t p = 0; p < kPeriodCount; ++p) {
        periods[p].minutes = minutes[p];
        periods[p].charges = charges[p];
    }
    return totals;
}

}  // namespace ql
