#pragma once

#include "core/Status.h"
#include "core/reports/ReportPeriod.h"
#include "core/store/FileSet.h"
#include "core/store/FileSystem.h"
#include "core/store/HistoryFilterRecord.h"
#include "core/store/TimeFrameRecord.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

// The rows of the history of charges: the time frames that pass a filter, with what their
// columns show and sort by, computed once when the file is read.
namespace ql {

struct HistoryFilter {
    std::int32_t projectId = -1;  // -1 for all projects; otherwise this exact id only
    ReportPeriod period;
};

struct HistoryProject {
    std::int32_t id = -1;
    std::string name;  // a placeholder naming the id when the project is not in the file
    double chargesPerHour = 0.0;  // 0 for a project that is not in the file
};

struct HistoryItem {
    TimeFrameRecord frame;  // as read from the file
    std::int32_t project = 0;  // index into HistoryItems::projects
    std::int32_t dateKey = 0;  // year * 10000 + month * 100 + day of the local start
    std::int32_t timeKey = 0;  // hour * 60 + minute of the local start
    std::int32_t minutes = 0;  // whole minutes of end - start
    double charge = 0.0;       // the charge rule on minutes
};

struct HistoryItems {
    std::vector<HistoryProject> projects;  // one per distinct project id listed
    std::vector<HistoryItem> items;        // in file order

    const HistoryProject& projectOf(const HistoryItem& item) const { return projects[static_cast<std::size_t>(item.project)]; }
};

struct HistoryLoad {
    HistoryItems history;
    // Failures to show, in order: the projects file ("Cannot open project file : " + path,
    // rows then name their project ids) and the time frames file ("Cannot open time frames
    // file : " + path, no rows).
    std::vector<Message> messages;
    // The first of those failures whole (code, message and the system's reason); ok when none.
    Status failure;
    // The filter names one project and the projects file (read) no longer holds it.
    bool filterProjectDeleted = false;
};

// The selection a saved filter of the "his" file makes: its project and its period.
HistoryFilter historyFilterOf(const HistoryFilterRecord& saved);

// Streams the "tfr" file of set once and keeps the frames that pass
// filter (exact project id, InPeriod of the start), in file order; reads the "prj" file
// once. A frame whose project is not in the file is named "(deleted project 17)" and
// charged at rate 0. The one selection of the history's rows: the History dialog, the printed
// history and the command line's history all list what this returns.
HistoryLoad LoadHistoryItems(FileSystem& fs, const FileSet& set, const HistoryFilter& filter);

// The order of project names for column 0: rank[i] for projects[i], equal ranks for names
// that compare equal. compare returns <0, 0 or >0.
using NameCompare = std::function<int(const std::string&, const std::string&)>;
std::vector<std::int32_t> rankProjectNames(const std::vector<HistoryProject>& projects, const NameCompare& compare);

// Case-insensitive for ASCII letters, byte order otherwise: for callers without a locale.
int compareNamesIgnoringCase(const std::string& a, const std::string& b);

// <0, 0 or >0 as a sorts before, with or after b by column: 0 project name rank, 1 date,
// 2 time of day, 3 minutes, 4 whole cents of the charge; any other column compares equal.
// Frames with a negative start or end compare equal to everything.
int CompareHistoryItems(const HistoryItem& a, const HistoryItem& b, int column,
                        const std::vector<std::int32_t>& nameRanks);

// The indexes of history.items ascending by column. Equal keys keep file order, whatever
// column was sorted before, so a reload shows the same order. Items with a negative start
// or end, which compare equal to all, go last in file order so the rest stay sorted.
std::vector<std::int32_t> sortedHistoryOrder(const HistoryItems& history, int column,
                                             const std::vector<std::int32_t>& nameRanks);

// Column texts: "%m/%d/%y" or "%d/%m/%y" of the start; "%I:%M %p" of the start; the span
// end - start as "%H:%M" with whole days dropped ("-" in front when negative); the symbol
// and the charge as "%.2f". The same bytes in every locale.
std::string historyDateText(const HistoryItem& item, bool monthFirst);
std::string historyTimeText(const HistoryItem& item);
std::string historySpanText(const HistoryItem& item);
std::string historyChargeText(const HistoryItem& item, const std::string& monetarySymbol);

}  // namespace ql
