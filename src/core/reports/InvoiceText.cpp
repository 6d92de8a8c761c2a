#include "core/reports/InvoiceText.h"

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
    out += "\n\n";
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
    return out;
}

}  // namespace ql
