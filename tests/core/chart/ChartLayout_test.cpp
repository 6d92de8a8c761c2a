#include "core/chart/ChartLayout.h"

#include "ChartTestSupport.h"

namespace ql {
namespace {

using test::at;

// A chart of the week of Monday 9 December 1996 whose items are given directly.
class ChartLayoutTest : public ::testing::Test {
protected:
    test::PinnedZone zone{"America/New_York"};
    void SetUp() override { set.writeProjects({"Alpha", "Beta", "Gamma"}); }

    // Loads frames of Tuesday 10 December (hours and minutes from/to) for project id.
    void addFrame(std::int32_t id, int fromH, int fromM, int toH, int toM, int endDay = 10) {
        set.append({id, at(1996, 12, 10, fromH, fromM), at(1996, 12, endDay, toH, toM)});
    }
    WeekChart& loaded() {
        EXPECT_TRUE(chart.load(defaultFileSystem(), set.files()));
        return chart;
    }
    std::vector<ChartBar> bars(const ChartLayout& layout) { return layoutBars(layout, loaded()); }

    // 800 pixels of client give a chart 790 wide from x = 5.
    static constexpr int kClientWidth = 800;
    static constexpr int kClientHeight = 600;

    test::TempFileSet set;
    WeekChart chart{at(1996, 12, 11, 10)};
};

TEST_F(ChartLayoutTest, DefaultHoursOnA790PixelChart) {
    const auto layout = screenChartLayout(chart, kClientWidth, kClientHeight);
    ASSERT_TRUE(layout);
    EXPECT_EQ(layout->hourCount, 12);
    EXPECT_EQ(layout->hourWidth, 53);
    EXPECT_EQ(layout->leftover, 4);
    EXPECT_EQ(layout->labelRight, 5 + 154);
    EXPECT_EQ(layout->header, (ChartRect{5, 110, 795, 125}));
    // 600 - 5 - 125 = 470 pixels share out as seven rows of 67.
    EXPECT_EQ(layout->rowHeight, 67);
    EXPECT_EQ(layout->rows, (ChartRect{5, 125, 795, 125 + 7 * 67}));
    EXPECT_EQ(layout->area(), (ChartRect{5, 110, 795, 594}));

    ASSERT_EQ(layout->hourLines.size(), 11u);
    for (std::size_t i = 0; i < 11; ++i) {
        const auto& line = layout->hourLines[i];
        EXPECT_EQ(line.x, 159 + 53 * static_cast<int>(i + 1));
        EXPECT_EQ(line.labelRect, (ChartRect{line.x - 100, 110, line.x + 100, 125}));
    }
    EXPECT_EQ(layout->hourLines.front().label, "09:00");
    EXPECT_EQ(layout->hourLines.back().label, "19:00");
    EXPECT_EQ(layout->hourLines.back().x + 53, layout->rows.right);

    EXPECT_EQ(layout->dayCells[0], (ChartRect{5, 125, 159, 192}));
    EXPECT_EQ(layout->dayCells[6], (ChartRect{5, 125 + 6 * 67, 159, 594}));
    EXPECT_EQ(layout->dayLabels[3], (ChartRect{10, 125 + 3 * 67, 154, 125 + 4 * 67}));
}

TEST_F(ChartLayoutTest, NineToFiveGivesEightColumns) {
    ASSERT_TRUE(chart.setHours(9, 17));
    const auto layout = screenChartLayout(chart, kClientWidth, kClientHeight);
    ASSERT_TRUE(layout);
    EXPECT_EQ(layout->hourCount, 8);
    EXPECT_EQ(layout->hourWidth, 80);
    EXPECT_EQ(layout->leftover, 0);
    ASSERT_EQ(layout->hourLines.size(), 7u);
    EXPECT_EQ(layout->hourLines.front().label, "10:00");
    EXPECT_EQ(layout->hourLines.back().label, "16:00");
}

TEST_F(ChartLayoutTest, NothingBelowTwoHundredPixelsOfClient) {
    EXPECT_FALSE(screenChartLayout(chart, kClientWidth, 199));
    const auto layout = screenChartLayout(chart, kClientWidth, 200);
    ASSERT_TRUE(layout);
    EXPECT_EQ(layout->rowHeight, 10);
    EXPECT_FALSE(screenChartLayout(chart, 10, kClientHeight));
}

// The label column is 150 pixels plus what the hour columns leave over, on any width.
TEST_F(ChartLayoutTest, TheLabelColumnIsTheFixedWidthPlusTheLeftover) {
    const std::pair<int, int> widths[] = {{700, 5 + 150}, {1280, 5 + 154}};
    for (const auto& [client, labelRight] : widths) {
        const auto layout = screenChartLayout(chart, client, kClientHeight);
        ASSERT_TRUE(layout);
        EXPECT_EQ(layout->labelRight, labelRight) << client;
        EXPECT_EQ(layout->dayLabels[0].right, labelRight - kDayLabelInset) << client;
    }
}

TEST_F(ChartLayoutTest, BarsAreClampedToTheHourAxis) {
    addFrame(0, 7, 0, 9, 0);    // starts before the axis
    addFrame(1, 19, 30, 21, 0); // ends after it
    addFrame(2, 10, 30, 11, 15);
    const auto layout = *screenChartLayout(chart, kClientWidth, kClientHeight);
    const auto all = bars(layout);
    ASSERT_EQ(all.size(), 3u);
    const int rowTop = layout.rows.top + 1 * layout.rowHeight;  // Tuesday
    EXPECT_EQ(all[0].rect, (ChartRect{159, rowTop + 5, 159 + 1 + 53, rowTop + 67 - 5}));
    EXPECT_EQ(all[1].rect.left, 159 + 609);  // 690 minutes * 53 / 60
    EXPECT_EQ(all[1].rect.right, layout.rows.right);
    // 150 minutes in: 132.5 -> 132; 195 minutes: 172.25 -> 172, plus one.
    EXPECT_EQ(all[2].rect.left, 159 + 132);
    EXPECT_EQ(all[2].rect.right, 159 + 173);
}

TEST_F(ChartLayoutTest, BarsGoToTheirDayRowsAndOnlyTheSevenDaysAreDrawn) {
    set.append({0, at(1996, 12, 9, 8), at(1996, 12, 9, 9)});     // Monday
    set.append({1, at(1996, 12, 15, 12), at(1996, 12, 15, 13)}); // Sunday
    set.append({2, at(1996, 12, 16, 9), at(1996, 12, 16, 10)});  // following Monday: loaded, not drawn
    const auto layout = *screenChartLayout(chart, kClientWidth, kClientHeight);
    const auto all = bars(layout);
    ASSERT_EQ(chart.items().size(), 3u);
    ASSERT_EQ(all.size(), 2u);
    EXPECT_EQ(all[0].item, 0u);
    EXPECT_EQ(all[0].rect.top, layout.rows.top + 5);
    EXPECT_EQ(all[1].item, 1u);
    EXPECT_EQ(all[1].rect.bottom, layout.rows.bottom - 5);
}

TEST_F(ChartLayoutTest, AFrameEndingOnALaterDayRunsToTheRightEdgeOfItsStartRow) {
    addFrame(0, 18, 0, 9, 0, 11);   // ends next morning, before its start's clock time
    addFrame(1, 7, 0, 7, 30, 12);   // ends two days later, early
    set.append({2, at(1996, 12, 15, 23), at(1996, 12, 16, 2)});  // Sunday night into Monday
    addFrame(0, 20, 0, 20, 45);                                   // starts as the chart ends
    const auto layout = *screenChartLayout(chart, kClientWidth, kClientHeight);
    const auto all = bars(layout);
    // 23:00 and 20:00 lie at or beyond the last hour, 20:00: nothing of them is in the chart.
    ASSERT_EQ(all.size(), 2u);
    EXPECT_EQ(all[0].rect.left, 159 + 530);
    EXPECT_EQ(all[0].rect.right, layout.rows.right);
    EXPECT_EQ(all[1].rect.left, 159);
    EXPECT_EQ(all[1].rect.right, layout.rows.right);
    for (const auto& bar : all) {
        EXPECT_LE(bar.rect.left, bar.rect.right);
        EXPECT_GE(bar.rect.top, layout.rows.top);
        EXPECT_LE(bar.rect.bottom, layout.rows.bottom);
    }
}

TEST_F(ChartLayoutTest, NoBarLeavesTheChartEvenOnTinyOrOddAreas) {
    addFrame(0, 0, 0, 23, 59);
    addFrame(1, 12, 0, 11, 0);  // a damaged record: ends before it starts
    addFrame(2, 19, 0, 9, 0, 14);
    loaded();
    for (const ChartRect area : {ChartRect{0, 0, 100, 40}, ChartRect{20, 20, 400, 350}, ChartRect{5, 110, 30, 300},
                                 ChartRect{5, 110, 5, 300}}) {
        const auto layout = layoutWeekChart(chart, area);
        EXPECT_GE(layout.labelRight, area.left);
        EXPECT_LE(layout.labelRight, area.right);
        for (const auto& bar : layoutBars(layout, chart)) {
            EXPECT_GE(bar.rect.left, layout.rows.left);
            EXPECT_LT(bar.rect.left, layout.rows.right);  // its outline's first column is inside
            EXPECT_LE(bar.rect.left, bar.rect.right);
            EXPECT_LE(bar.rect.right, layout.rows.right);
            EXPECT_GE(bar.rect.top, layout.rows.top);
            EXPECT_LE(bar.rect.top, bar.rect.bottom);
            EXPECT_LE(bar.rect.bottom, layout.rows.bottom);
        }
    }
}

TEST_F(ChartLayoutTest, HitTestTakesLeftAndTopEdgesAndTheLastBar) {
    addFrame(0, 9, 0, 12, 0);
    addFrame(1, 11, 0, 13, 0);  // overlaps the first and is drawn over it
    const auto layout = *screenChartLayout(chart, kClientWidth, kClientHeight);
    const auto all = bars(layout);
    ASSERT_EQ(all.size(), 2u);
    const ChartRect a = all[0].rect;
    const ChartRect b = all[1].rect;

    EXPECT_EQ(hitTest(layout, chart, a.left, a.top), 0u);
    EXPECT_EQ(hitTest(layout, chart, a.left - 1, a.top), std::nullopt);
    EXPECT_EQ(hitTest(layout, chart, a.left, a.top - 1), std::nullopt);
    EXPECT_EQ(hitTest(layout, chart, b.right - 1, b.bottom - 1), 1u);
    EXPECT_EQ(hitTest(layout, chart, b.right, b.top), std::nullopt);
    EXPECT_EQ(hitTest(layout, chart, b.left, b.bottom), std::nullopt);
    EXPECT_EQ(hitTest(layout, chart, b.left, a.top + 10), 1u);  // overlap: the later bar
    EXPECT_EQ(hitTest(layout, chart, b.left - 1, a.top + 10), 0u);
}

TEST_F(ChartLayoutTest, HitTestAnswersOnlyInsideTheRows) {
    addFrame(0, 8, 0, 20, 0);
    const auto layout = *screenChartLayout(chart, kClientWidth, kClientHeight);
    loaded();
    const int y = layout.rows.top + layout.rowHeight + 10;
    EXPECT_EQ(hitTest(layout, chart, layout.rows.right - 1, y), 0u);
    EXPECT_EQ(hitTest(layout, chart, layout.rows.right, y), std::nullopt);
    EXPECT_EQ(hitTest(layout, chart, 200, layout.header.top + 5), std::nullopt);
}

}  // namespace
}  // namespace ql
