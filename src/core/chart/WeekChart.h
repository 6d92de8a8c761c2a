#pragma once

#include "core/Status.h"
#include "core/chart/ChartHours.h"
#include "core/chart/ChartItem.h"
#include "core/chart/ChartPalette.h"
#include "core/store/FileSet.h"
#include "core/store/FileSystem.h"
#include "core/store/Projects.h"
#include "core/store/RecordFollower.h"
#include "core/store/TimeFrameRecord.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace ql {

// One displayed day: its first and last second in local time.
struct ChartDay {
    std::int32_t start = 0;  // 00:00:00, or the first second where the clocks skip midnight
    std::int32_t end = 0;    // 23:59:59
};

// The week chart's model: the displayed week, its bars and the displayed hours.
// Geometry lives in ChartLayout; drawing in the user interface.
class WeekChart {
public:
    static constexpr int kDefaultFirstMinute = ChartHours::kDefaultStart * 60;
    static constexpr int kDefaultLastMinute = ChartHours::kDefaultEnd * 60;

    // Shows the week of now, 08:00 to 20:00, with no items. colourSeed seeds the random
    // colours given from the thirteenth project name on.
    explicit WeekChart(std::int32_t now, std::uint32_t colourSeed = ChartPalette::kDefaultSeed);

    // Monday 00:00:00 of the displayed week (its first second where the clocks skip midnight).
    std::int32_t weekStart() const { return m_weekStart; }
    // The seven displayed days, Monday first; each a whole local day, daylight saving included.
    std::array<ChartDay, 7> days() const;

    // Week navigation by whole weeks, across daylight-saving changes; each lands on the start
    // of a Monday. Items are kept until the next load.
    void showWeekOf(std::int32_t t);  // This Week with t = now
    void showPreviousWeek();
    void showNextWeek();

    // Displayed hours as minutes of the day (multiples of 60, first < last).
    int firstMinute() const { return m_firstMinute; }
    int lastMinute() const { return m_lastMinute; }
    // The displayed hours in whole hours, as the hours dialog starts from.
    ChartHours hours() const { return {m_firstMinute / 60, m_lastMinute / 60}; }
    // Shows startHour:00 to endHour:00. Refused (false, nothing changes) unless
    // 0 <= startHour < endHour <= 24.
    bool setHours(int startHour, int endHour);

    // Reloads the items from set: every time frame starting between
    // Monday 00:00:00 and the end of the following Monday, in file order, named and coloured
    // by project; a frame whose project is no longer in the file is named "(deleted project N)".
    // Reads the time frames file once and the projects file at most once.
    // Fails with "Cannot open time frames file : " + path, leaving items and colours as they
    // were. When only the projects file cannot be read, the items are loaded with empty
    // names and the result carries "Cannot open project file : " + path, to be shown once.
    Status load(FileSystem& fs, const FileSet& set);
    // As load, reading only what changed since the last load or refresh: nothing but the files'
    // identities when neither file changed, the frames added when the time frames file only
    // grew. The items and colours are always those a load would give.
    Status refresh(FileSystem& fs, const FileSet& set);

    const std::vector<ChartItem>& items() const { return m_items; }
    // Palette colours handed out by the last load.
    int colourCounter() const { return m_palette.counter(); }
    // The colour of the first item named name, or nullptr.
    const Rgb* colourOf(const std::string& name) const { return m_palette.find(name); }

private:
    std::int32_t m_weekStart;
    int m_firstMinute = kDefaultFirstMinute;
    int m_lastMinute = kDefaultLastMinute;
    std::vector<ChartItem> m_items;
    ChartPalette m_palette;

    // What the last load or refresh read, so the next refresh reads only what changed.
    RecordFollower m_follower{TimeFrameRecord::kSize};
    std::int32_t m_followedFirst = 0;                 // the bounds of the frames kept
    std::int32_t m_followedLast = -1;
    std::vector<TimeFrameRecord> m_weekFrames;       // the displayed week's, in file order
    std::optional<ProjectIndex> m_projects;
    std::string m_projectsPath;
    FileIdentity m_projectsSeen;
    bool m_itemsCurrent = false;                      // items were built from the frames kept
};

}  // namespace ql
