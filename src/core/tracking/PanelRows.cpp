#include "core/tracking/PanelRows.h"

#include "core/store/FileSet.h"
#include "core/store/Settings.h"
#include "core/tracking/Charges.h"

#include <algorithm>

namespace ql {

std::array<PanelRow, kPeriodCount> totalsPanelRows(const PeriodTotals& totals) {
    std::array<PanelRow, kPeriodCount> rows;
    for (std::size_t p = 0; p < kPeriodCount; ++p) {
        const PeriodTotal& total = totals.periods[p];
        rows[p] = {total.label, durationText(total.minutes), amountText(totals.monetarySymbol, total.charges), total.name};
    }
    return rows;
}

std::vector<PanelRow> runningPanelRows(const std::vector<RunningEntry>& entries, const ProjectIndex& projects,
                                       const std::string& monetarySymbol, std::int32_t now) {
    std::vector<PanelRow> rows;
    rows.reserve(entries.size());
    for (const RunningEntry& entry : entries) {
        const std::int32_t minutes = wholeMinutes(std::max<std::int64_t>(0, std::int64_t{now} - entry.start));
        rows.push_back({projects.name(entry.projectId), durationText(minutes),
                        amountText(monetarySymbol, chargeFor(projects.chargesPerHour(entry.projectId), minutes))});
    }
    return rows;
}

RunningPanelRows loadRunningPanelRows(FileSystem& fs, const FileSet& set, const std::vector<RunningEntry>& entries,
                                      std::int32_t now) {
    RunningPanelRows result;
    if (entries.empty()) return result;
    const auto settings = readSettings(fs, set);
    const std::string symbol = settings ? settings->monetarySymbol : std::string();
    const auto projects = ProjectIndex::load(fs, set.projects());
    if (!projects) result.status = projects.status();
    result.rows = runningPanelRows(entries, projects ? *projects : ProjectIndex(), symbol, now);
    return result;
}

}  // namespace ql
