#include "core/chart/WeekChart.h"

#include "ChartTestSupport.h"
#include "support/FaultyFileSystem.h"

#include <map>
#include <set>

namespace ql {
namespace {

using test::at;

class WeekChartLoad : public ::testing::Test {
protected:
    test::PinnedZone zone{"America/New_York"};
    test::TempFileSet set;
    FileSystem& fs = defaultFileSystem();
};

TEST_F(WeekChartLoad, TakesFramesStartingFromMondayToTheEndOfTheFollowingMondayInFileOrder) {
    set.writeProjects({"Alpha", "Beta"});
    const std::int32_t monday = at(1996, 12, 9);
    set.append({1, at(1996, 12, 11, 9), at(1996, 12, 11, 10)});
    set.append({0, monday - 1, monday + 3600});              // Sunday before: out
    set.append({0, monday, monday + 60});                    // first second: in
    set.append({1, at(1996, 12, 16, 23, 59, 59), at(1996, 12, 17, 1)});  // last second of next Monday: in
    set.append({1, at(1996, 12, 17), at(1996, 12, 17, 1)});              // Tuesday after: out
    set.append({0, at(1996, 12, 8, 23), at(1996, 12, 9, 2)});            // ends inside, starts before: out

    WeekChart chart(at(1996, 12, 11, 10));
    ASSERT_TRUE(chart.load(fs, set.files()));

    ASSERT_EQ(chart.items().size(), 3u);
    EXPECT_EQ(chart.items()[0].name, "Beta");
    EXPECT_EQ(chart.items()[0].start, at(1996, 12, 11, 9));
    EXPECT_EQ(chart.items()[0].end, at(1996, 12, 11, 10));
    EXPECT_EQ(chart.items()[0].projectId, 1);
    EXPECT_EQ(chart.items()[1].name, "Alpha");
    EXPECT_EQ(chart.items()[1].start, monday);
    EXPECT_EQ(chart.items()[2].start, at(1996, 12, 16, 23, 59, 59));
}

TEST_F(WeekChartLoad, ReadsEachFileOnceAndTheProjectsFileOnlyForAWeekWithFrames) {
    set.writeProjects({"Alpha"});
    for (int h = 8; h < 18; ++h) set.append({0, at(1996, 12, 10, h), at(1996, 12, 10, h, 30)});

    test::FaultyFileSystem counting;
    WeekChart chart(at(1996, 12, 11, 10));
    ASSERT_TRUE(chart.load(counting, set.files()));
    EXPECT_EQ(chart.items().size(), 10u);
    EXPECT_EQ(counting.reads(set.path(FileKind::TimeFrames)), 1);
    EXPECT_EQ(counting.reads(set.path(FileKind::Projects)), 1);

    counting.resetCounts();
    chart.showNextWeek();
    ASSERT_TRUE(chart.load(counting, set.files()));
    EXPECT_TRUE(chart.items().empty());
    EXPECT_EQ(counting.reads(set.path(FileKind::TimeFrames)), 1);
    EXPECT_EQ(counting.reads(set.path(FileKind::Projects)), 0);
}

TEST_F(WeekChartLoad, OneColourPerNameFixedPaletteFirstThenSeededRandomColours) {
    std::vector<std::string> names;
    for (int i = 0; i < 14; ++i) names.push_back("P" + std::to_string(i));
    names.push_back("P0");  // a second project with the first one's name
    set.writeProjects(names);
    const std::int32_t day = at(1996, 12, 10, 8);
    set.append({0, day, day + 600});
    set.append({1, day + 600, day + 1200});
    set.append({0, day + 1200, day + 1800});  // same project again
    for (std::int32_t id = 2; id < 14; ++id) set.append({id, day + id * 600, day + id * 600 + 60});
    set.append({14, day + 9000, day + 9600});  // other project, same name as project 0

    WeekChart chart(day);
    ASSERT_TRUE(chart.load(fs, set.files()));
    const auto& items = chart.items();
    ASSERT_EQ(items.size(), 16u);
    EXPECT_EQ(items[0].colour, (Rgb{255, 0, 0}));
    EXPECT_EQ(items[1].colour, (Rgb{0, 255, 0}));
    EXPECT_EQ(items[2].colour, items[0].colour);
    EXPECT_EQ(items[12].colour, (Rgb{0, 0, 0}));  // P11, the twelfth distinct name
    EXPECT_EQ(items[15].colour, items[0].colour);  // same name, same colour
    EXPECT_EQ(chart.colourCounter(), 14);
    ASSERT_NE(chart.colourOf("P2"), nullptr);
    EXPECT_EQ(*chart.colourOf("P2"), (Rgb{0, 0, 255}));
    EXPECT_EQ(chart.colourOf("nobody"), nullptr);

    // The thirteenth name (P12) gets a colour off the palette, the same one on every load.
    const Rgb thirteenth = items[13].colour;
    std::set<std::tuple<int, int, int>> palette;
    for (int i = 0; i < ChartPalette::kFixedColours; ++i) {
        const Rgb c = ChartPalette::fixedColour(i);
        palette.insert({c.r, c.g, c.b});
    }
    EXPECT_EQ(palette.count({thirteenth.r, thirteenth.g, thirteenth.b}), 0u);
    EXPECT_NE(items[14].colour, thirteenth);
    ASSERT_TRUE(chart.load(fs, set.files()));
    EXPECT_EQ(chart.items()[13].colour, thirteenth);
    EXPECT_EQ(chart.colourCounter(), 14);
}

TEST_F(WeekChartLoad, AnUnreadableTimeFramesFileKeepsTheLoadedItems) {
    set.writeProjects({"Alpha", "Beta"});
    set.append({0, at(1996, 12, 10, 9), at(1996, 12, 10, 10)});
    WeekChart chart(at(1996, 12, 11, 10));
    ASSERT_TRUE(chart.load(fs, set.files()));

    set.append({1, at(1996, 12, 10, 11), at(1996, 12, 10, 12)});
    test::FaultyFileSystem faulty;
    faulty.failEvery(test::FaultyFileSystem::Op::Read);
    EXPECT_FALSE(chart.load(faulty, set.files()));
    EXPECT_EQ(chart.items().size(), 1u);

    std::filesystem::remove(set.path(FileKind::TimeFrames));
    const Status st = chart.load(fs, set.files());
    EXPECT_FALSE(st);
    EXPECT_EQ(st.message(), "Cannot open time frames file : " + set.path(FileKind::TimeFrames));
    ASSERT_EQ(chart.items().size(), 1u);
    EXPECT_EQ(chart.items()[0].name, "Alpha");
    EXPECT_EQ(chart.colourCounter(), 1);
}

TEST_F(WeekChartLoad, UnreadableProjectsGiveUnnamedBarsAndOneMessage) {
    set.append({0, at(1996, 12, 10, 9), at(1996, 12, 10, 10)});
    set.append({7, at(1996, 12, 10, 11), at(1996, 12, 10, 12)});
    std::filesystem::remove(set.path(FileKind::Projects));

    WeekChart chart(at(1996, 12, 11, 10));
    const Status st = chart.load(fs, set.files());
    EXPECT_EQ(st.message(), "Cannot open project file : " + set.path(FileKind::Projects));
    ASSERT_EQ(chart.items().size(), 2u);
    EXPECT_EQ(chart.items()[0].name, "");
    EXPECT_EQ(chart.items()[1].colour, chart.items()[0].colour);
}

// A frame outlives a deleted project; its bar is named by the id, one colour per id.
TEST_F(WeekChartLoad, FramesOfDeletedProjectsAreNamedByTheirIds) {
    set.writeProjects({"Alpha"});
    set.append({0, at(1996, 12, 10, 9), at(1996, 12, 10, 10)});
    set.append({7, at(1996, 12, 10, 11), at(1996, 12, 10, 12)});
    set.append({8, at(1996, 12, 11, 11), at(1996, 12, 11, 12)});
    WeekChart chart(at(1996, 12, 11, 10));
    ASSERT_TRUE(chart.load(fs, set.files()));
    ASSERT_EQ(chart.items().size(), 3u);
    EXPECT_EQ(chart.items()[0].name, "Alpha");
    EXPECT_EQ(chart.items()[1].name, "(deleted project 7)");
    EXPECT_EQ(chart.items()[2].name, "(deleted project 8)");
    EXPECT_NE(chart.items()[1].colour, chart.items()[2].colour);
}

class WeekChartWeeks : public ::testing::Test {
protected:
    test::PinnedZone zone{"America/New_York"};

