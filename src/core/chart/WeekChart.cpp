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
    m_follower.forget();
    m_projects.reset();
    m_itemsCurrent = false;
    return refresh(fs, set);
}

Status WeekChart::refresh(FileSystem& fs, const FileSet& set) {
    const std::int32_t first = calendar::dayStart(m_weekStart);
    const std::int32_t last = calendar::dayEnd(dayStartAfter(first, 7));
    if (first != m_followedFirst || last != m_followedLast) {
        m_follower.forget();
        m_followedFirst = first;
        m_followedLast = last;
    }
    const auto projectsNow = fs.identify(set.projects());
    const bool projectsKnown = projectsNow && projectsNow->type == FileType::Regular;
    if (m_projects && !(projectsKnown && set.projects() == m_projectsPath && projectsNow->unchangedSince(m_projectsSeen))) {
        m_projects.reset();
        m_itemsCurrent = false;
    }

    // The week's frames are collected first: the projects file is then read only when the
    // week has any, and a failed read of the time frames file leaves the items as they were.
    bool changed = false;
    const auto read = m_follower.follow(
        fs, set.timeFrames(), timeFramesFileMessage(set.timeFrames()),
        [&] {
            m_weekFrames.clear();
            changed = true;
        },
        [&](const unsigned char* records, std::size_t count) {
            for (std::size_t i = 0; i < count; ++i) {
                const TimeFrameRecord f = decodeTimeFrame(records + i * TimeFrameRecord::kSize);
                if (first <= f.start && f.start <= last) {
                    m_weekFrames.push_back(f);
                    changed = true;
                }
            }
        });
    if (!read) {
        m_itemsCurrent = false;
        return read.status();
    }
    if (m_itemsCurrent && !changed) return Status::ok();

    ProjectIndex uncached;
    const ProjectIndex* projects = m_projects ? &*m_projects : &uncached;
    Status named;
    if (!m_weekFrames.empty() && !m_projects) {
        auto loaded = ProjectIndex::load(fs, set.projects());
        if (!loaded) {
            named = loaded.status();
        } else if (projectsKnown) {
            m_projects = std::move(loaded).value();
            m_projectsPath = set.projects();
            m_projectsSeen = *projectsNow;
            projects = &*m_projects;
        } else {
            uncached = std::move(loaded).value();
        }
    }

    m_palette.reset();
    std::vector<ChartItem> items;
    items.reserve(m_weekFrames.size());
    for (const auto& f : m_weekFrames) {
        // A frame outlives its deleted project: its bar must still say whose time it was.
        const ProjectRecord* project = named ? projects->find(f.projectId) : nullptr;
        std::string name = project ? project->name
                           : named ? deletedProjectName(f.projectId)
                                   : std::string();
        Rgb colour = m_palette.colourFor(name);
        items.push_back({std::move(name), f.projectId, f.start, f.end, colour});
    }
    m_items = std::move(items);
    // A projects file that could not be read is tried again, and reported again, next time.
    m_itemsCurrent = named.isOk();
    return named;
}

}  // namespace ql
