#include "cli/CommandOptions.h"
#include "cli/CommandLine.h"
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

#include <CLI/CLI.hpp>

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
    const Message failure = request.pdf   ? Message(MessageId::CannotWritePdfFile, {*request.pdf})
                            : request.xml ? Message(MessageId::CannotWriteEInvoiceFile, {*request.xml})
                                          : Message(MessageId::CannotWriteInvoiceFile, {*request.text});
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
    return prepareOutputTo(fs, set, target, out, englishText(failure), [&bytes, failure](const OutputSink& sink) {
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
        return Status::invalidArgument("--number: " + englishText(numberInRegisterMessage(invoiceRequest.invoiceNumber)));
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

// The command's registration and its hand-over to the program that paints the pages.

Result<HandOver> invoiceHandOver(FileSystem& fs, const InvoiceCommandRequest& request) {
    if (!request.pdf) return HandOver::None;
    // What runInvoice refuses before it reads a file is refused before the hand-over too, in
    // its order, so the refusal is the same with or without the Qt half: with --pdf the parser
    // lets only a missing --customer through, and the renderer writes without knowing the set.
    if (!request.reprint && request.customer.empty()) return Status::invalidArgument("--customer is required");
    if (const Status refused = refuseFileOfSet(fs, *request.pdf, FileSet(request.path)); !refused) return refused;
    return HandOver::Required;
}

void addInvoiceCommand(CLI::App& app, CommandSetup& setup) {
    struct Options {
        InvoiceCommandRequest request;
        OptionalText from, to, number, text, pdf, xml, at, reprint;
    };
    Options& o = setup.keep<Options>();
    InvoiceCommandRequest& request = o.request;
    CLI::App* c = app.add_subcommand(
        "invoice", "Write one customer's invoice as the New Invoice dialog does: its text file, its printed pages as "
                   "PDF or its e-invoice (EN 16931 XML)");
    addFilePath(*c, request.path);
    CLI::Option* customerOption =
        c->add_option("--customer", request.customer, "Customer id (required unless --reprint)")->type_name("ID");
    addDayRange(*c, o.from, o.to, "First day (default: the first day of the month of --at)",
                "Last day (default: the last day of that month)");
    addOptional(*c, o.number, "--number", "Invoice number, at most 31 bytes (default: the next invoice number)", "TEXT");
    addOptional(*c, o.text, "--text", "Write the invoice text file, whole or not at all (- for the standard output)",
                "PATH|-");
    addOptional(*c, o.pdf, "--pdf", "Write the printed invoice pages as PDF", "PATH");
    addOptional(*c, o.xml, "--xml",
                "Write the e-invoice: the European standard EN 16931 as Cross Industry Invoice XML, whole or not "
                "at all (- for the standard output)",
                "PATH|-");
    for (OptionalText* one : {&o.text, &o.pdf, &o.xml})
        for (OptionalText* other : {&o.text, &o.pdf, &o.xml})
            if (one != other) one->option->excludes(other->option);
    c->add_flag("--facturx", request.facturx,
                "With --pdf: the pages as PDF/A-3 with the e-invoice XML inside (factur-x.xml); refused, naming "
                "them, when billing details the e-invoice needs are missing")
        ->needs(o.pdf.option);
    CLI::Option* noAdvance =
        c->add_flag("--no-advance", request.noAdvance, "Leave the next invoice number and the invoice register as they are");
    addOptional(*c, o.at, "--at", "Local time the invoice is issued at, whose month is the default period (default: now)",
                kTimeType);
    CLI::Option* unbilled =
        c->add_flag("--unbilled", request.unbilled, "Leave out the frames that issued invoices billed already");
    CLI::Option* rebill =
        c->add_flag("--rebill", request.rebill, "Bill the frames that issued invoices billed already again (recorded as such)");
    unbilled->excludes(rebill);
    addOptional(*c, o.reprint, "--reprint",
                "Write the issued invoice of this number again as it was first written, changing nothing", "NUMBER");
    for (CLI::Option* other :
         {customerOption, o.from.option, o.to.option, o.number.option, noAdvance, unbilled, rebill, o.at.option})
        o.reprint.option->excludes(other);
    c->footer("Unless --no-advance, the next invoice number becomes the number used with its last group of digits "
              "counted up by one (INV-099 -> INV-100) once the invoice is written, as in the dialog, and the "
              "invoice is recorded in the invoice register. A number the register holds is never issued again. "
              "Frames that issued invoices billed are refused unless --unbilled or --rebill. --xml first checks "
              "that the invoice has every detail the standard requires (the seller's name, country code and VAT "
              "ID or registration number, the customer's name and country code, the currency code, an exemption "
              "reason when no sales tax is applied and the seller has a VAT ID) and refuses with exit status 2, "
              "naming each missing one and where to fill it in, writing nothing and using no number.");
    c->callback([&setup, &o] {
        InvoiceCommandRequest& parsed = o.request;
        parsed.from = o.from.get();
        parsed.to = o.to.get();
        parsed.number = o.number.get();
        parsed.text = o.text.get();
        parsed.pdf = o.pdf.get();
        parsed.xml = o.xml.get();
        parsed.at = o.at.get();
        parsed.reprint = o.reprint.get();
        setup.choose([&setup, &parsed] { return runInvoice(setup.fs, setup.clock, setup.pdf, parsed, setup.out); },
                     [&setup, &parsed] { return invoiceHandOver(setup.fs, parsed); });
    });
}

}  // namespace ql::cli
