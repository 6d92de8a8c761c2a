#include "cli/CommandLine.h"
#include "cli/Commands.h"

#include "core/einvoice/CiiInvoice.h"
#include "core/store/RecordFile.h"

#include <cstdint>
#include <ostream>
#include <string_view>

#include <CLI/CLI.hpp>

namespace ql::cli {
namespace {

// Far beyond the XML of any invoice; a file larger than this is no e-invoice to print.
constexpr std::uint64_t kLargestEInvoice = std::uint64_t{256} << 20;

Result<std::string> readEInvoiceFile(FileSystem& fs, const std::string& path) {
    const Message failure = Message::freeText("Cannot read e-invoice file : " + path);
    auto file = fs.openRead(path);
    if (!file) {
        if (file.status().code() == StatusCode::NotFound)
            return Status::invalidArgument("Cannot open e-invoice file : " + path).withReason("no such file");
        return failedWith(failure, file.status());
    }
    auto size = (*file)->size();
    if (!size) return failedWith(failure, size.status());
    if (*size > kLargestEInvoice) return Status::invalidArgument(failure).withReason("larger than 256 MB");
    std::string bytes(static_cast<std::size_t>(*size), '\0');
    std::size_t done = 0;
    while (done < bytes.size()) {
        auto n = (*file)->read(bytes.data() + done, bytes.size() - done);
        if (!n) return failedWith(failure, n.status());
        if (*n == 0) break;
        done += *n;
    }
    bytes.resize(done);
    return bytes;
}

// Texts of a file from outside, printed one per line: a control character in them (a line
// break, an escape sequence) must not forge a line or drive the terminal.
std::string printable(std::string text) {
    for (char& c : text)
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) c = ' ';
    return text;
}

void line(std::ostream& out, const char* label, const std::string& value, const std::string& vatId = {}) {
    out << label << ": " << printable(value);
    if (!vatId.empty()) out << " (VAT ID " << printable(vatId) << ")";
    out << '\n';
}

}  // namespace

Status runEInvoiceCheck(FileSystem& fs, PdfRenderer& pdf, const EInvoiceCheckRequest& request, std::ostream& out) {
    auto bytes = readEInvoiceFile(fs, request.file);
    if (!bytes) return bytes.status();
    // A PDF's attachment is read by the program that links the PDF library, which has taken
    // the run over (eInvoiceCheckHandOver).
    if (bytes->starts_with("%PDF-")) {
        auto attached = pdf.facturXAttachment(*bytes);
        if (!attached)
            return Status::invalidArgument(request.file + ": " + attached.status().message())
                .withReason(attached.status().reason());
        bytes = std::move(attached);
    }
    auto summary = readCiiSummary(*bytes);
    if (!summary)
        return Status::invalidArgument(request.file + ": " + summary.status().message()).withReason(summary.status().reason());
    line(out, "Number", summary->number);
    line(out, "Issue date", summary->issueDate);
    line(out, "Due date", summary->dueDate);
    line(out, "Seller", summary->sellerName, summary->sellerVatId);
    line(out, "Buyer", summary->buyerName, summary->buyerVatId);
    line(out, "Currency", summary->currency);
    line(out, "Lines", std::to_string(summary->lineCount));
    line(out, "Net", summary->net);
    line(out, "Tax", summary->tax);
    line(out, "Total", summary->total);
    line(out, "Amount due", summary->due);
    return Status::ok();
}

HandOver eInvoiceCheckHandOver(FileSystem& fs, const EInvoiceCheckRequest& request) {
    // Only a PDF's attachment needs the program that links the PDF library. A file that cannot
    // be read, or is too large, is refused by the command here, in its own words; one of no
    // size (a pipe) is not peeked at, since what is read from it would be gone for the command.
    constexpr std::string_view kPdfStart = "%PDF-";
    auto file = fs.openRead(request.file);
    if (!file) return HandOver::None;
    auto size = (*file)->size();
    if (!size || *size < kPdfStart.size() || *size > kLargestEInvoice) return HandOver::None;
    char start[kPdfStart.size()];
    std::size_t done = 0;
    while (done < sizeof start) {
        auto n = (*file)->read(start + done, sizeof start - done);
        if (!n || *n == 0) return HandOver::None;
        done += *n;
    }
    return std::string_view(start, sizeof start) == kPdfStart ? HandOver::Required : HandOver::None;
}

void addEInvoiceCheckCommand(CLI::App& app, CommandSetup& setup) {
    EInvoiceCheckRequest& request = setup.keep<EInvoiceCheckRequest>();
    CLI::App* c = app.add_subcommand(
        "einvoice-check", "Print what an e-invoice says: number, dates, seller, buyer, currency and totals, as the "
                          "customer's software reads them");
    c->add_option("FILE", request.file,
                  "The e-invoice's XML (Cross Industry Invoice), or a PDF with it inside as factur-x.xml")
        ->required()
        ->type_name("");
    c->callback([&setup, &request] {
        setup.choose([&setup, &request] { return runEInvoiceCheck(setup.fs, setup.pdf, request, setup.out); },
                     [&setup, &request]() -> Result<HandOver> { return eInvoiceCheckHandOver(setup.fs, request); });
    });
}

}  // namespace ql::cli
