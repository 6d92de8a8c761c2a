#include "BenchData.h"

#include "core/reports/Invoice.h"
#include "core/store/FileSystem.h"
#include "core/time/Calendar.h"

#include <benchmark/benchmark.h>

namespace ql::bench {
namespace {

// One customer's invoice for one month: the project index and one pass over the frames.
void BM_LoadInvoice(benchmark::State& state) {
    const std::string path = generatedFileSet(2000, 1000000);
    const std::int32_t now = benchNow();
    const InvoiceRequest request{7, calendar::monthStart(now - 40 * 86400), calendar::monthEnd(now - 40 * 86400),
                                 "9600001"};
    FileSystem& fs = defaultFileSystem();
    std::size_t lines = 0;
    for (auto _ : state) {
        auto invoice = LoadInvoice(fs, request, FileSet(path));
        if (!invoice) state.SkipWithError(invoice.status().message().c_str());
        else lines = invoice->lines.size();
        benchmark::DoNotOptimize(invoice);
    }
    state.counters["lines"] = static_cast<double>(lines);
}
BENCHMARK(BM_LoadInvoice)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly();

}  // namespace
}  // namespace ql::bench
