#pragma once

#include "core/Status.h"
#include "core/store/FileSet.h"
#include "core/store/FileSystem.h"
#include "core/store/Projects.h"
#include "core/tracking/PeriodTotals.h"
#include "core/tracking/RunningProjects.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

// The texts of the main view's two panels, computed here so that the view only paints.
namespace ql {

struct PanelRow {
    std::string label;       // project name or period label
    std::string timeText;    // "HH:MM"
    std::string chargeText;  // monetary symbol + "%.2f"
    Message name{};          // a period's label by id; empty on a project's row

    bool operator==(const PanelRow&) const = default;
};

// The totals panel's rows, Today to This year.
std::array<PanelRow, kPeriodCount> totalsPanelRows(const PeriodTotals& totals);

// One row per running entry, in list order: the project's name, the time worked until now
// and its charge so far. An unknown project shows an empty name and charges at a rate of 0.
// A start after now (the clock was set back) shows 00:00, as check-out would record it.
std::vector<PanelRow> runningPanelRows(const std::vector<RunningEntry>& entries, const ProjectIndex& projects,
                                       const std::string& monetarySymbol, std::int32_t now);

struct RunningPanelRows {
    std::vector<PanelRow> rows;
    Status status;  // the projects file's failure, once for all rows; ok otherwise
};

// runningPanelRows with the projects and settings of set, each read once.
// Reads nothing when no entry runs. When the projects file cannot be read every row shows an
// empty name and 0 charges and status carries "Cannot open project file : " + path; an
// unreadable settings file gives no monetary symbol and is not reported.
RunningPanelRows loadRunningPanelRows(FileSystem& fs, const FileSet& set, const std::vector<RunningEntry>& entries,
                                      std::int32_t now);

}  // namespace ql
