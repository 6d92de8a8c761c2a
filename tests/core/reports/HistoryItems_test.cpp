#include "core/reports/HistoryItems.h"

#include "support/FaultyFileSystem.h"
#include "core/tracking/TrackingFixture.h"

#include "core/text/NumberText.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>
#include <random>

namespace ql {
namespace {

class HistoryItemsTest : public testing::TrackingFixture {
protected:
    HistoryLoad load(std::int32_t projectId = -1) {
        const ReportPeriod year{at(1996, 1, 1), at(1996, 12, 31, 23, 59, 59)};
        return LoadHistoryItems(m_fs, m_set, {projectId, year});
    }
    static std::vector<TimeFrameRecord> sortedBy(const HistoryItems& h, int column) {
        std::vector<TimeFrameRecord> out;
        const auto order = sortedHistoryOrder(h, column, rankProjectNames(h.projects, compareNamesIgnoringCase));
        for (const std::int32_t i : order) out.push_back(h.items[static_cast<std::size_t>(i)].frame);
        return out;
    }
};

TEST_F(HistoryItemsTest, KeepsTheExactProjectAndTheStartsInsideThePeriodReadingEachFileOnce) {
    writeProjectRates({{"Web", 60.0}, {"Web design", 30.0}});
    const TimeFrameRecord lastInstant{0, at(1996, 12, 31, 23, 59, 59), at(1997, 1, 1, 1)};
    const TimeFrameRecord firstInstant{1, at(1996, 1, 1), at(1996, 1, 1, 0, 30)};
    writeFrames({{0, at(1995, 12, 31, 23, 30), at(1996, 1, 1, 0, 30)}, lastInstant, firstInstant,
                 {1, at(1997, 1, 1), at(1997, 1, 1, 1)}, {7, at(1996, 6, 1, 9), at(1996, 6, 1, 10)}});
    m_fs.resetCounts();
    const HistoryLoad all = load();
    EXPECT_TRUE(all.messages.empty());
    EXPECT_EQ(m_fs.reads(path(FileKind::TimeFrames)), 1);
    EXPECT_EQ(m_fs.reads(path(FileKind::Projects)), 1);
    ASSERT_EQ(all.history.items.size(), 3u);
    EXPECT_EQ(all.history.items[0].frame, lastInstant);
    EXPECT_EQ(all.history.items[1].frame, firstInstant);
    const HistoryItem& orphan = all.history.items[2];
    EXPECT_EQ(all.history.projectOf(orphan).name, "(deleted project 7)");
    EXPECT_EQ(orphan.charge, 0.0);
    EXPECT_EQ(all.history.projectOf(all.history.items[0]).name, "Web");

    const HistoryLoad one = load(1);
    ASSERT_EQ(one.history.items.size(), 1u);
    EXPECT_EQ(one.history.items[0].frame, firstInstant);
}

TEST_F(HistoryItemsTest, ColumnTextsAreTheSameInEveryLocale) {
    writeProjectRates({{"Web", 30.0}, {"Big", 1234.5}});
    writeFrames({{0, at(1996, 3, 5, 22), at(1996, 3, 6, 1, 30)},
                 {0, at(1996, 3, 5, 0, 5), at(1996, 3, 6, 1, 5)},
                 {0, at(1996, 3, 5, 12, 0, 59), at(1996, 3, 5, 12, 2, 29)},
                 {1, at(1996, 11, 3, 8, 15), at(1996, 11, 3, 9, 15)}});
    const HistoryLoad l = load();
    ASSERT_EQ(l.history.items.size(), 4u);
    struct Row {
        const char* date;
        const char* dateDayFirst;
        const char* time;
        const char* span;
        const char* charge;
    };
    const Row rows[] = {
        {"03/05/96", "05/03/96", "10:00 PM", "03:30", "$105.00"},
        {"03/05/96", "05/03/96", "12:05 AM", "01:00", "$750.00"},  // 25 hours, whole days dropped
        {"03/05/96", "05/03/96", "12:00 PM", "00:01", "$0.50"},    // 90 seconds at 30.00
        {"11/03/96", "03/11/96", "08:15 AM", "01:00", "$1234.50"},
    };
    for (std::size_t i = 0; i < 4; ++i) {
        const HistoryItem& item = l.history.items[i];
        EXPECT_EQ(historyDateText(item, true), rows[i].date) << i;
        EXPECT_EQ(historyDateText(item, false), rows[i].dateDayFirst) << i;
        EXPECT_EQ(historyTimeText(item), rows[i].time) << i;
        EXPECT_EQ(historySpanText(item), rows[i].span) << i;
        EXPECT_EQ(historyChargeText(item, "$"), rows[i].charge) << i;
    }
    HistoryItem backwards;
    backwards.frame = {0, 1000, 1000 - 3660};
    EXPECT_EQ(historySpanText(backwards), "-01:01");
    EXPECT_EQ(fixed2Text(0.005), "0.01");
    EXPECT_EQ(fixed2Text(2.675), "2.67");  // its nearest double lies below 2.675
    EXPECT_EQ(fixed2Text(-0.001), "-0.00");
}

TEST_F(HistoryItemsTest, EachColumnSortsAscendingByItsKeyAndEqualKeysKeepFileOrder) {
    writeProjectRates({{"beta", 60.0}, {"Alpha", 60.0}, {"BETA", 60.0}, {"alpha", 60.004}});
    const TimeFrameRecord a{0, at(1996, 5, 1, 9), at(1996, 5, 1, 10)};            // beta 60 min
    const TimeFrameRecord b{1, at(1996, 5, 2, 8, 15), at(1996, 5, 2, 8, 45)};     // Alpha 30 min
    const TimeFrameRecord c{2, at(1996, 4, 30, 9, 30), at(1996, 4, 30, 11, 30)};  // BETA 120 min
    const TimeFrameRecord d{3, at(1996, 5, 1, 8, 15), at(1996, 5, 1, 9, 15)};     // alpha 60 min, 60.004
    const TimeFrameRecord e{1, at(1996, 5, 1, 23, 59), at(1996, 5, 2, 0, 29)};    // Alpha 30 min
    writeFrames({a, b, c, d, e});
    const HistoryLoad l = load();
    struct Case {
        int column;
        std::vector<TimeFrameRecord> expected;
    };
    const Case cases[] = {
        {0, {b, d, e, a, c}},  // Alpha, alpha, Alpha, beta, BETA: case ignored, file order kept
        {1, {c, a, d, e, b}},  // dates; time of day ignored
        {2, {b, d, a, c, e}},  // 08:15 of any date before 09:00 of any other
        {3, {b, e, a, d, c}},
        {4, {b, e, a, d, c}},  // 60.00 and 60.004 an hour apart by less than a cent: equal
        {9, {a, b, c, d, e}},  // no such column: file order
    };
    // Each sort starts from file order, so ties never depend on the sort before.
    for (const Case& cs : cases) EXPECT_EQ(sortedBy(l.history, cs.column), cs.expected) << "column " << cs.column;
    const auto ranks = rankProjectNames(l.history.projects, compareNamesIgnoringCase);
    const auto& items = l.history.items;  // a b c d e
    EXPECT_EQ(CompareHistoryItems(items[0], items[3], 4, ranks), 0);
    EXPECT_LT(CompareHistoryItems(items[1], items[0], 3, ranks), 0);
    EXPECT_GT(CompareHistoryItems(items[0], items[1], 3, ranks), 0);
    EXPECT_EQ(CompareHistoryItems(items[1], items[3], 0, ranks), 0);  // Alpha and alpha
}

TEST_F(HistoryItemsTest, FramesWithNegativeTimesCompareEqualAndStayLastInFileOrder) {
    writeProjectRates({{"P", 60.0}});
    const TimeFrameRecord late{0, 900000000, 900003600};
    const TimeFrameRecord early{0, 800000000, 800000060};
    const TimeFrameRecord negative1{0, -5000, -4000};
    const TimeFrameRecord negative2{0, -9000, 100};
    writeFrames({negative1, late, negative2, early});
    HistoryLoad l = LoadHistoryItems(m_fs, m_set, {-1, {INT32_MIN, INT32_MAX}});
    const auto ranks = rankProjectNames(l.history.projects, compareNamesIgnoringCase);
    EXPECT_EQ(CompareHistoryItems(l.history.items[0], l.history.items[1], 1, ranks), 0);
    EXPECT_EQ(sortedBy(l.history, 1), (std::vector<TimeFrameRecord>{early, late, negative1, negative2}));
}

// Charges of more than 2^31 cents cannot take the packed sort: both sorts must agree.
TEST_F(HistoryItemsTest, HugeChargesSortAsSmallOnes) {
    writeProjectRates({{"Huge", 1e9}, {"Small", 1.0}});
    const TimeFrameRecord huge2h{0, at(1996, 5, 1, 9), at(1996, 5, 1, 11)};
    const TimeFrameRecord small{1, at(1996, 5, 1, 12), at(1996, 5, 1, 13)};
    const TimeFrameRecord huge1h{0, at(1996, 5, 2, 9), at(1996, 5, 2, 10)};
    const TimeFrameRecord negative{1, -7200, -3600};
    writeFrames({huge2h, small, negative, huge1h});
    const HistoryLoad l = LoadHistoryItems(m_fs, m_set, {-1, {INT32_MIN, INT32_MAX}});
    EXPECT_EQ(sortedBy(l.history, 4), (std::vector<TimeFrameRecord>{small, huge1h, huge2h, negative}));
    EXPECT_EQ(sortedBy(l.history, 3), (std::vector<TimeFrameRecord>{small, huge1h, huge2h, negative}));
}

// Keys of a narrow range are counted into place, wider ones compared: every column, with keys
// of either kind and frames with negative times among them, gives the order of a stable sort
// by CompareHistoryItems with the negative ones last.
TEST(HistoryOrder, EveryWayOfSortingGivesTheStableOrderOfTheKeys) {
    std::mt19937 random(1996);
    for (const std::int32_t spread : {1, 90, 70000, 50000000}) {
        HistoryItems history;
        for (int p = 0; p < 300; ++p) history.projects.push_back({p, "P" + std::to_string(p % 97), 1.0});
        std::uniform_int_distribution<std::int32_t> offset(0, spread);
        for (int i = 0; i < 3000; ++i) {
            HistoryItem item;
            item.project = static_cast<std::int32_t>(random() % history.projects.size());
            item.frame = {item.project, 800000000 + offset(random), 0};
            if (random() % 50 == 0) item.frame.start = -item.frame.start;
            item.frame.end = item.frame.start + offset(random);
            item.dateKey = 19960000 + offset(random) % 10000;
            item.timeKey = offset(random) % 1440;
            item.minutes = offset(random) - spread / 2;
            item.charge = item.minutes * 0.7;
            history.items.push_back(item);
        }
        const auto ranks = rankProjectNames(history.projects, compareNamesIgnoringCase);
        const auto last = [](const HistoryItem& item) { return item.frame.start < 0 || item.frame.end < 0; };
        for (int column = 0; column <= 5; ++column) {
            std::vector<std::int32_t> expected(history.items.size());
            std::iota(expected.begin(), expected.end(), 0);
            std::stable_sort(expected.begin(), expected.end(), [&](std::int32_t a, std::int32_t b) {
                const HistoryItem& x = history.items[static_cast<std::size_t>(a)];
                const HistoryItem& y = history.items[static_cast<std::size_t>(b)];
                if (last(x) || last(y)) return !last(x) && last(y);
                return CompareHistoryItems(x, y, column, ranks) < 0;
            });
            EXPECT_EQ(sortedHistoryOrder(history, column, ranks), expected)
                << "spread " << spread << " column " << column;
        }
    }
}

TEST_F(HistoryItemsTest, UnreadableFilesAreReportedAndNothingIsMadeUp) {
    writeProjectRates({{"P", 60.0}});
    writeFrames({{0, at(1996, 5, 1, 9), at(1996, 5, 1, 10)}});
    std::remove(path(FileKind::Projects).c_str());
    const HistoryLoad noProjects = load();
    ASSERT_EQ(noProjects.messages.size(), 1u);
    EXPECT_EQ(englishText(noProjects.messages[0]), "Cannot open project file : " + path(FileKind::Projects));
    ASSERT_EQ(noProjects.history.items.size(), 1u);
    EXPECT_EQ(noProjects.history.projectOf(noProjects.history.items[0]).name, "(project 0)");
    EXPECT_EQ(noProjects.history.items[0].charge, 0.0);

    std::remove(path(FileKind::TimeFrames).c_str());
    const HistoryLoad noFrames = load();
    ASSERT_EQ(noFrames.messages.size(), 2u);
    EXPECT_EQ(englishText(noFrames.messages[1]), "Cannot open time frames file : " + path(FileKind::TimeFrames));
    EXPECT_TRUE(noFrames.history.items.empty());
}

TEST_F(HistoryItemsTest, RemovingManyFramesIsOneRewriteThatDropsEveryCopyOrNothing) {
    const TimeFrameRecord keep1{0, 100, 200}, twice{1, 300, 400}, once{2, 500, 600}, keep2{1, 300, 401};
    writeFrames({keep1, twice, once, twice, keep2});
    const std::string tfr = path(FileKind::TimeFrames);
    const auto before = test::readBytes(tfr);

    test::FaultyFileSystem faulty;
    faulty.failEvery(test::FaultyFileSystem::Op::Rename);
    EXPECT_FALSE(removeTimeFrames(faulty, tfr, {twice, once}));
    EXPECT_EQ(test::readBytes(tfr), before);

    test::FaultyFileSystem counting;
    ASSERT_TRUE(removeTimeFrames(counting, tfr, {twice, once, twice}));
    EXPECT_EQ(counting.renames(), 1);
    auto left = loadTimeFrames(m_fs, tfr);
    ASSERT_TRUE(left.isOk());
    EXPECT_EQ(*left, (std::vector<TimeFrameRecord>{keep1, keep2}));
}

}  // namespace
}  // namespace ql
