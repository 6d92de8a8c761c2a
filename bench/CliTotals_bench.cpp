#include "BenchData.h"
#include "BenchProcess.h"

#include "core/store/CustomerRecord.h"
#include "core/store/Customers.h"
#include "core/store/FileSet.h"
#include "core/store/FileSystem.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <stdexcept>
#include <string>
#include <vector>

namespace ql::bench {
namespace {

// Wall time of a whole process with its output thrown away; negative when it cannot start or fails.
double secondsOf(std::vector<std::string> args) {
    const auto start = std::chrono::steady_clock::now();
    if (!runQuietly(std::move(args))) return -1.0;
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// Times command as a whole process against its yardstick, `cat` of the same time frames file,
// run right after it in every iteration, so that a machine busy with other work slows both
// alike. The time shown is the command's; cat_ms is the yardstick's, ratio the command's time
// over the yardstick's, and goal_ms (when there is one) the bound the command is held to, in
// the same run.
void timeAgainstCat(benchmark::State& state, const std::string& path, const std::vector<std::string>& command,
                    double goalMs = 0.0) {
    const std::string tfr = fileSetPath(path, FileKind::TimeFrames);
    double catSeconds = 0.0;
    double commandSeconds = 0.0;
    for (auto _ : state) {
        const double seconds = secondsOf(command);
        const double yardstick = secondsOf({"cat", tfr});
        if (seconds < 0.0 || yardstick < 0.0) {
            state.SkipWithError("the command or cat failed");
            break;
        }
        state.SetIterationTime(seconds);
        catSeconds += yardstick;
        commandSeconds += seconds;
    }
    state.counters["cat_ms"] = benchmark::Counter(catSeconds * 1e3, benchmark::Counter::kAvgIterations);
    if (catSeconds > 0.0) state.counters["ratio"] = commandSeconds / catSeconds;
    if (goalMs > 0.0) state.counters["goal_ms"] = goalMs;
}

// `quillory-cli totals` as a whole process (start-up included) on 10,000 to 10,000,000 frames
// and 2,000 projects, held to 1.25 times `cat` of its frames file (ratio).
void BM_CliTotalsProcess(benchmark::State& state) {
    const std::string path = generatedFileSet(2000, static_cast<int>(state.range(0)));
    benchNow();  // pins TZ, which the child inherits
    timeAgainstCat(state, path, {QUILLORY_CLI_PATH, "totals", path, "--at", "1996-12-11 10:00"});
}
BENCHMARK(BM_CliTotalsProcess)->RangeMultiplier(10)->Range(10000, 10000000)->Unit(benchmark::kMillisecond)->UseManualTime()->Repetitions(15)->ReportAggregatesOnly();

// `quillory-cli history` of the year of now (the dense year: about 189,000 of the million
// frames), every row as JSON in the default order (by project name), as a whole process.
void BM_CliHistoryYearJsonProcess(benchmark::State& state) {
    const std::string path = generatedFileSet(2000, 1000000);
    benchNow();  // pins TZ, which the child inherits
    timeAgainstCat(state, path,
                   {QUILLORY_CLI_PATH, "history", path, "--period", "this-year", "--at", "1996-12-11 10:00", "--json"},
                   100.0);
}
BENCHMARK(BM_CliHistoryYearJsonProcess)->Unit(benchmark::kMillisecond)->UseManualTime()->Repetitions(15)->ReportAggregatesOnly();

// The million-frame set with the 40 customers its projects bill, for invoices.
std::string billingFileSet() {
    const std::string path = generatedFileSet(2000, 1000000);
    static bool billed = false;
    if (!billed) {
        const std::string customers = fileSetPath(path, FileKind::Customers);
        for (int i = 0; i < 40; ++i) {
            CustomerRecord c;
            c.id = i;
            c.name = "Customer " + std::to_string(i);
            c.city = "Bristol";
            if (!appendCustomer(defaultFileSystem(), c, FileSet(customers))) throw std::runtime_error("cannot add customers");
        }
        billed = true;
    }
    return path;
}

// The export of the dense year (about 189,000 lines) into a file, written whole and synced
// as every export is, as a whole process.
void BM_CliExportYearProcess(benchmark::State& state) {
    const std::string path = generatedFileSet(2000, 1000000);
    benchNow();
    const std::string out = path + ".export.tsv";
    timeAgainstCat(state, path,
                   {QUILLORY_CLI_PATH, "export", path, "--from", "1996-01-01", "--to", "1996-12-31", "--out", out}, 40.0);
}
BENCHMARK(BM_CliExportYearProcess)->Unit(benchmark::kMillisecond)->UseManualTime()->Repetitions(15)->ReportAggregatesOnly();

// One customer's invoice of a month (about 420 lines, 15 pages) as PDF, as a whole process:
// quillory-cli, the hand-over to the renderer, Qt's start-up and the pages.
void BM_CliInvoicePdfMonthProcess(benchmark::State& state) {
    const std::string path = billingFileSet();
    benchNow();
    const std::string out = path + ".invoice.pdf";
    for (auto _ : state)
        if (!runQuietly({QUILLORY_CLI_PATH, "invoice", path, "--customer", "7", "--from", "1996-10-01", "--to",
                         "1996-10-31", "--pdf", out, "--no-advance"}))
            state.SkipWithError("invoice failed");
}
BENCHMARK(BM_CliInvoicePdfMonthProcess)->Unit(benchmark::kMillisecond)->UseRealTime()->Repetitions(5)->ReportAggregatesOnly();

void BM_CatTimeFramesFile(benchmark::State& state) {
    const std::string tfr = fileSetPath(generatedFileSet(2000, static_cast<int>(state.range(0))), FileKind::TimeFrames);
    for (auto _ : state)
        if (!runQuietly({"cat", tfr})) state.SkipWithError("cat failed");
}
BENCHMARK(BM_CatTimeFramesFile)->RangeMultiplier(10)->Range(10000, 10000000)->Unit(benchmark::kMillisecond)->UseRealTime()->Repetitions(5)->ReportAggregatesOnly();

}  // namespace
}  // namespace ql::bench
