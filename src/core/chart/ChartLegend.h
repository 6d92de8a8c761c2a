#pragma once

#include "core/chart/ChartItem.h"
#include "core/chart/ChartRect.h"

#include <string>
#include <vector>

namespace ql {

// The printed week chart: a landscape page of 620 x 830 logical units with the chart (laid
// out by layoutWeekChart in kPrintedChartArea, no tip) and its legend beside it.
inline constexpr int kPrintedPageWidth = 620;
inline constexpr int kPrintedPageHeight = 830;
inline constexpr ChartRect kPrintedChartArea{20, 20, 400, 350};
inline constexpr ChartRect kPrintedLegendArea{420, 20, 580, 350};

// One legend row: a swatch filled with colour and framed in black, and the name
// left-aligned on one line in text, in the surface's current font.
struct LegendEntry {
    std::string name;
    Rgb colour;
    ChartRect swatch;
    ChartRect text;
};

struct ChartLegend {
    ChartRect frame;                  // boxed
    std::vector<LegendEntry> entries; // one per distinct name, in order of first appearance
};

// The legend of items in area: rows of 15 units from area.top + 5, as many as fit
// ((height - 10) / 15); names beyond that are left out. Each name has its first item's colour.
ChartLegend layoutLegend(const std::vector<ChartItem>& items, const ChartRect& area = kPrintedLegendArea);

}  // namespace ql