    // The first second of a Monday: 00:00, or 01:00 where the clocks skip midnight.
    static void expectMondayStart(std::int32_t t) {
        EXPECT_EQ(calendar::toLocal(t).weekday, 1) << t;
        EXPECT_EQ(calendar::toLocal(t - 1).weekday, 0) << t;
        EXPECT_LE(calendar::toLocal(t).hour, 1) << t;
        EXPECT_EQ(calendar::toLocal(t).minute, 0) << t;
    }
};

TEST_F(WeekChartWeeks, StartsOnTheWeekOfNowAndMovesAcrossTheYearEnd) {
    WeekChart chart(at(1997, 1, 1, 15));  // a Wednesday
    EXPECT_EQ(chart.weekStart(), at(1996, 12, 30));
    chart.showNextWeek();
    EXPECT_EQ(chart.weekStart(), at(1997, 1, 6));
    chart.showPreviousWeek();
    chart.showPreviousWeek();
    EXPECT_EQ(chart.weekStart(), at(1996, 12, 23));
    chart.showWeekOf(at(1996, 12, 11, 10));
    EXPECT_EQ(chart.weekStart(), at(1996, 12, 9));
}

TEST_F(WeekChartWeeks, WeeksAcrossBothDaylightSavingChangesKeepSevenWholeDays) {
    // 1996: clocks went forward on Sunday 7 April and back on Sunday 27 October.
    for (const auto& [monday, length] : {std::pair{at(1996, 4, 1), 7 * 86400 - 3600},
                                         std::pair{at(1996, 10, 21), 7 * 86400 + 3600}}) {
        WeekChart chart(monday + 3 * 86400);
        EXPECT_EQ(chart.weekStart(), monday);
        const auto days = chart.days();
        for (std::size_t d = 0; d < 7; ++d) {
            const auto start = calendar::toLocal(days[d].start);
            const auto end = calendar::toLocal(days[d].end);
            EXPECT_EQ(start.weekday, static_cast<int>((d + 1) % 7));
            EXPECT_EQ(start.hour + start.minute + start.second, 0);
            EXPECT_EQ(end.day, start.day);
            EXPECT_EQ(end.hour * 3600 + end.minute * 60 + end.second, 86399);
            if (d > 0) {
                EXPECT_EQ(days[d].start, days[d - 1].end + 1);
            }
        }
        EXPECT_EQ(days[6].end + 1 - days[0].start, length);
        chart.showNextWeek();
        EXPECT_EQ(chart.weekStart(), days[6].end + 1);
        chart.showPreviousWeek();
        EXPECT_EQ(chart.weekStart(), monday);
    }
}

TEST_F(WeekChartWeeks, NavigationAlwaysLandsOnTheStartOfAMonday) {
    for (const char* name : {"America/Sao_Paulo", "Australia/Sydney"}) {
        SCOPED_TRACE(name);
        test::pinZone(name);
        WeekChart chart(at(1996, 12, 11, 10));
        const std::int32_t origin = chart.weekStart();
        std::vector<std::int32_t> seen{origin};
        for (int i = 0; i < 60; ++i) {
            chart.showNextWeek();
            expectMondayStart(chart.weekStart());
            EXPECT_GT(chart.weekStart(), seen.back());
            seen.push_back(chart.weekStart());
        }
        for (int i = 59; i >= 0; --i) {
            chart.showPreviousWeek();
            EXPECT_EQ(chart.weekStart(), seen[static_cast<std::size_t>(i)]);
        }
    }
}

TEST_F(WeekChartWeeks, AMondayWithoutAMidnightStartsAtOne) {
    // In Sao Paulo the clocks went from 00:00 to 01:00 on Monday 6 October 1997.
    test::pinZone("America/Sao_Paulo");
    WeekChart chart(at(1997, 10, 1, 12));
    const auto before = chart.days();
    chart.showNextWeek();
    EXPECT_EQ(chart.weekStart(), before[6].end + 1);
    EXPECT_EQ(calendar::toLocal(chart.weekStart()).hour, 1);
    EXPECT_EQ(chart.days()[0].end - chart.days()[0].start + 1, 23 * 3600);
    chart.showPreviousWeek();
    EXPECT_EQ(chart.weekStart(), before[0].start);
}

TEST(WeekChartHours, ShowsEightToTwentyAndRefusesHoursOutsideTheDay) {
    WeekChart chart(0);
    EXPECT_EQ(chart.firstMinute(), 480);
    EXPECT_EQ(chart.lastMinute(), 1200);
    EXPECT_TRUE(chart.setHours(0, 24));
    EXPECT_EQ(chart.lastMinute(), 1440);
    EXPECT_FALSE(chart.setHours(9, 9));
    EXPECT_FALSE(chart.setHours(-1, 5));
    EXPECT_FALSE(chart.setHours(3, 25));
    EXPECT_FALSE(chart.setHours(10, 9));
    EXPECT_EQ(chart.firstMinute(), 0);
    EXPECT_EQ(chart.lastMinute(), 1440);
    EXPECT_TRUE(chart.setHours(9, 17));
    EXPECT_EQ(chart.hours().start, 9);
    EXPECT_EQ(chart.hours().end, 17);
}

TEST(ChartHoursDialog, OpensOnTheHoursANewChartShowsAndKnowsTheValidOnes) {
    const ChartHours fresh;
    EXPECT_EQ(WeekChart(0).hours().start, fresh.start);
    EXPECT_EQ(WeekChart(0).hours().end, fresh.end);
    struct Case {
        ChartHours hours;
        bool valid;
    };
    const Case cases[] = {{{8, 20}, true}, {{0, 24}, true}, {{23, 24}, true}, {{0, 1}, true},   {{9, 9}, false},
                          {{-1, 5}, false}, {{3, 25}, false}, {{10, 9}, false}, {{24, 24}, false}};
    for (const Case& c : cases) {
        EXPECT_EQ(c.hours.isValid(), c.valid) << c.hours.start << "-" << c.hours.end;
        // The chart takes exactly the hours the rule allows.
        EXPECT_EQ(WeekChart(0).setHours(c.hours.start, c.hours.end), c.valid) << c.hours.start << "-" << c.hours.end;
    }
}

TEST(ChartHoursDialog, StepsStayWithinTheDayAndNeverMeet) {
    ChartHours hours;
    EXPECT_EQ(ChartHours::text(hours.start), "08:00");
    hours.stepStart(20);
    EXPECT_EQ(hours.start, 19);
    hours.stepEnd(10);
    EXPECT_EQ(hours.end, 24);
    hours.stepStart(-30);
    hours.stepEnd(-30);
    EXPECT_EQ(hours.start, 0);
    EXPECT_EQ(hours.end, 1);
    EXPECT_EQ(ChartHours::text(hours.end), "01:00");
}

}  // namespace
}  // namespace ql
