#include "cli/Commands.h"

#include "core/einvoice/CiiInvoice.h"
#include "core/store/RecordFile.h"

#include <cstdint>
#include <ostream>

namespace ql::cli {
namespace {

// Far beyond the XML of any invoice; a file larger than this is no e-invoice to print.
constexpr std::uint64_t kLargestEInvoice = std::uint64_t{256} << 20;

Result<std::string> readEInvoiceFile(FileSystem& fs, const std::string& path) {
    const std::string failure = "Cannot read e-invoice file : " + path;
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
    // A PDF's attachment is read by the program that links the PDF library; this one reads
    // the file again from the start.
    if (bytes->starts_with("%PDF-")) {
        if (const Status taken = pdf.takeOver(); !taken) return taken;
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

}  // namespace ql::cli
