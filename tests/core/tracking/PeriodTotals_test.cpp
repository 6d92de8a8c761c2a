#include "core/tracking/PeriodTotals.h"

#include "TrackingFixture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <limits>
#include <numeric>
#include <random>
#include <vector>

namespace ql {
namespace {

class PeriodTotalsTest : public testing::TrackingFixture {
protected:
    static std::array<std::int64_t, kPeriodCount> minutesOf(const PeriodTotals& t) {
        return {t.periods[0].minutes, t.periods[1].minutes, t.periods[2].minutes, t.periods[3].minutes};
    }
    using Minutes = std::array<std::int64_t, kPeriodCount>;

    // Rates whose charges round differently in another order, a repeated id, ids far beyond
    // the others and below 0; kFrameIds adds ids no project has.
    ProjectIndex writeAwkwardRates() {
        std::vector<ProjectRecord> records;
        auto project = [&](std::int32_t id, double rate) {
            ProjectRecord r;
            r.id = id;
            r.chargesPerHour = rate;
            records.push_back(r);
        };
        for (std::int32_t id = 0; id < 10; ++id) project(id, 17.3 * id + 0.1);
        project(3, 999.0);     // a second record with an id: the first one counts
        project(70000, 41.7);  // far beyond the others
        project(-5, 12.5);
        EXPECT_TRUE(writeProjects(m_fs, path(FileKind::Projects), records));
        return ProjectIndex(records);
    }
    static constexpr std::int32_t kFrameIds[] = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 70000, -5, 11, -1};

