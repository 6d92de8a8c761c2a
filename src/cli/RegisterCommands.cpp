#include "cli/CommandLine.h"
#include "cli/Commands.h"
#include "cli/FileSetArgument.h"
#include "cli/JsonRendering.h"

#include "core/reports/InvoiceRegister.h"
#include "core/store/FileSet.h"
#include "core/time/TimeText.h"

#include <CLI/CLI.hpp>

namespace ql::cli {
namespace {

const char* stateText(IssuedState state) { return state == IssuedState::Void ? "void" : "issued"; }

}  // namespace

Status runInvoices(FileSystem& fs, const InvoicesRequest& request, std::ostream& out) {
    const FileSet set(request.path);
    auto settings = openFileSet(fs, set);
    if (!settings) return settings.status();
    auto reg = readInvoiceRegister(fs, set);
    if (!reg) return reg.status();

    JsonArrayWriter writer(out);
    if (!request.json) out << "Number\tDate\tCustomer\tPeriod\tTotal\tState\n";
    const auto& invoices = reg->invoices();
    for (std::size_t i = 0; i < invoices.size(); ++i) {
        const IssuedInvoice& issued = invoices[i];
        // The customer's name and the money as the invoice showed them, whatever changed since.
        const std::string total = invoiceCentsText(issued.monetarySymbol, issued.sums.total);
        if (request.json) {
            Json row;
            row["number"] = issued.number;
            row["date"] = isoLocalTime(issued.issuedAt);
            row["dateEpoch"] = issued.issuedAt;
            row["customerId"] = issued.customerId;
            row["customer"] = issued.customerName;
            row["from"] = isoLocalTime(issued.periodStart);
            row["to"] = isoLocalTime(issued.periodEnd);
            row["netCents"] = issued.sums.net;
            row["taxCents"] = issued.sums.tax;
            row["totalCents"] = issued.sums.total;
            row["total"] = total;
            row["state"] = stateText(issued.state);
            row["rebills"] = issued.rebills;
            row["frames"] = issued.frames.size();
            writer.add(row);
            continue;
        }
        const bool monthFirst = settings->monthFirst();
        out << issued.number << '\t' << dateText(issued.issuedAt, monthFirst) << '\t' << issued.customerName << '\t'
            << dateText(issued.periodStart, monthFirst) << " - " << dateText(issued.periodEnd, monthFirst) << '\t'
            << total << '\t' << stateText(issued.state) << '\n';
    }
    if (request.json) writer.finish();
    return Status::ok();
}

Status runVoidInvoice(FileSystem& fs, const VoidInvoiceRequest& request, std::ostream&) {
    const FileSet set(request.path);
    auto settings = openFileSet(fs, set);
    if (!settings) return settings.status();
    const Status voided = voidInvoice(fs, set, request.number);
    // An unknown number is a typing error: misuse, with nothing written.
    if (voided.code() == StatusCode::NotFound) return Status::invalidArgument("--number: " + voided.message());
    return voided;
}

void addInvoicesCommand(CLI::App& app, CommandSetup& setup) {
    InvoicesRequest& request = setup.keep<InvoicesRequest>();
    CLI::App* c = app.add_subcommand(
        "invoices", "Print the register of issued invoices: number, date, customer, period, total and state");
    addFilePath(*c, request.path);
    c->add_flag("--json", request.json, "Print one JSON array of objects");
    c->callback([&setup, &request] {
        setup.choose([&setup, &request] { return runInvoices(setup.fs, request, setup.out); });
    });
}

void addVoidInvoiceCommand(CLI::App& app, CommandSetup& setup) {
    VoidInvoiceRequest& request = setup.keep<VoidInvoiceRequest>();
    CLI::App* c = app.add_subcommand(
        "void-invoice", "Mark an issued invoice void: it stays listed, its number is never issued again and its "
                        "frames count as unbilled");
    addFilePath(*c, request.path);
    c->add_option("--number", request.number, "The invoice's number")->required()->type_name("NUMBER");
    c->callback([&setup, &request] {
        setup.choose([&setup, &request] { return runVoidInvoice(setup.fs, request, setup.out); });
    });
}

}  // namespace ql::cli
