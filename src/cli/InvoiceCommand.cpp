#include "cli/CommandOptions.h"
#include "cli/Commands.h"
#include "cli/FileSetArgument.h"

#include "core/reports/InvoiceNumbers.h"
#include "core/reports/InvoiceText.h"
#include "core/store/FieldCodec.h"
#include "core/store/FileSet.h"
#include "core/store/OutputFile.h"
#include "core/store/RecordFile.h"

namespace ql::cli {

Status runInvoice(FileSystem& fs, const Clock& clock, PdfRenderer& pdf, const InvoiceCommandRequest& request,
                  std::ostream& out) {
    const FileSet set(request.path);
    if (request.text.has_value() == request.pdf.has_value())
        return Status::invalidArgument("give one of --text and --pdf");
    if (request.pdf) {
        // The renderer writes without knowing the set; refused here, before anything is read.
        if (const Status refused = refuseFileOfSet(fs, *request.pdf, set); !refused) return refused;
        if (const Status taken = pdf.takeOver(); !taken) return taken;
    }

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
    if (const Status st = checkInvoiceNumber(invoiceRequest.invoiceNumber); !st)
        return Status::invalidArgument("--number: " + st.message());
    if (!codec::isValidUtf8(invoiceRequest.invoiceNumber))
        return Status::invalidArgument("--number: the invoice number is not UTF-8 text");

    auto invoice = LoadInvoice(fs, invoiceRequest, set);
    if (!invoice) return invoice.status();
    auto parties = loadInvoiceParties(fs, *invoice, *settings);
    if (!parties) {
        if (parties.status().code() == StatusCode::NotFound)
            return Status::invalidArgument("--customer: no customer has the id " + request.customer);
        return parties.status();
    }

    // The invoice is made whole first and shows under its name only once its number is
    // stored: a failure before leaves neither; a failure of the showing gives the number back.
    const std::string failure =
        request.pdf ? "Cannot write PDF file : " + *request.pdf : "Cannot write invoice file : " + *request.text;
    std::string bytes;
    if (request.pdf) {
        auto rendered = pdf.invoicePdf(fs, *invoice, *parties);
        if (!rendered) return failedWith(failure, rendered.status());
        bytes = std::move(rendered).value();
    } else {
        bytes = invoiceFileText(*invoice, *parties);
    }
    // A FIFO or the standard output takes the bytes at commit: they live until then.
    auto prepared = request.pdf
                        ? prepareOutputFile(fs, *request.pdf, failure,
                                            [&bytes](File& file) { return file.write(bytes.data(), bytes.size()); },
                                            &set)
                        : prepareOutputTo(fs, set, *request.text, out, failure, [&bytes, &failure](const OutputSink& sink) {
                              return sink(bytes) ? Status::ok() : Status::ioError(failure);
                          });
    if (!prepared) return prepared.status();
    if (request.noAdvance) return prepared->commit();
    return issueInvoiceNumber(fs, set, invoiceRequest.invoiceNumber, [&prepared] { return prepared->commit(); });
}

}  // namespace ql::cli
