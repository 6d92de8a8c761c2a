#include "BenchData.h"
#include "ui/BenchApplication.h"

#include "core/reports/ReportBuilders.h"
#include "core/reports/ReportLayout.h"
#include "core/reports/ReportTable.h"
#include "core/store/FileSystem.h"
#include "core/time/Clock.h"
#include "print/PageSource.h"
#include "print/ReportPages.h"

#include <QDir>
#include <QGuiApplication>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include <string>

namespace ql::bench {
namespace {

// A year of history: 50,000 rows over 60 projects, sorted as the printed history is
// (about 1,000 pages with the Sub-Totals).
const ReportTable& yearOfHistory() {
    static const ReportTable table = [] {
        ReportTable t = makeHistoryTable("Work.qlr", "$");
        t.reserveRows(50000);
        for (int i = 0; i < 50000; ++i) {
            const std::size_t r = t.appendRow();
            t.setText(r, history_column::kProject, "Client project number " + std::to_string((i * 7919) % 60));
            t.setInt(r, history_column::kDate, 19960000 + (i % 12 + 1) * 100 + i % 28 + 1);
            t.setInt(r, history_column::kTime, (8 + i % 10) * 60 + i % 60);
            t.setInt(r, history_column::kDuration, 15 + i % 240);
            t.setDouble(r, history_column::kCharge, 0.5 * (15 + i % 240));
        }
        SortReportRows(t, 0, 1);
        return t;
    }();
    return table;
}

void BM_HistoryLayout50k(benchmark::State& state) {
    const ReportTable& table = yearOfHistory();
    for (auto _ : state) {
        const ReportLayout layout = layoutReport(table, true);
        benchmark::DoNotOptimize(layout.pages.size());
    }
    state.counters["pages"] = static_cast<double>(ReportPageCount(table, kReportBodyArea));
}
BENCHMARK(BM_HistoryLayout50k)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly();

void BM_HistoryLayoutAndPdf50k(benchmark::State& state) {
    ensureBenchApplication();
    const ReportTable& table = yearOfHistory();
    FixedClock clock(benchNow());
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("history.pdf"));
    for (auto _ : state) {
        ReportPages pages(table, kHistoryTitle, defaultFileSystem(), clock);
        if (!writePdf(pdf, pages)) state.SkipWithError("PDF not written");
    }
}
BENCHMARK(BM_HistoryLayoutAndPdf50k)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1)->Repetitions(3)->ReportAggregatesOnly();

// Building the table from a file set of 1,000,000 frames (the This Year share of them).
void BM_BuildHistoryReport(benchmark::State& state) {
    const std::string settings = generatedFileSet(500, 1000000);
    for (auto _ : state) {
        auto table = buildHistoryReport(defaultFileSystem(), FileSet(settings), benchNow());
        if (!table) state.SkipWithError("history not built");
        benchmark::DoNotOptimize(table);
        state.counters["rows"] = table ? static_cast<double>(table->rowCount()) : 0.0;
    }
}
BENCHMARK(BM_BuildHistoryReport)->Unit(benchmark::kMillisecond)->Repetitions(3)->ReportAggregatesOnly();

}  // namespace
}  // namespace ql::bench
