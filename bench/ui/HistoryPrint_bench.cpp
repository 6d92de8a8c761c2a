#include "BenchData.h"
#include "BenchProcess.h"
#include "HistoryData.h"
#include "ui/BenchApplication.h"

#include "core/reports/ReportBuilders.h"
#include "core/reports/ReportLayout.h"
#include "core/store/FileSet.h"
#include "core/store/FileSystem.h"
#include "core/time/Clock.h"
#include "print/PageSource.h"
#include "print/ReportPages.h"
#include "ui/reports/PreviewWindow.h"

#include <QApplication>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include <sys/resource.h>

#include <stdexcept>
#include <string>

// The printed history of a year of the history set (about 50,000 rows, 1,000 pages), in the
// three places it is made: the command line's PDF, the preview's Export PDF and the preview.
// Each goal is run beside its yardsticks: reading the frames file from the page cache, and
// laying the pages out without drawing them.
namespace ql::bench {
namespace {

const ReportTable& historyYear() {
    static const ReportTable table = [] {
        auto built = buildHistoryReport(defaultFileSystem(), FileSet(historyFileSet()), benchNow());
        if (!built) throw std::runtime_error(built.status().message());
        return std::move(built).value();
    }();
    return table;
}

// Yardstick: the 12 MB frames file of the set read from the page cache by another process.
void BM_HistoryPrintCatFramesFile(benchmark::State& state) {
    const std::string tfr = fileSetPath(historyFileSet(), FileKind::TimeFrames);
    for (auto _ : state)
        if (!runQuietly({"cat", tfr})) state.SkipWithError("cat failed");
}
BENCHMARK(BM_HistoryPrintCatFramesFile)->Unit(benchmark::kMillisecond)->UseRealTime()->Repetitions(5)->ReportAggregatesOnly();

// Yardstick: the year's rows read and sorted, and the pages laid out, with nothing drawn.
void BM_HistoryPrintLayoutOnly(benchmark::State& state) {
    const std::string path = historyFileSet();
    std::size_t pages = 0;
    for (auto _ : state) {
        auto table = buildHistoryReport(defaultFileSystem(), FileSet(path), benchNow());
        if (!table) state.SkipWithError("history not built");
        const ReportLayout layout = layoutReport(*table, true);
        pages = layout.pages.size();
        benchmark::DoNotOptimize(pages);
    }
    state.counters["pages"] = static_cast<double>(pages);
}
BENCHMARK(BM_HistoryPrintLayoutOnly)->Unit(benchmark::kMillisecond)->UseRealTime()->Repetitions(5)->ReportAggregatesOnly();

// Processor time (user and system) of the children waited for so far, in milliseconds.
double childrenCpuMs() {
    rusage usage{};
    getrusage(RUSAGE_CHILDREN, &usage);
    const auto ms = [](const timeval& t) { return static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_usec) / 1e3; };
    return ms(usage.ru_utime) + ms(usage.ru_stime);
}

// `quillory-cli report history --pdf` as a whole process: start-up, the hand-over to the
// renderer, the rows, the pages and the file. child_cpu_ms: the processes' own processor time,
// which others' work on a shared machine stretches less than the wall-clock time.
void BM_HistoryPrintCliPdfProcess(benchmark::State& state) {
    const std::string path = historyFileSet();
    benchNow();  // pins TZ, which the child inherits
    const std::string out = path + ".history.pdf";
    const double cpuBefore = childrenCpuMs();
    for (auto _ : state)
        if (!runQuietly({QUILLORY_CLI_PATH, "report", path, "history", "--pdf", out, "--at", "1996-12-11 10:00"}))
            state.SkipWithError("report failed");
    state.counters["child_cpu_ms"] = benchmark::Counter(childrenCpuMs() - cpuBefore, benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_HistoryPrintCliPdfProcess)->Unit(benchmark::kMillisecond)->UseRealTime()->Repetitions(5)->ReportAggregatesOnly();

// The preview's Export PDF...: the pages of the built table written to a file.
void BM_HistoryPrintExportPdf(benchmark::State& state) {
    ensureBenchApplication();
    const ReportTable& table = historyYear();
    const FixedClock clock(benchNow());
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("history.pdf"));
    int pages = 0;
    for (auto _ : state) {
        ReportPages source(table, kHistoryTitle, defaultFileSystem(), clock);
        if (!writePdf(pdf, source)) state.SkipWithError("PDF not written");
        pages = source.pageCount();
    }
    state.counters["pages"] = pages;
}
BENCHMARK(BM_HistoryPrintExportPdf)->Unit(benchmark::kMillisecond)->UseRealTime()->Repetitions(5)->ReportAggregatesOnly();

// The preview opened on the built table and shown with its first pages painted.
void BM_HistoryPrintPreviewOpen(benchmark::State& state) {
    ensureBenchApplication();
    const ReportTable& table = historyYear();
    const FixedClock clock(benchNow());
    QPrinter printer(QPrinter::HighResolution);
    int pages = 0;
    for (auto _ : state) {
        ReportPages source(table, kHistoryTitle, defaultFileSystem(), clock);
        PreviewWindow window(&printer, nullptr);
        QObject::connect(&window, &QPrintPreviewDialog::paintRequested, &window,
                         [&source](QPrinter* target) { paintPages(*target, source); });
        window.show();
        QApplication::processEvents();
        window.previewWidget()->grab();
        pages = window.previewWidget()->pageCount();
        state.PauseTiming();
        window.reject();
        state.ResumeTiming();
    }
    state.counters["pages"] = pages;
}
BENCHMARK(BM_HistoryPrintPreviewOpen)->Unit(benchmark::kMillisecond)->UseRealTime()->Repetitions(5)->ReportAggregatesOnly();

}  // namespace
}  // namespace ql::bench
