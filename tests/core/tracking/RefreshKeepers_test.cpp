// The view's totals and week chart are brought up to date by reading only what changed; these
// tests hold them to a full recomputation after any mix of changes.
#include "core/chart/WeekChart.h"
#include "core/tracking/PeriodTotals.h"

#include "TrackingFixture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <filesystem>
#include <cstdint>
#include <fstream>
#include <random>
#include <string>
#include <vector>

namespace ql {
namespace {

class RefreshKeepers : public testing::TrackingFixture {
protected:
    void SetUp() override {
        TrackingFixture::SetUp();
        std::vector<std::pair<std::string, double>> projects;
        // More names than the palette's fixed colours, so the order colours are handed out in counts.
        for (int i = 0; i < 16; ++i) projects.emplace_back("P" + std::to_string(i), 10.0 + 7.25 * i);
        writeProjectRates(projects);
    }

    // Bitwise: the kept sums must be added in the very order of a full scan.
    void expectTotalsAsComputed(TotalsKeeper& keeper, std::int32_t now, const std::string& step) {
        const PeriodTotals kept = keeper.update(m_fs, m_set, now);
        const PeriodTotals full = computeTotals(defaultFileSystem(), m_set, now);
        for (std::size_t p = 0; p < kPeriodCount; ++p) {
            EXPECT_EQ(kept.periods[p].label, full.periods[p].label) << step;
            EXPECT_EQ(kept.periods[p].minutes, full.periods[p].minutes) << step << " period " << p;
            EXPECT_EQ(std::bit_cast<std::uint64_t>(kept.periods[p].charges),
                      std::bit_cast<std::uint64_t>(full.periods[p].charges))
                << step << " period " << p;
        }
        EXPECT_EQ(kept.monetarySymbol, full.monetarySymbol) << step;
        EXPECT_EQ(kept.failures.size(), full.failures.size()) << step;
    }

    void expectChartAsLoaded(WeekChart& kept, const std::string& step) {
        ASSERT_TRUE(kept.refresh(m_fs, m_set)) << step;
        WeekChart full(kept.weekStart());
        ASSERT_TRUE(full.load(defaultFileSystem(), m_set)) << step;
        EXPECT_EQ(kept.items(), full.items()) << step;
        EXPECT_EQ(kept.colourCounter(), full.colourCounter()) << step;
    }

    TimeFrameRecord randomFrame(std::mt19937& random, std::int32_t around) {
        // Three weeks either side, so frames fall in and out of every period and the chart's week.
        std::uniform_int_distribution<std::int32_t> offset(-21 * 86400, 21 * 86400);
        std::uniform_int_distribution<std::int32_t> length(0, 5 * 3600);
        std::uniform_int_distribution<std::int32_t> project(0, 17);  // 16 and 17 are unknown
        const std::int32_t start = around + offset(random);
        return {project(random), start, start + length(random)};
    }

    std::vector<TimeFrameRecord> frames() { return loadTimeFrames(m_fs, path(FileKind::TimeFrames)).value(); }

