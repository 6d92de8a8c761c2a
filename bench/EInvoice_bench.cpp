#include "BenchData.h"

#include "core/einvoice/CiiInvoice.h"
#include "core/einvoice/EInvoiceSample.h"
#include "core/reports/Invoice.h"
#include "core/store/FileSystem.h"
#include "core/time/Calendar.h"

#include <benchmark/benchmark.h>

namespace ql::bench {
namespace {

// The e-invoice of one customer's month in the million-frame set, as the command line writes
// it: the projects indexed and the frames streamed once (LoadInvoice), then the XML made.
void BM_CiiInvoiceXml(benchmark::State& state) {
    const std::string path = generatedFileSet(2000, 1000000);
    const FileSet set(path);
    const std::int32_t month = benchNow() - 40 * 86400;
    const InvoiceRequest request{7, calendar::monthStart(month), calendar::monthEnd(month), "9600001", benchNow()};
    FileSystem& fs = defaultFileSystem();
    // The test's complete German seller and French customer: every detail the standard asks for.
    InvoiceParties parties = testing::completeParties();
    parties.customer.id = 7;
    std::size_t lines = 0, bytes = 0;
    for (auto _ : state) {
        auto invoice = LoadInvoice(fs, request, set);
        if (!invoice) {
            state.SkipWithError(invoice.status().message().c_str());
            break;
        }
        auto xml = ciiInvoiceXml(*invoice, parties);
        if (!xml) {
            state.SkipWithError(xml.status().message().c_str());
            break;
        }
        lines = invoice->lines.size();
        bytes = xml->size();
        benchmark::DoNotOptimize(xml);
    }
    state.counters["lines"] = static_cast<double>(lines);
    state.counters["xmlKB"] = static_cast<double>(bytes) / 1e3;
}
BENCHMARK(BM_CiiInvoiceXml)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly();

}  // namespace
}  // namespace ql::bench