    // The sums of the plain rule, frame by frame in file order.
    struct PlainSums {
        Minutes minutes{};
        std::array<double, kPeriodCount> charges{};
    };
    static PlainSums plainSums(const std::vector<TimeFrameRecord>& frames,
                               const std::array<PeriodTotal, kPeriodCount>& periods, const ProjectIndex& index) {
        PlainSums sums;
        for (const auto& f : frames)
            for (std::size_t p = 0; p < kPeriodCount; ++p) {
                if (f.start < periods[p].start || f.start > periods[p].end) continue;
                const auto minutes = static_cast<std::int32_t>((std::int64_t{f.end} - f.start) / 60);
                sums.minutes[p] += minutes;
                sums.charges[p] += index.chargesPerHour(f.projectId) * 0.016666666666666666 * minutes;
            }
        return sums;
    }
};

TEST_F(PeriodTotalsTest, LabelsFollowTheDateOrderOfTheSettings) {
    const auto us = computeTotals(m_fs, m_set, at(1996, 12, 11, 10));
    EXPECT_EQ(us[Period::Today].label, "Today (12/11/1996)");
    EXPECT_EQ(us[Period::ThisWeek].label, "This week (12/09/1996 - 12/15/1996)");
    EXPECT_EQ(us[Period::ThisMonth].label, "This month (12/01/1996 - 12/31/1996)");
    EXPECT_EQ(us[Period::ThisYear].label, "This year (01/01/1996 - 12/31/1996)");
    EXPECT_EQ(us.monetarySymbol, "$");
    EXPECT_TRUE(us.failures.empty());

    const auto february = computeTotals(m_fs, m_set, at(1996, 2, 14, 9));
    EXPECT_EQ(february[Period::ThisMonth].label, "This month (02/01/1996 - 02/29/1996)");

    auto settings = readSettings(m_fs, m_set).value();
    settings.dateFormat = 0;
    settings.monetarySymbol = "EUR";
    ASSERT_TRUE(writeSettings(m_fs, settings, m_set));
    const auto dayFirst = computeTotals(m_fs, m_set, at(1996, 12, 11, 10));
    EXPECT_EQ(dayFirst[Period::ThisWeek].label, "This week (09/12/1996 - 15/12/1996)");
    EXPECT_EQ(dayFirst.monetarySymbol, "EUR");
}

TEST_F(PeriodTotalsTest, LabelsAtTheThirtyTwoBitEndsNameTheRealDates) {
    // The periods' instants are pinned to the range, their labels are not.
    const auto late = computeTotals(m_fs, m_set, at(2038, 1, 18, 12));
    EXPECT_EQ(late[Period::ThisWeek].label, "This week (01/18/2038 - 01/24/2038)");
    EXPECT_EQ(late[Period::ThisMonth].label, "This month (01/01/2038 - 01/31/2038)");
    EXPECT_EQ(late[Period::ThisYear].label, "This year (01/01/2038 - 12/31/2038)");
    EXPECT_EQ(late[Period::ThisYear].end, std::numeric_limits<std::int32_t>::max());

    const auto early = computeTotals(m_fs, m_set, at(1901, 12, 14, 12));
    EXPECT_EQ(early[Period::ThisWeek].label, "This week (12/09/1901 - 12/15/1901)");
    EXPECT_EQ(early[Period::ThisYear].label, "This year (01/01/1901 - 12/31/1901)");
}

TEST_F(PeriodTotalsTest, AFrameCountsWholeInThePeriodsOfItsStartOnly) {
    writeProjectRates({{"Design", 30.0}});
    addFrame(0, at(1996, 12, 15, 23, 30), at(1996, 12, 16, 0, 30));  // Sunday to Monday

    const auto sunday = computeTotals(m_fs, m_set, at(1996, 12, 15, 23, 50));
    EXPECT_EQ(minutesOf(sunday), (Minutes{60, 60, 60, 60}));
    EXPECT_DOUBLE_EQ(sunday[Period::Today].charges, 30.0);

    const auto monday = computeTotals(m_fs, m_set, at(1996, 12, 16, 10));
    EXPECT_EQ(minutesOf(monday), (Minutes{0, 0, 60, 60}));
    EXPECT_DOUBLE_EQ(monday[Period::Today].charges, 0.0);
}

TEST_F(PeriodTotalsTest, PeriodEndsAreInclusiveAndPartialMinutesDropped) {
    writeProjectRates({{"Design", 60.0}, {"Support", 90.0}});
    const std::int32_t now = at(1996, 12, 11, 10);
    addFrame(0, at(1996, 12, 11, 0, 0, 0), at(1996, 12, 11, 0, 1, 59));  // 119 s at the day's first second
    addFrame(1, at(1996, 12, 11, 23, 59, 59), at(1996, 12, 12, 0, 0, 59));  // 60 s at its last
    addFrame(1, at(1996, 12, 11, 12), at(1996, 12, 11, 12, 0, 59));          // 59 s: nothing
    addFrame(0, at(1996, 12, 10, 23, 59, 59), at(1996, 12, 11, 1, 0, 0));  // the day before: week only
    addFrame(1, at(1996, 11, 30, 12), at(1996, 11, 30, 14));  // last month: year only
    addFrame(0, at(1995, 12, 31, 12), at(1995, 12, 31, 14));  // last year: nowhere

    const auto totals = computeTotals(m_fs, m_set, now);
    EXPECT_EQ(minutesOf(totals), (Minutes{2, 62, 62, 182}));
    EXPECT_DOUBLE_EQ(totals[Period::Today].charges, 1.0 + 1.5);
    EXPECT_DOUBLE_EQ(totals[Period::ThisYear].charges, 2.5 + 60.0 + 180.0);
    EXPECT_TRUE(totals.failures.empty());
}

TEST_F(PeriodTotalsTest, TheWeekReachesIntoThePreviousYear) {
    writeProjectRates({{"Design", 60.0}});
    addFrame(0, at(1996, 12, 30, 9), at(1996, 12, 30, 10));  // Monday before New Year's Day
    const auto totals = computeTotals(m_fs, m_set, at(1997, 1, 1, 12));
    EXPECT_EQ(minutesOf(totals), (Minutes{0, 60, 0, 0}));
}

TEST_F(PeriodTotalsTest, AnUnknownProjectCountsItsTimeAtNoCharge) {
    writeProjectRates({{"Design", 60.0}});
    addFrame(0, at(1996, 12, 11, 8), at(1996, 12, 11, 9));
    addFrame(77, at(1996, 12, 11, 9), at(1996, 12, 11, 10));
    const auto totals = computeTotals(m_fs, m_set, at(1996, 12, 11, 10));
    EXPECT_EQ(totals[Period::Today].minutes, 120);
    EXPECT_DOUBLE_EQ(totals[Period::Today].charges, 60.0);
    EXPECT_TRUE(totals.failures.empty());
}

TEST_F(PeriodTotalsTest, AMissingProjectsFileIsReportedOnceNotPerFrame) {
    writeFrames(std::vector<TimeFrameRecord>(50, {0, at(1996, 12, 11, 8), at(1996, 12, 11, 8, 10)}));
    std::filesystem::remove(path(FileKind::Projects));
    const auto totals = computeTotals(m_fs, m_set, at(1996, 12, 11, 10));
    ASSERT_EQ(totals.failures.size(), 1u);
    EXPECT_EQ(totals.failures[0].message(), "Cannot open project file : " + path(FileKind::Projects));
    EXPECT_EQ(totals[Period::Today].minutes, 500);
    EXPECT_DOUBLE_EQ(totals[Period::Today].charges, 0.0);
}

TEST_F(PeriodTotalsTest, AMissingTimeFramesFileLeavesZeroTotalsAndLabels) {
    std::filesystem::remove(path(FileKind::TimeFrames));
    std::filesystem::remove(path(FileKind::Projects));
    const auto totals = computeTotals(m_fs, m_set, at(1996, 12, 11, 10));
    ASSERT_EQ(totals.failures.size(), 1u);  // no frame needed a project
    EXPECT_EQ(totals.failures[0].message(), "Cannot open time frames file : " + path(FileKind::TimeFrames));
    EXPECT_EQ(minutesOf(totals), (Minutes{0, 0, 0, 0}));
    EXPECT_EQ(totals[Period::Today].label, "Today (12/11/1996)");
}

TEST_F(PeriodTotalsTest, UnreadableSettingsGiveDayFirstDatesAndNoSymbolSilently) {
    std::filesystem::remove(m_settingsPath);
    const auto totals = computeTotals(m_fs, m_set, at(1996, 12, 11, 10));
    EXPECT_EQ(totals[Period::Today].label, "Today (11/12/1996)");
    EXPECT_EQ(totals.monetarySymbol, "");
    EXPECT_TRUE(totals.failures.empty());
}

// The straightforward rule, frame by frame, must give the same sums to the last bit.
TEST_F(PeriodTotalsTest, MatchesTheFrameByFrameRuleExactly) {
    const ProjectIndex index = writeAwkwardRates();
    const auto& ids = kFrameIds;

    std::mt19937 rng(7);
    const std::int32_t from = at(1996, 12, 1), to = at(1997, 1, 31);
    std::uniform_int_distribution<std::int32_t> start(from, to), length(-120, 5 * 3600);
    std::uniform_int_distribution<std::size_t> pick(0, std::size(ids) - 1);
    std::vector<TimeFrameRecord> frames;
    for (int i = 0; i < 3000; ++i) {
        const std::int32_t s = start(rng);
        frames.push_back({ids[pick(rng)], s, s + length(rng)});
    }
    writeFrames(frames);

    for (const std::int32_t now : {at(1997, 1, 1, 12), at(1996, 12, 29, 18), at(1997, 1, 31, 23, 59, 59)}) {
        const auto totals = computeTotals(m_fs, m_set, now);
        for (std::size_t p = 0; p < kPeriodCount; ++p) {
            std::int64_t minutes = 0;
            double charges = 0.0;
            for (const auto& f : frames) {
                if (f.start < totals.periods[p].start || f.start > totals.periods[p].end) continue;
                minutes += (f.end - f.start) / 60;
                charges += index.chargesPerHour(f.projectId) * 0.016666666666666666 * ((f.end - f.start) / 60);
            }
            EXPECT_EQ(totals.periods[p].minutes, minutes) << p;
            EXPECT_EQ(totals.periods[p].charges, charges) << p;
        }
    }
}

// The scan sifts frames by their start sixteen at a time, in blocks within each chunk read,
// and skips runs that lie outside; whatever the order, the number and the place of the frames,
// each sum must be the plain rule's to the last bit, for a full recomputation and a keeper alike.
TEST_F(PeriodTotalsTest, SumsAreThePlainRulesBitForBit) {
    const ProjectIndex index = writeAwkwardRates();
    using Periods = std::array<PeriodTotal, kPeriodCount>;
    constexpr std::int64_t kMin = std::numeric_limits<std::int32_t>::min();
    constexpr std::int64_t kMax = std::numeric_limits<std::int32_t>::max();
    constexpr std::int64_t kDay = 86400;
    constexpr auto kToday = static_cast<std::size_t>(Period::Today);
    constexpr auto kWeek = static_cast<std::size_t>(Period::ThisWeek);
    constexpr auto kYear = static_cast<std::size_t>(Period::ThisYear);

    std::mt19937 rng(28);
    auto uniform = [&](std::int64_t from, std::int64_t to) {  // clamped to the 32-bit range
        return static_cast<std::int32_t>(
            std::uniform_int_distribution<std::int64_t>(std::max(from, kMin), std::min(to, kMax))(rng));
    };
    // A frame of a random project, up to five hours long and sometimes ending before it starts.
    auto frameFrom = [&](std::int32_t start) {
        const auto id = kFrameIds[std::uniform_int_distribution<std::size_t>(0, std::size(kFrameIds) - 1)(rng)];
        return TimeFrameRecord{id, start, uniform(std::int64_t{start} - 120, std::int64_t{start} + 5 * 3600)};
    };
    auto framesFrom = [&](std::size_t count, const std::function<std::int32_t()>& start) {
        std::vector<TimeFrameRecord> frames;
        for (std::size_t i = 0; i < count; ++i) frames.push_back(frameFrom(start()));
        return frames;
    };
    auto spread = [&](std::size_t count, const Periods&) {
        return framesFrom(count, [&] { return uniform(at(1994, 1, 1), at(1997, 2, 28)); });
    };
    auto inAppendOrder = [&](std::size_t count, const Periods& periods) {
        auto frames = spread(count, periods);
        std::sort(frames.begin(), frames.end(), [](const auto& a, const auto& b) { return a.start < b.start; });
        return frames;
    };
    auto allInside = [&](std::size_t count, const Periods& periods) {
        return framesFrom(count, [&] { return uniform(periods[kToday].start, periods[kToday].end); });
    };
    auto noneInside = [&](std::size_t count, const Periods& periods) {
        // Outside the year and the week, which may reach beyond it; at the 32-bit ends one side is empty.
        const std::int64_t first = std::min(periods[kYear].start, periods[kWeek].start);
        const std::int64_t last = std::max(periods[kYear].end, periods[kWeek].end);
        return framesFrom(count, [&] {
            const bool before = first > kMin && (last == kMax || uniform(0, 1) == 0);
            return before ? uniform(first - 400 * kDay, first - 1) : uniform(last + 1, last + 400 * kDay);
        });
    };
    auto atTheBounds = [&](std::size_t count, const Periods& periods) {
        std::vector<std::int32_t> starts;
        for (const auto& period : periods)
            for (const std::int64_t s : {std::int64_t{period.start} - 1, std::int64_t{period.start},
                                         std::int64_t{period.end}, std::int64_t{period.end} + 1})
                if (s >= kMin && s <= kMax) starts.push_back(static_cast<std::int32_t>(s));
        return framesFrom(count, [&] { return starts[static_cast<std::size_t>(uniform(0, std::ssize(starts) - 1))]; });
    };
    auto atTheEnds = [&](std::size_t count, const Periods&) {
        // The first and last instants, and frames reaching from one end to the other.
        auto frames = framesFrom(count, [&] {
            switch (uniform(0, 3)) {
            case 0: return static_cast<std::int32_t>(kMin + uniform(0, 2));
            case 1: return static_cast<std::int32_t>(kMax - uniform(0, 2));
            case 2: return uniform(kMin, kMin + 30 * kDay);
            default: return uniform(kMax - 30 * kDay, kMax);
            }
        });
        for (auto& f : frames)
            if (uniform(0, 3) == 0) f.end = static_cast<std::int32_t>(f.start < 0 ? kMax : kMin);
        return frames;
    };

    // Wednesday mid-month; New Year's Eve and Day, whose week reaches into the next and the previous year.
    const std::vector<std::int32_t> inTheData = {at(1996, 12, 11, 10), at(1996, 12, 31, 23, 59, 59), at(1997, 1, 1)};
    std::vector<std::int32_t> anyTime = inTheData;
    anyTime.insert(anyTime.end(), {at(2038, 1, 18, 12), at(1901, 12, 14, 12)});  // periods cut at the 32-bit ends
    // Every count of frames left after whole steps of sixteen, and a block's end (2048) crossed.
    std::vector<std::size_t> smallCounts(18);
    std::iota(smallCounts.begin(), smallCounts.end(), std::size_t{0});
    smallCounts.insert(smallCounts.end(), {31, 33, 2100});
    const std::vector<std::size_t> chunks = {25000};  // several chunks read and blocks

    struct Case {
        const char* name;
        std::function<std::vector<TimeFrameRecord>(std::size_t, const Periods&)> frames;
        const std::vector<std::int32_t>& nows;
        const std::vector<std::size_t>& counts;
    };
    const Case cases[] = {
        {"in append order", inAppendOrder, inTheData, chunks},
        {"shuffled", spread, inTheData, chunks},
        {"all inside", allInside, anyTime, smallCounts},
        {"none inside", noneInside, anyTime, smallCounts},
        {"at the bounds of the periods", atTheBounds, anyTime, smallCounts},
        {"at the 32-bit ends", atTheEnds, anyTime, smallCounts},
    };
    for (const Case& c : cases)
        for (const std::int32_t now : c.nows)
            for (const std::size_t count : c.counts) {
                SCOPED_TRACE(::testing::Message() << c.name << ", " << count << " frames, now " << now);
                const Periods periods = computeTotals(m_fs, m_set, now).periods;
                const std::vector<TimeFrameRecord> frames = c.frames(count, periods);
                writeFrames(frames);
                const PlainSums plain = plainSums(frames, periods, index);
                TotalsKeeper keeper;
                for (const PeriodTotals& totals : {computeTotals(m_fs, m_set, now), keeper.update(m_fs, m_set, now)})
                    for (std::size_t p = 0; p < kPeriodCount; ++p) {
                        EXPECT_EQ(totals.periods[p].minutes, plain.minutes[p]) << "period " << p;
                        EXPECT_EQ(std::bit_cast<std::uint64_t>(totals.periods[p].charges),
                                  std::bit_cast<std::uint64_t>(plain.charges[p]))
                            << "period " << p << ": " << totals.periods[p].charges << " for " << plain.charges[p];
                    }
            }
}

// Frames are sifted four at a time within each chunk read; no count may drop or repeat one.
TEST_F(PeriodTotalsTest, EveryFrameCountsWhateverItsPlaceInTheFile) {
    writeProjectRates({{"Design", 60.0}});
    const std::int32_t now = at(1996, 12, 11, 10);
    const std::size_t perChunk = (std::size_t{1} << 17) / TimeFrameRecord::kSize;
    for (const std::size_t n : {std::size_t{1}, std::size_t{2}, std::size_t{3}, std::size_t{5}, std::size_t{7},
                                perChunk + 5, 2 * perChunk + 3}) {
        std::vector<TimeFrameRecord> frames;
        std::int64_t expected = 0;
        for (std::size_t i = 0; i < n; ++i) {
            const std::int32_t minutes = static_cast<std::int32_t>(i % 7 + 1);
            const bool today = i % 3 != 1;
            const std::int32_t start = today ? at(1996, 12, 11, 8) : at(1995, 6, 1, 8);
            frames.push_back({0, start, start + minutes * 60});
            if (today) expected += minutes;
        }
        writeFrames(frames);
        const auto totals = computeTotals(m_fs, m_set, now);
        EXPECT_EQ(minutesOf(totals), (Minutes{expected, expected, expected, expected})) << n;
        EXPECT_DOUBLE_EQ(totals[Period::Today].charges, static_cast<double>(expected)) << n;
    }
}

TEST_F(PeriodTotalsTest, ReadsEachFileOnce) {
    writeProjectRates({{"Design", 60.0}});
    writeFrames(std::vector<TimeFrameRecord>(1000, {0, at(1996, 12, 11, 8), at(1996, 12, 11, 9)}));
    m_fs.resetCounts();
    (void)computeTotals(m_fs, m_set, at(1996, 12, 11, 10));
    EXPECT_EQ(m_fs.reads(m_settingsPath), 1);
    EXPECT_EQ(m_fs.reads(path(FileKind::Projects)), 1);
    EXPECT_EQ(m_fs.reads(path(FileKind::TimeFrames)), 1);
    EXPECT_EQ(m_fs.totalReads(), 3);
}

}  // namespace
}  // namespace ql
