#include "core/chart/ChartLayout.h"

#include "core/time/Calendar.h"
#include "core/time/TimeText.h"

#include <algorithm>

namespace ql {

namespace {

constexpr int kBarInset = 5;
constexpr double kMinutesToHours = 0.016666666666666666;

int minuteOfDay(std::int32_t t) {
    const auto local = calendar::toLocal(t);
    return local.hour * 60 + local.minute;
}

std::optional<std::size_t> dayOf(const std::array<ChartDay, 7>& days, std::int32_t t) {
    for (std::size_t d = 0; d < days.size(); ++d)
        if (days[d].start <= t && t <= days[d].end) return d;
    return std::nullopt;
}

}  // namespace

ChartLayout layoutWeekChart(const WeekChart& chart, const ChartRect& area) {
    ChartLayout layout;
    const int left = area.left;
    const int right = std::max(area.left, area.right);
    const int width = right - left;
    const int labelWidth = std::min(kLabelColumnWidth, width);

    layout.firstMinute = chart.firstMinute();
    layout.hourCount = (chart.lastMinute() - chart.firstMinute()) / 60;
    layout.hourWidth = (width - labelWidth) / layout.hourCount;
    layout.leftover = width - layout.hourCount * layout.hourWidth - labelWidth;
    layout.labelRight = left + layout.leftover + labelWidth;

    layout.header = {left, area.top, right, area.top + kHeaderBandHeight};
    const int top = layout.header.bottom;
    layout.rowHeight = std::max(0, (area.bottom - top) / 7);
    layout.rows = {left, top, right, top + 7 * layout.rowHeight};

    for (int d = 0; d < 7; ++d) {
        const int rowTop = top + d * layout.rowHeight;
        const ChartRect cell{left, rowTop, layout.labelRight, rowTop + layout.rowHeight};
        layout.dayCells[static_cast<std::size_t>(d)] = cell;
        layout.dayLabels[static_cast<std::size_t>(d)] = {cell.left + kDayLabelInset, cell.top,
                                                         std::max(cell.left + kDayLabelInset, cell.right - kDayLabelInset),
                                                         cell.bottom};
    }

    for (int i = 1; i < layout.hourCount; ++i) {
        const int x = layout.labelRight + i * layout.hourWidth;
        const int minute = layout.firstMinute + 60 * i;
        layout.hourLines.push_back(
            {x, clockText(minute / 60, minute % 60), {x - 100, layout.header.top, x + 100, layout.header.bottom}});
    }
    return layout;
}

std::optional<ChartLayout> screenChartLayout(const WeekChart& chart, int clientWidth, int clientHeight) {
    const ChartRect area{5, 110, clientWidth - 5, clientHeight - 5};
    if (clientHeight < kMinimumClientHeight || area.width() <= 0) return std::nullopt;
    return layoutWeekChart(chart, area);
}

std::optional<ChartRect> barRect(const ChartLayout& layout, const std::array<ChartDay, 7>& days,
                                 const ChartItem& item) {
    const auto day = dayOf(days, item.start);
    if (!day) return std::nullopt;

    const int left = layout.labelRight;
    const int right = layout.rows.right;
    const double pixelsPerMinute = layout.hourWidth * kMinutesToHours;
    auto x = [&](int minute, int offset) {
        return std::clamp(left + offset + static_cast<int>((minute - layout.firstMinute) * pixelsPerMinute), left,
                          right);
    };
    const int xs = x(minuteOfDay(item.start), 0);
    // A frame that starts at or after the last hour shown has nothing inside the chart: its
    // outline would stand one pixel beyond the right edge.
    if (xs >= right) return std::nullopt;
    // The end's clock time means nothing once the frame has run into another day.
    int xe = item.end > days[*day].end ? right : x(minuteOfDay(item.end), 1);
    xe = std::max(xe, xs);

    const int rowTop = layout.rows.top + static_cast<int>(*day) * layout.rowHeight;
    int top = rowTop + kBarInset;
    int bottom = rowTop + layout.rowHeight - kBarInset;
    if (bottom < top) top = bottom = rowTop + layout.rowHeight / 2;
    return ChartRect{xs, top, xe, bottom};
}

ChartRect tipRect(int x, int y, int textWidth) { return {x, y, x + textWidth + 20, y + 15}; }

std::vector<ChartBar> layoutBars(const ChartLayout& layout, const WeekChart& chart) {
    const auto days = chart.days();
    std::vector<ChartBar> bars;
    const auto& items = chart.items();
    for (std::size_t i = 0; i < items.size(); ++i)
        if (const auto rect = barRect(layout, days, items[i])) bars.push_back({i, *rect});
    return bars;
}

std::optional<std::size_t> hitTest(const ChartLayout& layout, const WeekChart& chart, int x, int y) {
    if (!layout.rows.contains(x, y)) return std::nullopt;
    const auto days = chart.days();
    const auto& items = chart.items();
    for (std::size_t i = items.size(); i-- > 0;) {
        const auto rect = barRect(layout, days, items[i]);
        if (rect && rect->contains(x, y)) return i;
    }
    return std::nullopt;
}

}  // namespace ql
