#include "BenchData.h"
#include "ui/BenchApplication.h"

#include "core/einvoice/CiiInvoice.h"
#include "core/reports/Invoice.h"
#include "core/store/FileSystem.h"
#include "core/store/Settings.h"
#include "core/time/Calendar.h"
#include "einvoicepdf/FacturXInvoicePdf.h"
#include "print/InvoicePages.h"
#include "print/PageSource.h"

#include <benchmark/benchmark.h>

#include <stdexcept>

namespace ql::bench {
namespace {

// Customer 7's invoice for a month of the million-frame set, issued now, with the details an
// e-invoice needs; loaded once, as the window holds it when the user chooses an output.
struct MonthInvoice {
    Invoice invoice;
    InvoiceParties parties;
};

const MonthInvoice& monthInvoice() {
    static const MonthInvoice month = [] {
        const std::string path = generatedFileSet(2000, 1000000);
        const std::int32_t when = benchNow() - 40 * 86400;
        InvoiceRequest request{7, calendar::monthStart(when), calendar::monthEnd(when), "9600001"};
        request.issueDate = benchNow();
        auto invoice = LoadInvoice(defaultFileSystem(), request, FileSet(path));
        auto settings = readSettings(defaultFileSystem(), FileSet(path));
        if (!invoice || !settings) throw std::runtime_error("the month's invoice could not be loaded");
        MonthInvoice m{std::move(invoice).value(), {}};
        m.parties.settings = std::move(settings).value();
        m.parties.settings.companyName = "Design Works";
        m.parties.customer.id = 7;
        m.parties.customer.name = "Harbour Lights Ltd";
        m.parties.billing.countryCode = "DE";
        m.parties.billing.vatId = "DE123456788";
        m.parties.billing.currencyCode = "EUR";
        m.parties.customerDetails.countryCode = "FR";
        return m;
    }();
    return month;
}

// The plain printed invoice as PDF bytes, as --pdf and Export PDF... make them.
void BM_MonthInvoicePdf(benchmark::State& state) {
    ensureBenchApplication();
    const MonthInvoice& month = monthInvoice();
    std::size_t size = 0;
    for (auto _ : state) {
        InvoicePages pages(month.invoice, month.parties, defaultFileSystem());
        auto pdf = renderPdf(pages);
        if (!pdf) state.SkipWithError("PDF not made");
        else size = static_cast<std::size_t>(pdf->size());
    }
    state.counters["lines"] = static_cast<double>(month.invoice.lines.size());
    state.counters["bytes"] = static_cast<double>(size);
}
BENCHMARK(BM_MonthInvoicePdf)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly();

// The same pages as PDF/A-3 with the invoice's XML inside, the XML made in the same run.
void BM_MonthInvoiceFacturXPdf(benchmark::State& state) {
    ensureBenchApplication();
    const MonthInvoice& month = monthInvoice();
    std::size_t size = 0;
    for (auto _ : state) {
        auto xml = ciiInvoiceXml(month.invoice, month.parties);
        if (!xml) {
            state.SkipWithError(xml.status().message().c_str());
            break;
        }
        auto pdf = facturXInvoicePdf(defaultFileSystem(), month.invoice, month.parties, *xml);
        if (!pdf) state.SkipWithError("PDF not made");
        else size = pdf->size();
    }
    state.counters["lines"] = static_cast<double>(month.invoice.lines.size());
    state.counters["bytes"] = static_cast<double>(size);
}
BENCHMARK(BM_MonthInvoiceFacturXPdf)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly();

}  // namespace
}  // namespace ql::bench
