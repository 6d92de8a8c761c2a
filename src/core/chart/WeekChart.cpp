#include "core/chart/WeekChart.h"

#include "core/store/FileSet.h"
#include "core/store/Projects.h"
#include "core/store/TimeFrames.h"
#include "core/time/Calendar.h"

#include <algorithm>
#include <limits>
#include <utility>

namespace ql {

namespace {

// Midday exists on every date, so stepping days from it cannot be pushed onto another date
// by a daylight-saving change at midnight.
// Pinned like every calendar result, for the last day of the 32-bit range.
std::int32_t middayOf(std::int32_t t) {
    const std::int64_t midday = std::int64_t{calendar::dayStart(t)} + 12 * 3600;
    return static_cast<std::int32_t>(std::min<std::int64_t>(midday, std::numeric_limits<std::int32_t>::max()));
}

// The start of the day `days` dates after (or before) the date of t.
std::int32_t dayStartAfter(std::int32_t t, int days) {
    std::int32_t midday = middayOf(t);
    for (; days > 0; --days) midday = calendar::nextDay(midday);
    for (; days < 0; ++days) midday = calendar::previousDay(midday);
    return calendar::dayStart(midday);
}

}  // namespace

WeekChart::WeekChart(std::int32_t now, std::uint32_t colourSeed)
    : m_weekStart(calendar::weekStart(now)), m_palette(colourSeed) {}

std::array<ChartDay, 7> WeekChart::days() const {
    std::array<ChartDay, 7> days;
    std::int32_t midday = middayOf(m_weekStart);
    for (auto& day : days) {
        day = {calendar::dayStart(midday), calendar::dayEnd(midday)};
        midday = calendar::nextDay(midday);
    }
    return days;
}

void WeekChart::showWeekOf(std::int32_t t) { m_weekStart = calendar::weekStart(t); }

void WeekChart::showPreviousWeek() { m_weekStart = calendar::weekStart(dayStartAfter(m_weekStart, -7)); }

void WeekChart::showNextWeek() { m_weekStart = calendar::weekStart(dayStartAfter(m_weekStart, 7)); }

bool WeekChart::setHours(int startHour, int endHour) {
    if (!ChartHours{startHour, endHour}.isValid()) return false;
    m_firstMinute = startHour * 60;
    m_lastMinute = endHour * 60;
    return true;
}

Status WeekChart::load(FileSystem& fs, const FileSet& set) {
    const std::int32_t first = calendar::dayStart(m_weekStart);
    const std::int32_t last = calendar::dayEnd(dayStartAfter(first, 7));

    // Collect the week's frames first: the projects file is then read only when the week
    // has any, and a failed read of the time frames file leaves nothing half replaced.
    std::vector<TimeFrameRecord> frames;
    const Status scanned = forEachTimeFrame(fs, set.timeFrames(),
                                            [&](const TimeFrameRecord& f) {
                                                if (first <= f.start && f.start <= last) frames.push_back(f);
                                            });
    if (!scanned) return scanned;

    ProjectIndex projects;
    Status named;
    if (!frames.empty()) {
        auto loaded = ProjectIndex::load(fs, set.projects());
        if (loaded)
            projects = std::move(loaded).value();
        else
            named = loaded.status();
    }

    m_palette.reset();
    std::vector<ChartItem> items;
    items.reserve(frames.size());
    for (const auto& f : frames) {
        // A frame outlives its deleted project: its bar must still say whose time it was.
        const ProjectRecord* project = named ? projects.find(f.projectId) : nullptr;
        std::string name = project ? project->name
                           : named ? deletedProjectName(f.projectId)
                                   : std::string();
        Rgb colour = m_palette.colourFor(name);
        items.push_back({std::move(name), f.projectId, f.start, f.end, colour});
    }
    m_items = std::move(items);
    return named;
}

}  // namespace ql
