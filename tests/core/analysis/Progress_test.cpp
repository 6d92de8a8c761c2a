#include "core/Progress.h"
#include "core/analysis/ExportWriter.h"
#include "core/analysis/PieChart.h"

#include "core/tracking/TrackingFixture.h"

#include <functional>
#include <string>
#include <vector>

namespace ql {
namespace {

// Records what it is told and stops at the advance numbered stopAt (from 1); never when 0.
class CountingProgress final : public Progress {
public:
    explicit CountingProgress(int stopAt) : m_stopAt(stopAt) {}
    std::vector<std::uint64_t> done;
    std::uint64_t total = 0;

protected:
    bool onAdvance(std::uint64_t d, std::uint64_t t) override {
        done.push_back(d);
        total = t;
        return m_stopAt == 0 || static_cast<int>(done.size()) < m_stopAt;
    }

private:
    int m_stopAt;
};

// Years of frames: more than one chunk of the time frames file, so a stop falls mid-file.
class LongWork : public testing::TrackingFixture {
protected:
    void SetUp() override {
        TrackingFixture::SetUp();
        writeProjectRates({{"Alpha", 10}, {"Beta", 20}});
        std::vector<TimeFrameRecord> frames;
        for (int i = 0; i < 40000; ++i) {
            const std::int32_t start = at(1996, 1, 1) + i * 3600;
            frames.push_back({i % 2, start, start + 1800});
        }
        writeFrames(frames);
    }
    ReportPeriod allYears() const { return {0, 0x7fffffff}; }
};

// The two year-long computations of the window: each reports the bytes read of the whole
// file, and a stop ends it at once with nothing kept.
TEST_F(LongWork, ExportAndPieFollowTheFileAndStopWithNothingKept) {
    const std::uint64_t fileBytes = 40000u * TimeFrameRecord::kSize;
    struct Case {
        const char* name;
        std::function<Status(Progress&, std::string& kept)> run;
    };
    const Case cases[] = {
        {"pie",
         [&](Progress& progress, std::string& kept) {
             PieChart chart;
             const Status st = chart.compute(m_fs, m_set, allYears(), &progress);
             kept = std::to_string(chart.slices().size()) + " slices, " + std::to_string(chart.totalMinutes());
             return st;
         }},
        {"export",
         [&](Progress& progress, std::string& kept) {
             ExportRequest request;
             request.period = allYears();
             request.userName = "u";
             kept.clear();
             return writeExport(
                 m_fs, m_set, request,
                 [&](std::string_view piece) {
                     kept += piece;
                     return true;
                 },
                 nullptr, &progress);
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CountingProgress whole(0);
        std::string all;
        ASSERT_TRUE(c.run(whole, all));
        EXPECT_EQ(whole.total, fileBytes);
        ASSERT_GE(whole.done.size(), 3u);
        EXPECT_EQ(whole.done.front(), 0u);
        EXPECT_EQ(whole.done.back(), fileBytes);
        EXPECT_TRUE(std::is_sorted(whole.done.begin(), whole.done.end()));

        CountingProgress stopped(2);
        std::string kept;
        const Status st = c.run(stopped, kept);
        EXPECT_TRUE(st.isCancelled()) << st.message();
        EXPECT_TRUE(stopped.stopped());
        EXPECT_EQ(stopped.done.size(), 2u);
        // Neither a part of the slices nor the export's last piece: the caller keeps nothing.
        if (std::string(c.name) == "pie") EXPECT_EQ(kept, "0 slices, 0");
        else EXPECT_LT(kept.size(), all.size());
    }
}

}  // namespace
}  // namespace ql
