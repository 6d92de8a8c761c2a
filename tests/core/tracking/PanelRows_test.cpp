#include "core/tracking/PanelRows.h"

#include "TrackingFixture.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace ql {
namespace {

constexpr std::int32_t kNow = 850316400;  // Wednesday 11 December 1996, 10:00 in New York

TEST(PanelRows, RunningRowsShowNameTimeAndChargeSoFar) {
    ProjectRecord design;
    design.id = 4;
    design.name = "Design";
    design.chargesPerHour = 25.0;
    const ProjectIndex projects({design});
    const std::vector<RunningEntry> entries{{4, kNow - (3 * 3600 + 5 * 60 + 59)}, {9, kNow - 59}, {4, kNow + 90}};
    const auto rows = runningPanelRows(entries, projects, "$", kNow);
    EXPECT_EQ(rows, (std::vector<PanelRow>{{"Design", "03:05", "$77.08"}, {"", "00:00", "$0.00"},
                                           {"Design", "00:00", "$0.00"}}));
}

TEST(PanelRows, TotalsRowsFollowThePeriods) {
    PeriodTotals totals;
    totals.monetarySymbol = "$";
    totals.periods[0] = {"Today (12/11/1996)", 0, 0, 6005, 1500.5};
    totals.periods[3] = {"This year (01/01/1996 - 12/31/1996)", 0, 0, 123 * 60, 0.0};
    const auto rows = totalsPanelRows(totals);
    EXPECT_EQ(rows[0], (PanelRow{"Today (12/11/1996)", "100:05", "$1500.50"}));
    EXPECT_EQ(rows[1], (PanelRow{"", "00:00", "$0.00"}));
    EXPECT_EQ(rows[3], (PanelRow{"This year (01/01/1996 - 12/31/1996)", "123:00", "$0.00"}));
}

class PanelRowsOnFiles : public testing::TrackingFixture {};

TEST_F(PanelRowsOnFiles, LoadsProjectsAndSymbolOnceForAllRows) {
    writeProjectRates({{"Design", 60.0}, {"Support", 30.0}});
    const std::vector<RunningEntry> entries{{1, kNow - 600}, {0, kNow - 120}, {1, kNow - 60}};
    m_fs.resetCounts();
    const auto panel = loadRunningPanelRows(m_fs, m_set, entries, kNow);
    EXPECT_TRUE(panel.status.isOk());
    EXPECT_EQ(panel.rows, (std::vector<PanelRow>{{"Support", "00:10", "$5.00"}, {"Design", "00:02", "$2.00"},
                                                 {"Support", "00:01", "$0.50"}}));
    EXPECT_EQ(m_fs.reads(path(FileKind::Projects)), 1);
    EXPECT_EQ(m_fs.totalReads(), 2);
}

TEST_F(PanelRowsOnFiles, AMissingProjectsFileIsOneFailureAndRowsStillShowTime) {
    std::filesystem::remove(path(FileKind::Projects));
    const std::vector<RunningEntry> entries{{1, kNow - 600}, {0, kNow - 120}};
    const auto panel = loadRunningPanelRows(m_fs, m_set, entries, kNow);
    EXPECT_EQ(panel.status.message(), "Cannot open project file : " + path(FileKind::Projects));
    EXPECT_EQ(panel.rows, (std::vector<PanelRow>{{"", "00:10", "$0.00"}, {"", "00:02", "$0.00"}}));
}

TEST_F(PanelRowsOnFiles, NothingRunningReadsNothing) {
    m_fs.resetCounts();
    const auto panel = loadRunningPanelRows(m_fs, m_set, {}, kNow);
    EXPECT_TRUE(panel.rows.empty());
    EXPECT_TRUE(panel.status.isOk());
    EXPECT_EQ(m_fs.totalReads(), 0);
}

}  // namespace
}  // namespace ql
