#include "core/analysis/PieChart.h"

#include "core/store/FileSet.h"
#include "core/store/Projects.h"
#include "core/store/TimeFrames.h"
#include "core/text/NumberText.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <unordered_map>

namespace ql {
namespace {

constexpr std::int32_t kDenseIds = 1 << 16;

// Minutes by project id in the order each id is first met. A name is first met with the
// first of its ids, so walking the ids in this order meets the names in file order too.
class MinutesById {
public:
    void add(std::int32_t id, std::int64_t minutes) {
        std::size_t& slot = slotOf(id);
        if (slot == 0) {
            m_ids.push_back(id);
            m_minutes.push_back(0);
            slot = m_ids.size();
        }
        m_minutes[slot - 1] += minutes;
    }
    bool empty() const { return m_ids.empty(); }
    const std::vector<std::int32_t>& ids() const { return m_ids; }
    const std::vector<std::int64_t>& minutes() const { return m_minutes; }

private:
    std::size_t& slotOf(std::int32_t id) {
        const auto dense = static_cast<std::uint32_t>(id);  // a negative id lands beyond the table
        if (dense < static_cast<std::uint32_t>(kDenseIds)) [[likely]] {
            if (dense >= m_dense.size()) m_dense.resize(std::max<std::size_t>(dense + 1, 2 * m_dense.size()), 0);
            return m_dense[dense];
        }
        return m_sparse[id];
    }

    std::vector<std::size_t> m_dense;  // id -> position + 1, 0 for not met
    std::unordered_map<std::int32_t, std::size_t> m_sparse;
    std::vector<std::int32_t> m_ids;
    std::vector<std::int64_t> m_minutes;
};

}  // namespace

Message pieTimeFramesMessage(const std::string& timeFramesPath) {
    return Message(MessageId::CannotOpenTimeFramesFileForChart, {timeFramesPath});
}

PieChart::PieChart(std::uint32_t colourSeed) : m_palette(colourSeed) {}

void PieChart::clear() {
    m_slices.clear();
    m_total = 0;
    m_palette.reset();
}

void PieChart::addMinutes(const std::string& name, std::int64_t minutes) {
    m_total += minutes;
    for (auto& slice : m_slices)
        if (slice.name == name) {
            slice.minutes += minutes;
            return;
        }
    m_slices.push_back({name, minutes, m_palette.colourFor(name)});
}

Status PieChart::compute(FileSystem& fs, const FileSet& set, const ReportPeriod& period, Progress* progress) {
    clear();
    const std::string& framesPath = set.timeFrames();
    MinutesById byId;
    const Status scanned = forEachTimeFrame(
        fs, framesPath,
        [&](const TimeFrameRecord& f) {
            if (!InPeriod(f.start, period)) return;
            // A frame that ends before it starts takes no share rather than shrinking the pie.
            const std::int64_t seconds = std::int64_t{f.end} - f.start;
            byId.add(f.projectId, seconds > 0 ? seconds / 60 : 0);
        },
        progress);
    if (scanned.isCancelled()) return scanned;
    if (!scanned) return Status::ioError(pieTimeFramesMessage(framesPath));
    if (byId.empty()) return Status::ok();

    const auto projects = ProjectIndex::load(fs, set.projects());
    if (!projects) return projects.status();

    // Grouping by name goes through a map, so thousands of projects cost no quadratic walk.
    std::unordered_map<std::string, std::size_t> sliceOf;
    for (std::size_t i = 0; i < byId.ids().size(); ++i) {
        const std::int32_t id = byId.ids()[i];
        const ProjectRecord* project = projects->find(id);
        std::string name = project ? project->name : deletedProjectName(id);
        const std::int64_t minutes = byId.minutes()[i];
        m_total += minutes;
        const auto [it, added] = sliceOf.try_emplace(name, m_slices.size());
        if (added)
            m_slices.push_back({name, minutes, m_palette.colourFor(name)});
        else
            m_slices[it->second].minutes += minutes;
    }
    return Status::ok();
}

PieGeometry pieGeometry(const PieChart& chart, int clientWidth, int clientHeight) {
    PieGeometry g;
    g.chartArea = {170, 20, clientWidth - 20, clientHeight - 20};
    g.diameter = std::min(g.chartArea.width(), g.chartArea.height());
    g.drawn = g.diameter > 10 && !chart.slices().empty() && chart.totalMinutes() > 0;
    g.pieSquare = {g.chartArea.left, g.chartArea.top, g.chartArea.left + g.diameter, g.chartArea.top + g.diameter};
    g.radius = g.diameter / 2.0;
    g.centreX = g.chartArea.left + g.radius;
    g.centreY = g.chartArea.top + g.radius;
    return g;
}

std::vector<SliceSweep> sliceSweeps(const PieChart& chart) {
    std::vector<SliceSweep> sweeps;
    const std::int64_t total = chart.totalMinutes();
    if (total <= 0) return sweeps;
    // Boundaries from the exact running sums, so the last slice closes the circle exactly.
    std::int64_t before = 0;
    for (const auto& slice : chart.slices()) {
        const double from = 360.0 * static_cast<double>(before) / static_cast<double>(total);
        before += slice.minutes;
        const double to = 360.0 * static_cast<double>(before) / static_cast<double>(total);
        sweeps.push_back({from, to - from});
    }
    return sweeps;
}

int pieSliceAt(const PieChart& chart, const PieGeometry& geometry, int x, int y) {
    if (!geometry.drawn || !geometry.chartArea.contains(x, y)) return -1;
    const double dx = x - geometry.centreX;
    const double dy = y - geometry.centreY;
    const double distance = std::hypot(dx, dy);
    if (distance > geometry.radius) return -1;
    // Screen y grows downwards, so the arccos angle grows clockwise below the centre.
    constexpr double kTurn = 2 * std::numbers::pi;
    double angle = distance > 0.0 ? std::acos(std::clamp(dx / distance, -1.0, 1.0)) : 0.0;
    if (dy < 0) angle = kTurn - angle;
    if (angle >= kTurn) angle -= kTurn;

    // Boundaries in radians from the exact running sums: a quarter of the total lands exactly
    // on what arccos gives straight below the centre, so boundary points go to the later slice.
    const auto total = static_cast<double>(chart.totalMinutes());
    std::int64_t before = 0;
    const auto& slices = chart.slices();
    for (std::size_t i = 0; i < slices.size(); ++i) {
        const double from = kTurn * (static_cast<double>(before) / total);
        before += slices[i].minutes;
        const double to = i + 1 == slices.size() ? kTurn : kTurn * (static_cast<double>(before) / total);
        if (from <= angle && angle < to) return static_cast<int>(i);
    }
    return -1;
}

ChartRect hoverRepaintRect(const PieGeometry& geometry) {
    ChartRect r = geometry.chartArea;
    r.right += 100;
    return r;
}

std::string pieTimeText(std::int64_t minutes) {
    if (minutes < 0) minutes = 0;
    return integerText(minutes / 60) + ":" + zeroPaddedText(minutes % 60, 2);
}

std::string hoverLabelText(const PieSlice& slice) { return slice.name + " - " + pieTimeText(slice.minutes); }

}  // namespace ql
