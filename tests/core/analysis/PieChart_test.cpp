#include "core/analysis/PieChart.h"

#include "support/FaultyFileSystem.h"
#include "core/tracking/TrackingFixture.h"

namespace ql {
namespace {

class PieChartCompute : public testing::TrackingFixture {
protected:
    // The whole of December 1996.
    ReportPeriod december() const { return {at(1996, 12, 1), at(1996, 12, 31, 23, 59, 59)}; }
    Status compute(PieChart& chart) { return chart.compute(m_fs, m_set, december()); }
};

TEST_F(PieChartCompute, NoFrameInThePeriodGivesNoSliceNoPieAndNoLabel) {
    writeProjectRates({{"Alpha", 10}});
    writeFrames({{0, at(1996, 11, 30, 9), at(1996, 11, 30, 10)}, {0, at(1997, 1, 1), at(1997, 1, 1, 1)}});
    m_fs.resetCounts();  // writing the set above read it too
    PieChart chart;
    ASSERT_TRUE(compute(chart));
    EXPECT_TRUE(chart.slices().empty());
    const PieGeometry g = pieGeometry(chart, 600, 400);
    EXPECT_FALSE(g.drawn);
    EXPECT_EQ(pieSliceAt(chart, g, static_cast<int>(g.centreX), static_cast<int>(g.centreY)), -1);
    // Nothing counted, so the names were never needed.
    EXPECT_EQ(m_fs.reads(path(FileKind::Projects)), 0);
}

TEST_F(PieChartCompute, OnlyTheStartDecidesWhetherAFrameCounts) {
    writeProjectRates({{"Alpha", 10}, {"Beta", 10}});
    writeFrames({
        {0, at(1996, 12, 31, 23, 50), at(1997, 1, 1, 0, 30)},   // last day to the next: 40 minutes
        {1, at(1996, 11, 30, 23, 50), at(1996, 12, 1, 0, 30)},  // day before to the first day: out
    });
    PieChart chart;
    ASSERT_TRUE(compute(chart));
    ASSERT_EQ(chart.slices().size(), 1u);
    EXPECT_EQ(chart.slices()[0].name, "Alpha");
    EXPECT_EQ(chart.slices()[0].minutes, 40);
}

TEST_F(PieChartCompute, SumsWholeMinutesByExactNameInFirstMetOrder) {
    std::vector<ProjectRecord> projects(5);
    const char* names[] = {"Web", "web", "Design", "Web", "Logo"};
    for (int i = 0; i < 5; ++i) {
        projects[static_cast<std::size_t>(i)].id = i;
        projects[static_cast<std::size_t>(i)].name = names[i];
    }
    projects[4].parentId = 2;  // a sub-project is a slice of its own
    ASSERT_TRUE(writeProjects(m_fs, path(FileKind::Projects), projects));
    const std::int32_t t = at(1996, 12, 11, 9);
    writeFrames({
        {2, t, t + 600},        // Design 10
        {0, t, t + 59},         // Web 0 (59 seconds), still a slice
        {1, t, t + 3600},       // web 60: case matters
        {3, t, t + 119},        // the other "Web": 1, shares the slice
        {4, t, t + 300},        // Logo 5
        {17, t, t + 1200},      // no such project: 20
        {2, t, t + 60},         // Design 1
        {0, t + 600, t},        // ends before it starts: 0, not -10
    });
    m_fs.resetCounts();  // writing the set above read it too
    PieChart chart;
    ASSERT_TRUE(compute(chart));
    const std::vector<std::pair<std::string, std::int64_t>> expected = {
        {"Design", 11}, {"Web", 1}, {"web", 60}, {"Logo", 5}, {"(deleted project 17)", 20}};
    ASSERT_EQ(chart.slices().size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(chart.slices()[i].name, expected[i].first) << i;
        EXPECT_EQ(chart.slices()[i].minutes, expected[i].second) << i;
        EXPECT_EQ(chart.slices()[i].colour, ChartPalette::fixedColour(static_cast<int>(i))) << i;
    }
    EXPECT_EQ(chart.totalMinutes(), 97);
    EXPECT_EQ(m_fs.reads(path(FileKind::Projects)), 1);
    EXPECT_EQ(m_fs.reads(path(FileKind::TimeFrames)), 1);
}

TEST_F(PieChartCompute, TheThirteenthNameGetsAGeneratedColourAndARecomputationStartsAgainAtRed) {
    std::vector<std::pair<std::string, double>> projects;
    std::vector<TimeFrameRecord> frames;
    for (int i = 0; i < 13; ++i) {
        projects.push_back({"P" + std::to_string(i), 1.0});
        frames.push_back({i, at(1996, 12, 2) + i * 3600, at(1996, 12, 2) + i * 3600 + 60});
    }
    writeProjectRates(projects);
    writeFrames(frames);
    ChartPalette reference;
    for (int i = 0; i < 12; ++i) reference.colourFor("x" + std::to_string(i));
    const Rgb thirteenth = reference.colourFor("x12");

    PieChart chart;
    for (int round = 0; round < 2; ++round) {
        ASSERT_TRUE(compute(chart));
        ASSERT_EQ(chart.slices().size(), 13u);
        EXPECT_EQ(chart.slices()[0].colour, (Rgb{255, 0, 0})) << round;
        EXPECT_EQ(chart.slices()[11].colour, (Rgb{0, 0, 0})) << round;
        EXPECT_EQ(chart.slices()[12].colour, thirteenth) << round;
        EXPECT_EQ(chart.colourCounter(), 13) << round;
    }
}

TEST_F(PieChartCompute, AnUnreadableFileIsReportedOnceAndLeavesNoSlice) {
    writeProjectRates({{"Alpha", 10}});
    writeFrames({{0, at(1996, 12, 2), at(1996, 12, 2, 1)}, {0, at(1996, 12, 3), at(1996, 12, 3, 1)}});
    PieChart chart;
    ASSERT_TRUE(compute(chart));
    ASSERT_EQ(chart.slices().size(), 1u);

    test::FaultyFileSystem faulty;
    faulty.failEvery(test::FaultyFileSystem::Op::OpenRead);
    const Status frames = chart.compute(faulty, m_set, december());
    EXPECT_EQ(frames.message(), "Cannot open Time Frames file : " + path(FileKind::TimeFrames));
    EXPECT_TRUE(chart.slices().empty());

    ASSERT_TRUE(std::filesystem::remove(path(FileKind::Projects)));
    const Status projects = compute(chart);
    EXPECT_EQ(projects.message(), "Cannot open project file : " + path(FileKind::Projects));
    EXPECT_TRUE(chart.slices().empty());
    EXPECT_EQ(chart.totalMinutes(), 0);
}

// Slices of 1, 1 and 2 minutes: A from 3 to 6 o'clock, B from 6 to 9, C the upper half.
PieChart threeSlices() {
    PieChart chart;
    chart.addMinutes("A", 1);
    chart.addMinutes("B", 1);
    chart.addMinutes("C", 2);
    return chart;
}

TEST(PieGeometry, ChartAreaAndThePieInscribedInItsSquare) {
    const PieChart chart = threeSlices();
    struct Case {
        int width, height;
        bool drawn;
        int diameter;
    };
    const Case cases[] = {
        {600, 400, true, 360},  // area 170,20 - 580,380: 410 x 360
        {200, 500, false, 10},  // area 10 wide
        {500, 50, false, 10},   // area 10 high
        {201, 500, true, 11},
        {150, 500, false, -40},
    };
    for (const auto& c : cases) {
        const PieGeometry g = pieGeometry(chart, c.width, c.height);
        EXPECT_EQ(g.chartArea, (ChartRect{170, 20, c.width - 20, c.height - 20})) << c.width << "x" << c.height;
        EXPECT_EQ(g.drawn, c.drawn) << c.width << "x" << c.height;
        EXPECT_EQ(g.diameter, c.diameter) << c.width << "x" << c.height;
    }
    const PieGeometry g = pieGeometry(chart, 600, 400);
    EXPECT_EQ(g.pieSquare, (ChartRect{170, 20, 530, 380}));
    EXPECT_DOUBLE_EQ(g.centreX, 350.0);
    EXPECT_DOUBLE_EQ(g.centreY, 200.0);
    EXPECT_EQ(hoverRepaintRect(g), (ChartRect{170, 20, 680, 380}));
}

TEST(PieGeometry, SlicesWithNoMinutesAtAllDrawNoPie) {
    PieChart chart;
    chart.addMinutes("A", 0);
    chart.addMinutes("B", 0);
    const PieGeometry g = pieGeometry(chart, 600, 400);
    EXPECT_FALSE(g.drawn);
    EXPECT_TRUE(sliceSweeps(chart).empty());
    EXPECT_EQ(pieSliceAt(chart, g, 350, 200), -1);
}

TEST(PieGeometry, SweepsRunClockwiseFromThreeOClockAndCloseTheCircle) {
    PieChart chart = threeSlices();
    chart.addMinutes("Empty", 0);
    const auto sweeps = sliceSweeps(chart);
    ASSERT_EQ(sweeps.size(), 4u);
    EXPECT_DOUBLE_EQ(sweeps[0].startDegrees, 0.0);
    EXPECT_DOUBLE_EQ(sweeps[1].startDegrees, 90.0);
    EXPECT_DOUBLE_EQ(sweeps[2].startDegrees, 180.0);
    EXPECT_DOUBLE_EQ(sweeps[2].spanDegrees, 180.0);
    EXPECT_DOUBLE_EQ(sweeps[3].startDegrees, 360.0);
    EXPECT_DOUBLE_EQ(sweeps[3].spanDegrees, 0.0);
}

TEST(PieGeometry, HitTest) {
    PieChart chart;
    chart.addMinutes("Nothing", 0);  // takes no angle, so never hit
    chart.addMinutes("A", 1);
    chart.addMinutes("B", 1);
    chart.addMinutes("C", 2);
    const PieGeometry g = pieGeometry(chart, 600, 400);  // centre 350, 200, radius 180
    struct Case {
        int x, y;
        int slice;
        const char* what;
    };
    const Case cases[] = {
        {350, 200, 1, "centre: the first slice with minutes"},
        {450, 200, 1, "3 o'clock: A begins there"},
        {450, 300, 1, "between 3 and 6 o'clock"},
        {350, 300, 2, "6 o'clock: the boundary belongs to B, the later slice"},
        {250, 200, 3, "9 o'clock: the boundary belongs to C"},
        {350, 100, 3, "12 o'clock"},
        {449, 199, 3, "just above 3 o'clock: the end of C"},
        {350, 379, 2, "at the bottom of the circle"},
        {528, 22, -1, "in the square, outside the circle"},
        {600, 200, -1, "outside the chart area"},
        {169, 200, -1, "left of the chart area"},
    };
    for (const auto& c : cases) EXPECT_EQ(pieSliceAt(chart, g, c.x, c.y), c.slice) << c.what;

    const PieGeometry tooSmall = pieGeometry(chart, 200, 400);
    EXPECT_EQ(pieSliceAt(chart, tooSmall, 175, 25), -1);
}

TEST(PieGeometry, HoverLabelText) {
    const std::pair<std::int64_t, const char*> cases[] = {
        {135, "Web - 2:15"}, {0, "Web - 0:00"}, {9, "Web - 0:09"}, {600, "Web - 10:00"}, {6001, "Web - 100:01"}};
    for (const auto& [minutes, text] : cases) EXPECT_EQ(hoverLabelText({"Web", minutes, {}}), text);
}

}  // namespace
}  // namespace ql