    // Bytes added at the end without a record boundary, as a write cut short leaves them.
    void appendTornBytes(std::size_t n) {
        std::ofstream out(path(FileKind::TimeFrames), std::ios::binary | std::ios::app);
        out.write("\x01\x02\x03\x04\x05\x06\x07\x08\x09\x0a\x0b", static_cast<std::streamsize>(n));
    }
};

TEST_F(RefreshKeepers, EqualAFullRecomputationAfterAnyMixOfAppendsRewritesAndRemovals) {
    std::mt19937 random(20261209);
    const std::int32_t base = at(1996, 12, 11, 10);
    std::int32_t now = base;
    TotalsKeeper totals;
    WeekChart chart(now);
    std::vector<TimeFrameRecord> initial;
    for (int i = 0; i < 400; ++i) initial.push_back(randomFrame(random, base));
    writeFrames(initial);

    std::uniform_int_distribution<int> operation(0, 99);
    for (int step = 0; step < 300; ++step) {
        const int op = operation(random);
        std::string what;
        if (op < 45) {
            what = "append";
            const int n = 1 + static_cast<int>(random() % 4);
            for (int i = 0; i < n; ++i) {
                const TimeFrameRecord f = randomFrame(random, base);
                addFrame(f.projectId, f.start, f.end);
            }
        } else if (op < 60) {
            what = "remove";
            const auto all = frames();
            if (!all.empty()) {
                ASSERT_TRUE(removeTimeFrame(m_fs, path(FileKind::TimeFrames), all[random() % all.size()]));
            }
        } else if (op < 70) {
            what = "rewrite";
            auto all = frames();
            std::shuffle(all.begin(), all.end(), random);
            all.resize(all.size() / 2);
            for (int i = 0; i < 3; ++i) all.push_back(randomFrame(random, base));
            writeFrames(all);
        } else if (op < 76) {
            what = "update";
            const auto all = frames();
            if (!all.empty()) {
                ASSERT_TRUE(updateTimeFrame(m_fs, path(FileKind::TimeFrames), all[random() % all.size()],
                                            randomFrame(random, base)));
            }
        } else if (op < 80) {
            what = "torn tail";
            appendTornBytes(1 + random() % 11);
        } else if (op < 85) {
            what = "new rates";
            std::vector<std::pair<std::string, double>> projects;
            for (int i = 0; i < 16; ++i) projects.emplace_back("Q" + std::to_string(random() % 20), 0.5 * static_cast<double>(random() % 200));
            writeProjectRates(projects);
        } else if (op < 90) {
            what = "another day";
            now = base + static_cast<std::int32_t>(random() % (20 * 86400)) - 10 * 86400;
        } else if (op < 95) {
            what = "another week";
            if (random() % 2) chart.showPreviousWeek();
            else chart.showNextWeek();
        } else {
            what = "nothing";
        }
        const std::string label = "step " + std::to_string(step) + " (" + what + ")";
        expectTotalsAsComputed(totals, now, label);
        expectChartAsLoaded(chart, label);
        if (HasFailure()) return;
    }
}

TEST_F(RefreshKeepers, ReadNothingWhenNothingChangedAndOnlyTheTailOfAnAppend) {
    std::vector<TimeFrameRecord> many;
    const std::int32_t now = at(1996, 12, 11, 10);
    for (int i = 0; i < 20000; ++i) many.push_back({i % 16, now - i * 600, now - i * 600 + 300});
    writeFrames(many);
    TotalsKeeper totals;
    WeekChart chart(now);
    expectTotalsAsComputed(totals, now, "first");
    expectChartAsLoaded(chart, "first");

    m_fs.resetCounts();
    expectTotalsAsComputed(totals, now, "unchanged");
    expectChartAsLoaded(chart, "unchanged");
    EXPECT_EQ(m_fs.reads(path(FileKind::TimeFrames)), 0);
    EXPECT_EQ(m_fs.reads(path(FileKind::Projects)), 0);

    addFrame(3, now - 60, now);
    m_fs.resetCounts();
    expectTotalsAsComputed(totals, now, "appended");
    expectChartAsLoaded(chart, "appended");
    // Beside the settings record the totals read for their labels, each keeper reads the last
    // record it knew (to check it is still there) and the new one.
    const auto settingsBytes = std::filesystem::file_size(m_settingsPath);
    EXPECT_EQ(m_fs.bytesRead(), settingsBytes + 2 * 2 * TimeFrameRecord::kSize);
}

TEST_F(RefreshKeepers, ReadEverythingAgainWhenTheFileChangedInPlace) {
    const std::int32_t now = at(1996, 12, 11, 10);
    writeFrames({{0, now - 7200, now - 3600}, {1, now - 3600, now - 1800}});
    TotalsKeeper totals;
    WeekChart chart(now);
    expectTotalsAsComputed(totals, now, "first");
    expectChartAsLoaded(chart, "first");

    // Same inode, larger, and the records already read are no longer there: no tail to trust.
    {
        std::vector<unsigned char> bytes;
        for (const TimeFrameRecord& f :
             {TimeFrameRecord{2, now - 600, now}, TimeFrameRecord{3, now - 500, now}, TimeFrameRecord{4, now - 400, now}}) {
            const auto b = encodeTimeFrame(f);
            bytes.insert(bytes.end(), b.begin(), b.end());
        }
        std::fstream out(path(FileKind::TimeFrames), std::ios::binary | std::ios::in | std::ios::out);
        out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    }
    expectTotalsAsComputed(totals, now, "changed in place");
    expectChartAsLoaded(chart, "changed in place");
}

}  // namespace
}  // namespace ql
