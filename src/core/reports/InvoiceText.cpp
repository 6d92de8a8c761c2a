#include "core/reports/InvoiceText.h"

#include "core/reports/InvoiceDetails.h"

namespace ql {

std::string invoiceFileText(const Invoice& invoice, const InvoiceParties& parties) {
    const SettingsRecord& settings = parties.settings;
    const CustomerRecord& customer = parties.customer;
    std::string out;
    out.reserve(512 + invoice.lines.size() * 96);
    out += settings.invoiceText + " " + invoice.request.invoiceNumber + "\n\n";
    out += "CUSTOMER :\n";
    out += customer.name + "\n";
    out += customer.address + "\n";
    out += cityLine(customer.city, customer.state, customer.zip) + "\n";
    out += customer.country + "\n";
    const InvoiceDetails details = invoiceDetails(invoice, parties);
    for (const std::string& line : details.customer) out += line + "\n";
    out += "\n\n";
    bool detailed = false;
    for (const auto* lines : {&details.dates, &details.seller})
        for (const std::string& line : *lines) {
            out += line + "\n";
            detailed = true;
        }
    if (!details.registration.empty()) {
        out += details.registration + "\n";
        detailed = true;
    }
    if (detailed) out += "\n";
    out += "Project\tDate\tTime\tDuration\tPrice/hour\tTotal\n";
    for (const InvoiceLine& line : invoice.lines) {
        const InvoiceLineCells cells = invoiceLineCells(line, settings);
        for (const std::string* field : {&cells.project, &cells.date, &cells.time, &cells.duration, &cells.rate,
                                         &cells.amount}) {
            out += *field;
            out += '\t';
        }
        out += '\n';
    }
    const std::int64_t net = invoice.netCents();
    out += "\nTOTAL: " + invoiceCentsText(settings.monetarySymbol, net) + "\n";
    if (settings.applySalesTax != 0) {
        const InvoiceTax tax = invoiceTax(settings, net);
        out += tax.rateLabel + ": " + invoiceCentsText(settings.monetarySymbol, tax.taxCents) + "\n";
        out += tax.totalLabel + ": " + invoiceCentsText(settings.monetarySymbol, tax.totalCents) + "\n\n";
    }
    if (!details.exemption.empty()) out += details.exemption + "\n";
    if (!details.bankAccount.empty()) out += details.bankAccount + "\n";
    return out;
}

}  // namespace ql
