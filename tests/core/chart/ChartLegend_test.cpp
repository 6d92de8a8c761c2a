#include "core/chart/ChartLegend.h"

#include <gtest/gtest.h>

namespace ql {
namespace {

std::vector<ChartItem> itemsNamed(const std::vector<std::string>& names) {
    std::vector<ChartItem> items;
    for (std::size_t i = 0; i < names.size(); ++i)
        items.push_back({names[i], 0, 0, 0, Rgb{static_cast<std::uint8_t>(i), 0, 0}});
    return items;
}

TEST(ChartLegend, OneRowPerDistinctNameInOrderOfFirstAppearance) {
    const auto legend = layoutLegend(itemsNamed({"A", "B", "A", "C", "D", "B", "E"}));
    EXPECT_EQ(legend.frame, (ChartRect{420, 20, 580, 350}));
    ASSERT_EQ(legend.entries.size(), 5u);
    EXPECT_EQ(legend.entries[0].name, "A");
    EXPECT_EQ(legend.entries[2].name, "C");
    EXPECT_EQ(legend.entries[4].name, "E");
    EXPECT_EQ(legend.entries[1].colour, (Rgb{1, 0, 0}));  // the first B's colour
    EXPECT_EQ(legend.entries[0].swatch, (ChartRect{425, 28, 435, 38}));
    EXPECT_EQ(legend.entries[0].text, (ChartRect{440, 25, 575, 40}));
    EXPECT_EQ(legend.entries[4].text, (ChartRect{440, 85, 575, 100}));
}

TEST(ChartLegend, StopsAtTheRowsThatFit) {
    std::vector<std::string> names;
    for (int i = 0; i < 40; ++i) names.push_back("P" + std::to_string(i));
    const auto legend = layoutLegend(itemsNamed(names));
    ASSERT_EQ(legend.entries.size(), 21u);  // (330 - 10) / 15
    EXPECT_LE(legend.entries.back().text.bottom, legend.frame.bottom - 5);

    EXPECT_EQ(layoutLegend(itemsNamed(names), {0, 0, 100, 40}).entries.size(), 2u);
    EXPECT_TRUE(layoutLegend(itemsNamed(names), {0, 0, 100, 5}).entries.empty());
    EXPECT_TRUE(layoutLegend({}).entries.empty());
}

}  // namespace
}  // namespace ql
