#include "cli/CommandOptions.h"
#include "cli/CommandLine.h"
#include "cli/Commands.h"
#include "cli/FileSetArgument.h"
#include "cli/JsonRendering.h"
#include "cli/TextRendering.h"

#include "core/reports/HistoryItems.h"
#include "core/reports/InvoiceRegister.h"
#include "core/reports/ReportPeriod.h"
#include "core/store/FileSet.h"
#include "core/store/HistoryFilterRecord.h"

#include <algorithm>
#include <unordered_map>

#include <CLI/CLI.hpp>

namespace ql::cli {
namespace {

// Text is made in a buffer of this size and written whenever the next row might not fit: small
// enough to stay in the processor's cache, large enough for few writes.
constexpr std::size_t kBlockBytes = 256 * 1024;

// Each invoice's number as a JSON string, quoted once however many rows it billed.
class QuotedInvoices {
public:
    explicit QuotedInvoices(const InvoiceRegister& reg) : m_billed(reg) {}
    const std::string* of(const HistoryItem& item) {
        const std::string* number =
            m_billed.invoiceOf({item.frame.projectId, item.frame.start, item.frame.end});
        if (!number) return nullptr;
        auto [it, added] = m_quoted.try_emplace(number);
        if (added) it->second = quotedJsonText(*number);
        return &it->second;
    }

private:
    BilledFrames m_billed;
    std::unordered_map<const std::string*, std::string> m_quoted;
};

// One thread formats and writes block after block, so no more than a block of text is held.
// A second thread formatting alternate blocks was measured on a year of a million-frame set
// (189,000 rows, 37 MB): no faster as a whole process, with more CPU time and memory.
void writeHistoryJson(std::ostream& out, const HistoryItems& history, const std::vector<std::int32_t>& order,
                      QuotedInvoices& invoices) {
    constexpr std::string_view kBetweenRows = ",\n  ";
    constexpr std::size_t kAhead = 16;
    JsonArrayWriter writer(out);
    if (!order.empty()) out << writer.nextSeparator();
    HistoryJsonRows rows(history);
    std::string block(kBlockBytes, '\0');
    std::size_t used = 0;
    for (std::size_t n = 0; n < order.size(); ++n) {
        // Sorted rows lie all over the items: fetching a few rows ahead hides the memory's
        // latency, which otherwise costs as much as the formatting.
        if (n + kAhead < order.size()) __builtin_prefetch(&history.items[static_cast<std::size_t>(order[n + kAhead])]);
        const HistoryItem& item = history.items[static_cast<std::size_t>(order[n])];
        const std::string* invoice = invoices.of(item);
        const std::size_t room = kBetweenRows.size() + rows.room(item, invoice);
        if (block.size() - used < room) {
            out.write(block.data(), static_cast<std::streamsize>(used));
            used = 0;
            if (block.size() < room) block.resize(room);
        }
        char* p = block.data() + used;
        if (n > 0) p = std::copy(kBetweenRows.begin(), kBetweenRows.end(), p);
        used = static_cast<std::size_t>(rows.put(p, item, invoice) - block.data());
    }
    out.write(block.data(), static_cast<std::streamsize>(used));
    writer.finish();
}

}  // namespace

Status runHistory(FileSystem& fs, const Clock& clock, PdfRenderer& pdf, const HistoryRequest& request,
                  std::ostream& out) {
    // The window's order of names, where the program that has it took the run over
    // (historyHandOver); else the plain order.
    NameCompare compareNames = compareNamesIgnoringCase;
    if (request.sort == HistorySort::Project) {
        if (NameCompare collated = pdf.projectNameOrder()) compareNames = std::move(collated);
    }
    const FileSet set(request.path);
    const auto now = requestTime(clock, request.at);
    if (!now) return now.status();
    const auto projectId = optionalRecordId("--project", request.project, "project");
    if (!projectId) return projectId.status();
    const std::optional<std::int32_t> project = *projectId;
    const std::string name = request.period.value_or("saved");
    const auto period = periodOption(request.from, request.to, name, *now);
    if (!period) return period.status();
    if (!*period && name != "saved") return Status::invalidArgument("--period: '" + name + "' is not a period");

    auto settings = openFileSet(fs, set);
    if (!settings) return settings.status();

    HistoryFilter filter;
    if (*period) {
        filter.period = **period;
    } else {
        // The filter the dialog opens with, and the printed history prints.
        filter = historyFilterOf(readHistoryFilter(fs, set.historyFilter(), *now));
    }
    if (project) filter.projectId = *project;

    const HistoryLoad load = LoadHistoryItems(fs, set, filter);
    // Rows priced without their projects would look right and be wrong: no output then.
    if (!load.messages.empty()) return Status::ioError(load.messages.front());

    const HistoryItems& history = load.history;
    const auto ranks = rankProjectNames(history.projects, compareNames);
    const auto order = sortedHistoryOrder(history, static_cast<int>(request.sort), ranks);
    if (request.json) {
        // A register that cannot be read must not make billed rows look unbilled.
        auto reg = readInvoiceRegister(fs, set);
        if (!reg) return reg.status();
        QuotedInvoices invoices(*reg);
        writeHistoryJson(out, history, order, invoices);
    } else {
        writeHistoryHeadingText(out);
        for (const std::int32_t i : order)
            writeHistoryItemText(out, history, history.items[static_cast<std::size_t>(i)], settings->monthFirst(),
                                 settings->monetarySymbol);
    }
    return Status::ok();
}

HandOver historyHandOver(const HistoryRequest& request) {
    // The window's order of names needs Qt, in every locale: the program that has it runs the
    // whole command before any file is read here. Without it the rows come in the plain order.
    return request.sort == HistorySort::Project ? HandOver::Preferred : HandOver::None;
}

void addHistoryCommand(CLI::App& app, CommandSetup& setup) {
    struct Options {
        HistoryRequest request;
        OptionalText project, period, from, to, at;
        std::string sort = "project";
    };
    Options& o = setup.keep<Options>();
    CLI::App* c =
        app.add_subcommand("history", "Print the rows of the history of charges, as the History dialog lists them");
    addFilePath(*c, o.request.path);
    addOptional(*c, o.project, "--project", "Only the frames of this project id (default: the saved filter's)", "ID");
    addOptional(*c, o.period, "--period", "Period of the frames' starts (default: saved, the filter the dialog opens with)",
                "this-year|this-month|this-week|today|saved");
    addDayRange(*c, o.from, o.to, "First day, instead of --period", "Last day, instead of --period", &o.period);
    addOptional(*c, o.at, "--at", "Local time the periods are taken around (default: now)", kTimeType);
    c->add_option("--sort", o.sort, "Column sorted ascending, equal keys in file order (default: project)")
        ->check(CLI::IsMember({"project", "date", "time", "duration", "charges"}))
        ->type_name("project|date|time|duration|charges");
    c->add_flag("--json", o.request.json, "Print one JSON array of objects");
    c->callback([&setup, &o] {
        HistoryRequest& request = o.request;
        request.project = o.project.get();
        request.period = o.period.get();
        request.from = o.from.get();
        request.to = o.to.get();
        request.at = o.at.get();
        request.sort = o.sort == "date"       ? HistorySort::Date
                       : o.sort == "time"     ? HistorySort::Time
                       : o.sort == "duration" ? HistorySort::Duration
                       : o.sort == "charges"  ? HistorySort::Charges
                                              : HistorySort::Project;
        setup.choose([&setup, &request] { return runHistory(setup.fs, setup.clock, setup.pdf, request, setup.out); },
                     [&request]() -> Result<HandOver> { return historyHandOver(request); });
    });
}

}  // namespace ql::cli
