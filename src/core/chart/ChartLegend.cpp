#include "core/chart/ChartLegend.h"

#include <unordered_set>

namespace ql {

ChartLegend layoutLegend(const std::vector<ChartItem>& items, const ChartRect& area) {
    constexpr int kRow = 15;
    ChartLegend legend{area, {}};
    const int capacity = (area.height() - 10) / kRow;
    std::unordered_set<std::string> seen;
    for (const auto& item : items) {
        if (static_cast<int>(legend.entries.size()) >= capacity) break;
        if (!seen.insert(item.name).second) continue;
        const int y = area.top + 5 + kRow * static_cast<int>(legend.entries.size());
        legend.entries.push_back({item.name,
                                  item.colour,
                                  {area.left + 5, y + 3, area.left + 15, y + 13},
                                  {area.left + 20, y, area.right - 5, y + kRow}});
    }
    return legend;
}

}  // namespace ql
