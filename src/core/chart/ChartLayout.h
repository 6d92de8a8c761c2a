#pragma once

#include "core/chart/ChartItem.h"
#include "core/chart/ChartRect.h"
#include "core/chart/WeekChart.h"

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace ql {

inline constexpr int kLabelColumnWidth = 150;     // day label column, before the leftover pixels
inline constexpr int kDayLabelInset = 5;          // gap each side of a day label
inline constexpr int kHeaderBandHeight = 15;      // band of the hour labels above the rows
inline constexpr int kMinimumClientHeight = 200;  // below this the screen chart is not drawn

// A dotted hour line from (x, rows.top) to (x, rows.bottom) and its label, "09:00",
// centred on one line in labelRect (in the header band).
struct HourLine {
    int x = 0;
    std::string label;
    ChartRect labelRect;
};

// The geometry of the chart frame, in the units of the surface drawn on.
struct ChartLayout {
    ChartRect header;          // the header band: boxed, holds the hour labels
    ChartRect rows;            // the seven day rows, boxed; the area the hit test answers for
    int hourCount = 0;         // N, hour columns from the first to the last minute
    int hourWidth = 0;         // w, pixels per hour column
    int leftover = 0;          // rem, pixels the integer division left; they widen the label column
    int labelRight = 0;        // L, right edge of the label column where the hour axis begins
    int rowHeight = 0;         // h
    int firstMinute = 0;       // minute of the day at L
    std::array<ChartRect, 7> dayCells{};   // boxed label cell of each day, Monday first
    std::array<ChartRect, 7> dayLabels{};  // where each day's label goes: left-aligned, one line
    std::vector<HourLine> hourLines;       // between the hour columns, none at L or the right edge

    // The header band and the rows together: what a screen paint copies.
    ChartRect area() const { return {rows.left, header.top, rows.right, rows.bottom}; }
};

// One bar: the item it shows (an index into WeekChart::items()) and its rectangle,
// filled with the item's colour and framed in black one pixel wide.
struct ChartBar {
    std::size_t item = 0;
    ChartRect rect;
};

// Lays the chart out in area (the header band is taken from its top; the rows shrink to a
// multiple of seven). The label column is kLabelColumnWidth plus the leftover pixels, but
// never wider than the area, in every week and language: a day label that does not fit is
// elided by the painter, never allowed to move the hours.
ChartLayout layoutWeekChart(const WeekChart& chart, const ChartRect& area);

// The on-screen chart of a client area: laid out in (5, 110, W - 5, H - 5). nullopt when the
// client is lower than kMinimumClientHeight or too narrow: nothing is drawn nor hit.
std::optional<ChartLayout> screenChartLayout(const WeekChart& chart, int clientWidth, int clientHeight);

// The bar of item in its day row, or nullopt when it starts in none of the seven days or at
// or after the last hour shown. Both ends are clamped to the hour axis; a frame ending on a
// later day runs to the right edge. The rectangle starts left of layout.rows.right and never
// leaves layout.rows.
std::optional<ChartRect> barRect(const ChartLayout& layout, const std::array<ChartDay, 7>& days,
                                 const ChartItem& item);

// Every bar of chart's items, in item order (later bars are drawn over earlier ones).
std::vector<ChartBar> layoutBars(const ChartLayout& layout, const WeekChart& chart);

// The tip box at the cursor (x, y) for a name textWidth pixels wide: light yellow, framed
// in black, the name centred on one line; the painter clips it to ChartLayout::area().
ChartRect tipRect(int x, int y, int textWidth);

// The item whose bar holds (x, y), as an index into chart.items(); the last such item wins,
// being the bar drawn on top. nullopt outside layout.rows or when no bar holds the point.
std::optional<std::size_t> hitTest(const ChartLayout& layout, const WeekChart& chart, int x, int y);

}  // namespace ql
