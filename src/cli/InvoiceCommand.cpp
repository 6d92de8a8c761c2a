#include "cli/CommandOptions.h"
#include "cli/Commands.h"
#include "cli/FileSetArgument.h"

#include "core/einvoice/CiiInvoice.h"
#include "core/reports/InvoiceIssue.h"
#include "core/reports/InvoiceRegister.h"
#include "core/reports/InvoiceText.h"
#include "core/store/FieldCodec.h"
#include "core/store/FileSet.h"
#include "core/store/OutputFile.h"
#include "core/store/RecordFile.h"

namespace ql::cli {
namespace {

// Where the window fills a gap in, by its menu path: the command line has no places of its own.
const char* eInvoicePlaceText(EInvoicePlace place) {
    switch (place) {
    case EInvoicePlace::InvoiceRequest: return "Reports > Invoice...";
    case EInvoicePlace::CompanyProperties: return "File > Properties > Company";
    case EInvoicePlace::InvoiceTax: return "File > Properties > Invoice";
    case EInvoicePlace::SellerBilling: return "File > Properties > Billing";
    case EInvoicePlace::CustomerBilling: return "Customers > Edit Customers...";
    case EInvoicePlace::Projects: return "Projects > Edit Projects...";
    }
    return "";
}

// The refusal of an e-invoice that lacks what the standard requires, every gap on one line.
// option names the output asked for (--xml, --facturx).
Status refuseEInvoiceGaps(const std::string& option, const std::vector<EInvoiceGap>& gaps) {
    if (gaps.empty()) return Status::ok();
    std::string message = option + ": the e-invoice lacks details the standard requires: ";
    for (std::size_t i = 0; i < gaps.size(); ++i)
        message += (i == 0 ? "" : "; ") + eInvoiceDetailText(gaps[i]) + " (" + eInvoicePlaceText(gaps[i].place) + ")";
    return Status::invalidArgument(message);
}

// The invoice's text file, pages or e-invoice, made whole but not yet shown under their name.
// The bytes live in `bytes`, which a FIFO or the standard output takes only at commit.
Result<PendingOutput> prepareInvoiceOutput(FileSystem& fs, PdfRenderer& pdf, const InvoiceCommandRequest& request,
                                           const FileSet& set, std::ostream& out, const Invoice& invoice,
                                           const InvoiceParties& parties, const std::vector<EInvoiceGap>& gaps,
                                           std::string& bytes) {
    const std::string failure = request.pdf ? "Cannot write PDF file : " + *request.pdf
                                : request.xml ? "Cannot write e-invoice file : " + *request.xml
                                              : "Cannot write invoice file : " + *request.text;
    if (request.pdf && request.facturx) {
        if (const Status refused = refuseEInvoiceGaps("--facturx", gaps); !refused) return refused;
        auto xml = ciiInvoiceXml(invoice, parties);
        if (!xml) return xml.status();
        auto rendered = pdf.facturXPdf(fs, invoice, parties, *xml);
        if (!rendered) return failedWith(failure, rendered.status());
        bytes = std::move(rendered).value();
    } else if (request.pdf) {
        auto rendered = pdf.invoicePdf(fs, invoice, parties);
        if (!rendered) return failedWith(failure, rendered.status());
        bytes = std::move(rendered).value();
    } else if (request.xml) {
        if (const Status refused = refuseEInvoiceGaps("--xml", gaps); !refused) return refused;
        auto xml = ciiInvoiceXml(invoice, parties);
        if (!xml) return xml.status();
        bytes = std::move(xml).value();
    } else {
        bytes = invoiceFileText(invoice, parties);
    }
    if (request.pdf)
        return prepareOutputFile(fs, *request.pdf, failure,
                                 [&bytes](File& file) { return file.write(bytes.data(), bytes.size()); }, &set);
    const std::string& target = request.xml ? *request.xml : *request.text;
    return prepareOutputTo(fs, set, target, out, failure, [&bytes, failure](const OutputSink& sink) {
        return sink(bytes) ? Status::ok() : Status::ioError(failure);
    });
}

std::string joined(const std::vector<std::string>& numbers) {
    std::string text;
    for (const std::string& n : numbers) text += (text.empty() ? "" : ", ") + n;
    return text;
}

// The invoice as the register holds it, written again; nothing is stored or recorded.
Status reprintInvoice(FileSystem& fs, PdfRenderer& pdf, const InvoiceCommandRequest& request, const FileSet& set,
                      std::ostream& out) {
    auto settings = openFileSet(fs, set);
    if (!settings) return settings.status();
    auto reg = readInvoiceRegister(fs, set);
    if (!reg) return reg.status();
    InvoiceInput refused = InvoiceInput::None;
    auto content = findIssuedContent(fs, set, *reg, *request.reprint, VoidInvoices::Refused, &refused);
    if (!content) {
        if (refused == InvoiceInput::Number) return Status::invalidArgument("--reprint: " + content.status().message());
        return content.status();
    }
    std::string bytes;
    auto prepared = prepareInvoiceOutput(fs, pdf, request, set, out, content->invoice, content->parties,
                                         missingEInvoiceDetails(content->invoice, content->parties), bytes);
    if (!prepared) return prepared.status();
    return prepared->commit();
}

}  // namespace

Status runInvoice(FileSystem& fs, const Clock& clock, PdfRenderer& pdf, const InvoiceCommandRequest& request,
                  std::ostream& out) {
    const FileSet set(request.path);
    if (request.text.has_value() + request.pdf.has_value() + request.xml.has_value() != 1)
        return Status::invalidArgument("give one of --text, --pdf and --xml");
    if (request.unbilled && request.rebill) return Status::invalidArgument("give at most one of --unbilled and --rebill");
    if (!request.reprint && request.customer.empty()) return Status::invalidArgument("--customer is required");
    if (request.pdf) {
        // The renderer writes without knowing the set; refused here, before anything is read.
        if (const Status refused = refuseFileOfSet(fs, *request.pdf, set); !refused) return refused;
        if (const Status taken = pdf.takeOver(); !taken) return taken;
    }
    if (request.reprint) return reprintInvoice(fs, pdf, request, set, out);

    InvoiceRequest invoiceRequest;
    const auto customer = recordId("--customer", request.customer, "customer");
    if (!customer) return customer.status();
    invoiceRequest.customerId = *customer;
    const auto now = requestTime(clock, request.at);
    if (!now) return now.status();
    const auto typed = typedPeriod(request.from, request.to);
    if (!typed) return typed.status();
    const ReportPeriod period = *typed ? **typed : defaultInvoicePeriod(*now);
    invoiceRequest.periodStart = period.start;
    invoiceRequest.periodEnd = period.end;
    invoiceRequest.issueDate = *now;

    // From reading the next number to storing the one after it, no other program may take
    // the same number: the window's own writes wait while the invoice is written.
    std::unique_ptr<FileLock> held;
    if (!request.noAdvance && fs.exists(set.settings())) {
        auto lock = lockFileSet(fs, set);
        if (!lock) return lock.status();
        held = std::move(lock).value();
    }
    auto settings = openFileSet(fs, set);
    if (!settings) return settings.status();
    invoiceRequest.invoiceNumber = request.number ? *request.number : settings->nextInvoiceNumber;
    // Read once, under the lock that issuing keeps: what the register says is billed stays so
    // until then.
    InvoiceInput refused = InvoiceInput::None;
    auto plan = prepareInvoice(fs, set, invoiceRequest, *settings, EmptyInvoices::Allowed, &refused);
    if (!plan) {
        if (refused == InvoiceInput::Number) return Status::invalidArgument("--number: " + plan.status().message());
        if (refused == InvoiceInput::Customer && plan.status().code() == StatusCode::NotFound)
            return Status::invalidArgument("--customer: no customer has the id " + request.customer);
        return plan.status();
    }
    // A copy that issues nothing (--no-advance) may show a number the register holds.
    if (!request.noAdvance && plan->billedBy.find(invoiceRequest.invoiceNumber))
        return Status::invalidArgument("--number: " + numberInRegisterMessage(invoiceRequest.invoiceNumber));
    const BilledOverlap& overlap = plan->overlap;
    if (overlap.frames > 0 && !request.unbilled && !request.rebill)
        return Status::invalidArgument(std::to_string(overlap.frames) + (overlap.frames == 1 ? " frame" : " frames") +
                                       " of this invoice " + (overlap.frames == 1 ? "was" : "were") +
                                       " billed already, on " + (overlap.numbers.size() == 1 ? "invoice " : "invoices ") +
                                       joined(overlap.numbers) +
                                       ": give --unbilled to leave them out or --rebill to bill them again");
    if (const Status answered =
            answerBilled(*plan, request.unbilled ? BilledAnswer::LeaveOut : BilledAnswer::BillAgain);
        !answered)
        return answered;

    // The invoice is made whole first and shows under its name only once its number is
    // stored and it is recorded: a failure before leaves none of them; a failure of the
    // showing takes the record out and gives the number back.
    std::string bytes;
    auto prepared = prepareInvoiceOutput(fs, pdf, request, set, out, plan->invoice, plan->parties, plan->gaps, bytes);
    if (!prepared) return prepared.status();
    if (request.noAdvance) return prepared->commit();
    auto issued = issueInvoice(fs, set, *plan, [&prepared] { return prepared->commit(); }, held.get());
    if (!issued) return issued.status();
    // Under the lock held since the settings were read no one else stores a number; should the
    // settings say otherwise, nothing was issued, and that is no success.
    if (issued->moved)
        return Status::ioError(fileSetBusyMessage(set));
    return Status::ok();
}

}  // namespace ql::cli
