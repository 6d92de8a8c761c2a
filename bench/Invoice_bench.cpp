#include "BenchData.h"

#include "core/reports/Invoice.h"
#include "core/reports/InvoiceIssue.h"
#include "core/reports/InvoiceRegister.h"
#include "core/reports/InvoiceText.h"
#include "core/store/Customers.h"
#include "core/store/OutputFile.h"
#include "core/store/RecordFile.h"
#include "core/store/Settings.h"
#include "core/store/FileSystem.h"
#include "core/time/Calendar.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>

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

// A copy of the million-frame set with customer 7 and a register of 5,000 invoices of 25
// lines each, issued over the five years before now.
std::string setWithRegister() {
    static std::string path;
    if (!path.empty()) return path;
    const std::string source = generatedFileSet(2000, 1000000);
    char folder[] = "/tmp/quillory-bench-register-XXXXXX";
    if (!mkdtemp(folder)) throw std::runtime_error("cannot create a temporary folder");
    path = std::string(folder) + "/Bench.qlr";
    for (FileKind kind : {FileKind::Settings, FileKind::Projects, FileKind::TimeFrames, FileKind::Customers})
        std::filesystem::copy_file(fileSetPath(source, kind), fileSetPath(path, kind));
    FileSystem& fs = defaultFileSystem();
    const FileSet set(path);
    CustomerRecord customer;
    customer.id = 7;
    customer.name = "Harbour Lights Ltd";
    customer.address = "1 Quay Street";
    customer.city = "Bristol";
    if (!appendCustomer(fs, customer, set)) throw std::runtime_error("cannot write the customer");
    auto settings = readSettings(fs, set);
    if (!settings) throw std::runtime_error("cannot read the settings");

    std::mt19937 rng(2026);
    std::uniform_int_distribution<std::int32_t> when(benchNow() - 5 * 365 * 86400, benchNow() - 86400);
    std::vector<unsigned char> bytes = {'Q', 'L', 'I', 'V', 2, 0, 0, 0};
    std::vector<unsigned char> texts = emptyInvoiceTexts();
    for (int n = 0; n < 5000; ++n) {
        Invoice invoice;
        invoice.request = {7, 0, 0, "R-" + std::to_string(n)};
        for (int i = 0; i < 25; ++i) {
            const std::int32_t start = when(rng);
            invoice.lines.push_back({"Task " + std::to_string(i), 45.0, start, start + 5400, 10 * i + 7});
        }
        const EncodedInvoice encoded =
            encodeIssuedInvoice(invoice, {*settings, customer}, invoice.lines[0].start, false, texts.size());
        bytes.insert(bytes.end(), encoded.entry.begin(), encoded.entry.end());
        texts.insert(texts.end(), encoded.texts.begin(), encoded.texts.end());
    }
    std::ofstream(set.invoiceTexts(), std::ios::binary)
        .write(reinterpret_cast<const char*>(texts.data()), static_cast<std::streamsize>(texts.size()));
    std::ofstream(set.invoiceRegister(), std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                                                 static_cast<std::streamsize>(bytes.size()));
    return path;
}

std::string fileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

// Issuing a month's invoice as the command line does, under the lock: the settings and the
// register read once, the frames streamed once, the overlap with billed time found, the number
// stored, the register rewritten with the new entry and the text file written. The register
// and settings are put back between runs, so every run issues into 5,000 invoices.
void BM_IssueInvoice(benchmark::State& state) {
    const std::string path = setWithRegister();
    const FileSet set(path);
    const std::int32_t month = benchNow() - 40 * 86400;
    const InvoiceRequest base{7, calendar::monthStart(month), calendar::monthEnd(month), ""};
    const std::string registerBytes = fileBytes(set.invoiceRegister());
    const std::string settingsBytes = fileBytes(set.settings());
    const std::string output = set.base() + "invoice.txt";
    FileSystem& fs = defaultFileSystem();
    std::size_t lines = 0, registerSize = registerBytes.size();
    for (auto _ : state) {
        auto held = lockFileSet(fs, set);
        auto settings = readSettings(fs, set);
        if (!held || !settings) {
            state.SkipWithError("cannot read the set");
            break;
        }
        InvoiceRequest request = base;
        request.invoiceNumber = settings->nextInvoiceNumber;
        request.issueDate = benchNow();
        auto plan = prepareInvoice(fs, set, request, *settings, EmptyInvoices::Allowed);
        if (!plan) {
            state.SkipWithError(plan.status().message().c_str());
            break;
        }
        (void)answerBilled(*plan, BilledAnswer::BillAgain);
        const std::string text = invoiceFileText(plan->invoice, plan->parties);
        const auto issued = issueInvoice(
            fs, set, *plan,
            [&] {
                return writeOutputFile(fs, output, Message(MessageId::CannotWriteInvoiceFile, {output}),
                                       [&](File& out) { return out.write(text.data(), text.size()); });
            },
            held->get());
        if (!issued || issued->moved) {
            state.SkipWithError(issued ? "the number moved" : issued.status().message().c_str());
            break;
        }
        lines = plan->invoice.lines.size();
        state.PauseTiming();
        std::ofstream(set.invoiceRegister(), std::ios::binary | std::ios::trunc) << registerBytes;
        std::ofstream(set.settings(), std::ios::binary | std::ios::trunc) << settingsBytes;
        state.ResumeTiming();
    }
    state.counters["lines"] = static_cast<double>(lines);
    state.counters["registerMB"] = static_cast<double>(registerSize) / 1e6;
}
BENCHMARK(BM_IssueInvoice)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly();

// What billed time costs whoever shows it: the register of 5,000 invoices (125,000 frames)
// read and decoded, and the frames it bills indexed for lookups.
void BM_ReadRegisterAndIndexBilledFrames(benchmark::State& state) {
    const FileSet set(setWithRegister());
    FileSystem& fs = defaultFileSystem();
    std::size_t frames = 0;
    for (auto _ : state) {
        auto reg = readInvoiceRegister(fs, set);
        if (!reg) {
            state.SkipWithError(reg.status().message().c_str());
            break;
        }
        const BilledFrames billed(*reg);
        frames = 0;
        for (const IssuedInvoice& invoice : reg->invoices()) frames += invoice.frames.size();
        benchmark::DoNotOptimize(billed);
    }
    state.counters["frames"] = static_cast<double>(frames);
}
BENCHMARK(BM_ReadRegisterAndIndexBilledFrames)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly();

}  // namespace
}  // namespace ql::bench
