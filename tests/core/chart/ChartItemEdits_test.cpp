#include "core/chart/ChartItemEdits.h"

#include "core/chart/TimeFrameForm.h"
#include "core/chart/WeekChart.h"

#include "ChartTestSupport.h"
#include "support/FaultyFileSystem.h"

namespace ql {
namespace {

using test::at;

class ChartItemEditsTest : public ::testing::Test {
protected:
    test::PinnedZone zone{"America/New_York"};
    void SetUp() override { set.writeProjects({"Same", "Same", "Other"}); }

    test::TempFileSet set;
    FileSystem& fs = defaultFileSystem();
};

TEST_F(ChartItemEditsTest, EditReplacesTheFrameInOneRewriteAndMovesItToTheEnd) {
    const TimeFrameRecord old{0, at(1996, 3, 15, 9), at(1996, 3, 15, 10, 30)};
    const TimeFrameRecord other{2, at(1996, 3, 15, 11), at(1996, 3, 15, 12)};
    set.append(old);
    set.append(other);
    WeekChart chart(old.start);
    ASSERT_TRUE(chart.load(fs, set.files()));
    const ChartItem item = chart.items().at(0);

    const auto input = parseTimeFrameTexts(frameOf(item), {"03/15/1996", "09:00", "2:00"}, true);
    ASSERT_TRUE(input.frame.isOk());
    ASSERT_TRUE(editChartItem(fs, set.files(), item, *input.frame));
    EXPECT_EQ(set.frames(), (std::vector<TimeFrameRecord>{other, {0, old.start, at(1996, 3, 15, 11)}}));
}

TEST_F(ChartItemEditsTest, TwoProjectsOfOneNameAreToldApart) {
    // The item keeps its project id, so the frame of the first "Same" is the one edited.
    const TimeFrameRecord first{0, at(1996, 3, 15, 9), at(1996, 3, 15, 10)};
    set.append(first);
    WeekChart chart(first.start);
    ASSERT_TRUE(chart.load(fs, set.files()));
    const ChartItem item = chart.items().at(0);
    ASSERT_EQ(item.name, "Same");
    const TimeFrameRecord edited{0, first.start, first.end + 600};
    ASSERT_TRUE(editChartItem(fs, set.files(), item, edited));
    EXPECT_EQ(set.frames(), std::vector<TimeFrameRecord>{edited});
    ASSERT_TRUE(deleteChartItem(fs, set.files(), {item.name, 0, edited.start, edited.end, {}}));
    EXPECT_TRUE(set.frames().empty());
}

TEST_F(ChartItemEditsTest, AFailedEditLosesNothing) {
    const TimeFrameRecord old{0, at(1996, 3, 15, 9), at(1996, 3, 15, 10)};
    const TimeFrameRecord other{2, at(1996, 3, 16, 9), at(1996, 3, 16, 10)};
    set.append(old);
    set.append(other);
    const ChartItem item{"Same", 0, old.start, old.end, {}};
    const TimeFrameRecord edited{0, old.start, old.end + 60};
    // Fail each file call of the edit in turn, then let it through.
    for (int nth = 1;; ++nth) {
        SCOPED_TRACE(nth);
        ASSERT_LT(nth, 100);
        test::FaultyFileSystem faulty;
        faulty.failCall(nth, nth % 2 == 0);
        const Status st = editChartItem(faulty, set.files(), item, edited);
        if (!faulty.failed()) {
            ASSERT_TRUE(st);
            break;
        }
        EXPECT_EQ(st.message(), "Cannot open time frames file : " + set.path(FileKind::TimeFrames));
        EXPECT_EQ(set.frames(), (std::vector<TimeFrameRecord>{old, other}));
    }
    EXPECT_EQ(set.frames(), (std::vector<TimeFrameRecord>{other, edited}));
}

TEST_F(ChartItemEditsTest, DeleteRemovesEveryCopyOfTheFrameOnly) {
    const TimeFrameRecord frame{2, at(1996, 3, 15, 9), at(1996, 3, 15, 10)};
    const TimeFrameRecord neighbour{2, frame.start, frame.end + 1};
    set.append(frame);
    set.append(neighbour);
    set.append(frame);
    ASSERT_TRUE(deleteChartItem(fs, set.files(), {"Other", 2, frame.start, frame.end, {}}));
    EXPECT_EQ(set.frames(), std::vector<TimeFrameRecord>{neighbour});
}

}  // namespace
}  // namespace ql
