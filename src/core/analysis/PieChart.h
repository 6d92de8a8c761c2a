#pragma once

#include "core/Progress.h"
#include "core/Status.h"
#include "core/chart/ChartItem.h"
#include "core/chart/ChartPalette.h"
#include "core/chart/ChartRect.h"
#include "core/reports/ReportPeriod.h"
#include "core/store/FileSet.h"
#include "core/store/FileSystem.h"

#include <cstdint>
#include <string>
#include <vector>

namespace ql {

// One project name's share of the pie.
struct PieSlice {
    std::string name;
    std::int64_t minutes = 0;  // whole minutes of every counted frame under this name
    Rgb colour;

    bool operator==(const PieSlice&) const = default;
};

// "Cannot open Time Frames file : " + path, as the pie chart words it.
Message pieTimeFramesMessage(const std::string& timeFramesPath);


// The pie chart's model: slices by exact project name in the order each name is first met,
// coloured from the week chart's palette, which restarts at red on every computation.
class PieChart {
public:
    explicit PieChart(std::uint32_t colourSeed = ChartPalette::kDefaultSeed);

    // Recomputes the slices from the frames of set that are InPeriod
    // (the end of a frame is not compared). A frame adds its
    // (end - start) / 60 whole minutes, never less than 0. Streams the time frames once and
    // reads the projects file once, only when some frame counts.
    // Fails, leaving no slice, with pieTimeFramesMessage or "Cannot open project file : " + path.
    // progress, when given, follows the frames read; a stop leaves no slice and returns
    // Status::cancelled().
    Status compute(FileSystem& fs, const FileSet& set, const ReportPeriod& period, Progress* progress = nullptr);

    // Forgets every slice and restarts the palette.
    void clear();
    // Adds minutes under name: to the slice of exactly that name, else to a new last slice
    // with the next palette colour.
    void addMinutes(const std::string& name, std::int64_t minutes);

    const std::vector<PieSlice>& slices() const { return m_slices; }
    std::int64_t totalMinutes() const { return m_total; }
    // Palette colours handed out since the last clear.
    int colourCounter() const { return m_palette.counter(); }

private:
    std::vector<PieSlice> m_slices;
    std::int64_t m_total = 0;
    ChartPalette m_palette;
};

// Where the pie goes in a client area of the given size, in client pixels.
struct PieGeometry {
    ChartRect chartArea;     // (170, 20, width - 20, height - 20)
    int diameter = 0;        // the smaller of the chart area's width and height
    bool drawn = false;      // diameter > 10, a slice, and a total above 0 minutes
    ChartRect pieSquare;     // (left, top, left + diameter, top + diameter)
    double centreX = 0.0;
    double centreY = 0.0;
    double radius = 0.0;
};

PieGeometry pieGeometry(const PieChart& chart, int clientWidth, int clientHeight);

// Where a slice begins and how far it reaches, in degrees clockwise on screen from 3 o'clock.
struct SliceSweep {
    double startDegrees = 0.0;
    double spanDegrees = 0.0;
};

// One sweep per slice, in slice order; the last ends at exactly 360. Empty when the total is 0.
std::vector<SliceSweep> sliceSweeps(const PieChart& chart);

// The index of the slice under client point (x, y), or -1: none outside the chart area or
// the circle, or when no pie is drawn. A point on a boundary belongs to the later slice;
// the centre belongs to the first slice that has minutes.
int pieSliceAt(const PieChart& chart, const PieGeometry& geometry, int x, int y);

// What a pointer move must repaint for the hover label to follow: the chart area widened by
// 100 pixels to the right.
ChartRect hoverRepaintRect(const PieGeometry& geometry);

// "2:15" for 135 minutes ("%d:%.2d" of hours and minutes; below 0 counts as 0).
std::string pieTimeText(std::int64_t minutes);

// "Name - 2:15" for 135 minutes.
std::string hoverLabelText(const PieSlice& slice);

}  // namespace ql
