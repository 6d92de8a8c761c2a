#include "BenchData.h"
#include "ui/BenchApplication.h"
#include "HistoryData.h"

#include "core/reports/HistoryItems.h"
#include "core/reports/InvoiceRegister.h"
#include "core/store/Checksum.h"
#include "core/store/FieldCodec.h"
#include "core/store/FileSet.h"
#include "core/store/FileSystem.h"
#include "core/time/Calendar.h"
#include "core/time/Clock.h"
#include "ui/common/Modal.h"
#include "ui/common/Prompter.h"
#include "ui/reports/CHistoryDlg.h"
#include "ui/reports/HistoryModel.h"

#include <filesystem>
#include <fstream>
#include <QApplication>
#include <benchmark/benchmark.h>

namespace ql::bench {
namespace {

class SilentPrompter final : public Prompter {
public:
    void inform(const QString&, const QString&, Icon) override { ++boxes; }
    bool ask(const QString&, const QString&) override { return true; }
    int choose(const QString&, const QString&, const QStringList&, int) override { return 0; }
    int boxes = 0;
};

// History of charges on the default filter (this year, about 50,000 rows of 1,000,000
// frames): the saved filter, the rows, the model and view, the first sort, the first paint.
void BM_HistoryDialogOpen(benchmark::State& state) {
    ensureBenchApplication();
    const FileSet set(historyFileSet());
    const FixedClock clock(benchNow());
    SilentPrompter prompter;
    QtModal modal;  // the opening runs no dialog
    int rows = 0;
    for (auto _ : state) {
        CHistoryDlg dlg(defaultFileSystem(), prompter, modal, clock, set, nullptr);
        dlg.show();
        QApplication::processEvents();
        rows = dlg.model().rowCount();
        if (prompter.boxes) state.SkipWithError("the history reported a failure");
    }
    state.counters["rows"] = rows;
}
BENCHMARK(BM_HistoryDialogOpen)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly();

// The same opening with every row of the year billed, ten frames to an invoice (about 5,000
// invoices in the register): what the Invoice column adds to the opening. Argument 0: the
// register unchanged since the last opening; 1: an invoice issued before each opening (an entry
// added); 2: an invoice voided before each opening (an entry rewritten, so everything is
// indexed anew). Each change is a new file renamed over the register, as the program writes it,
// without the sync that would leave the processor idle (and slowed) before the timed opening.
void BM_HistoryDialogOpenBilled(benchmark::State& state) {
    ensureBenchApplication();
    const FileSet set(historyFileSet());
    const std::int32_t now = benchNow();
    const int year = calendar::toLocal(now).year;
    HistoryFilter filter;
    filter.period = {*calendar::fromLocal(year, 1, 1), *calendar::fromLocal(year, 12, 31, 23, 59, 59)};
    const HistoryLoad load = LoadHistoryItems(defaultFileSystem(), set, filter);
    const auto empty = readInvoiceRegister(defaultFileSystem(), set);
    if (!empty || !empty->invoices().empty()) return state.SkipWithError("the bench set holds a register already");
    std::vector<unsigned char> bytes = empty->bytes();
    std::vector<unsigned char> texts = emptyInvoiceTexts();
    Invoice invoice;
    int invoices = 0;
    const auto entryOf = [&] {
        invoice.request.invoiceNumber = std::to_string(9600001 + invoices++);
        const auto encoded = encodeIssuedInvoice(invoice, InvoiceParties{}, now, false, texts.size());
        texts.insert(texts.end(), encoded.texts.begin(), encoded.texts.end());
        invoice.lines.clear();
        return encoded.entry;
    };
    std::vector<std::size_t> entries;  // where each entry starts
    for (const HistoryItem& item : load.history.items) {
        invoice.lines.push_back({"P", 1.0, item.frame.start, item.frame.end, item.frame.projectId});
        if (invoice.lines.size() == 10) {
            entries.push_back(bytes.size());
            const auto entry = entryOf();
            bytes.insert(bytes.end(), entry.begin(), entry.end());
        }
    }
    if (!writeInvoiceRegister(defaultFileSystem(), set, bytes)) return state.SkipWithError("register not written");
    const auto writeTexts = [&] {
        std::ofstream(set.invoiceTexts(), std::ios::binary | std::ios::trunc)
            .write(reinterpret_cast<const char*>(texts.data()), static_cast<std::streamsize>(texts.size()));
    };
    writeTexts();
    const auto replaceRegister = [&] {
        const std::string copy = set.invoiceRegister() + ".new";
        std::ofstream(copy, std::ios::binary | std::ios::trunc)
            .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
        std::filesystem::rename(copy, set.invoiceRegister());
    };
    const FixedClock clock(now);
    SilentPrompter prompter;
    QtModal modal;
    int billed = 0;
    std::size_t flip = 0;
    for (auto _ : state) {
        if (state.range(0) != 0) {
            state.PauseTiming();
            if (state.range(0) == 1) {
                // Ten frames of the year billed again by one more invoice.
                for (std::size_t k = 0; k < 10; ++k) {
                    const TimeFrameRecord& f = load.history.items[(invoices * 10 + k) % load.history.items.size()].frame;
                    invoice.lines.push_back({"P", 1.0, f.start, f.end, f.projectId});
                }
                const auto entry = entryOf();
                bytes.insert(bytes.end(), entry.begin(), entry.end());
                writeTexts();
            } else {
                // The state of one entry flipped, its checksum made anew.
                unsigned char* entry = bytes.data() + entries[flip++ % entries.size()];
                const std::uint32_t n = codec::loadLittleEndian<std::uint32_t>(entry);
                codec::putInt32(entry, 4, 1 - codec::getInt32(entry, 4));
                codec::storeLittleEndian(entry + 4 + n, crc32c(entry + 4, n));
            }
            replaceRegister();
            state.ResumeTiming();
        }
        CHistoryDlg dlg(defaultFileSystem(), prompter, modal, clock, set, nullptr);
        dlg.show();
        QApplication::processEvents();
        billed = dlg.model().text(0, HistoryModel::kInvoice).isEmpty() ? 0 : 1;
        if (prompter.boxes) state.SkipWithError("the history reported a failure");
    }
    (void)defaultFileSystem().remove(set.invoiceRegister());
    (void)defaultFileSystem().remove(set.invoiceTexts());
    state.counters["invoices"] = invoices;
    state.counters["firstRowBilled"] = billed;
}
BENCHMARK(BM_HistoryDialogOpenBilled)->DenseRange(0, 2)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly();

// A click on a heading: the rows re-sorted by that column and the list repainted.
void BM_HistoryDialogSortColumn(benchmark::State& state) {
    ensureBenchApplication();
    const FileSet set(historyFileSet());
    const FixedClock clock(benchNow());
    SilentPrompter prompter;
    QtModal modal;  // sorting runs no dialog
    CHistoryDlg dlg(defaultFileSystem(), prompter, modal, clock, set, nullptr);
    dlg.show();
    QApplication::processEvents();
    const int column = static_cast<int>(state.range(0));
    for (auto _ : state) {
        state.PauseTiming();
        dlg.sortByColumn(column == 0 ? 1 : 0);
        QApplication::processEvents();
        state.ResumeTiming();
        dlg.sortByColumn(column);
        QApplication::processEvents();
    }
}
BENCHMARK(BM_HistoryDialogSortColumn)->DenseRange(0, 4)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly();

}  // namespace
}  // namespace ql::bench
