#pragma once

#include "core/reports/Invoice.h"
#include "core/time/Calendar.h"

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

// Invoices built in memory with every detail an e-invoice needs, for the tests of the XML and
// its corpus; the caller pins TZ.
namespace ql::testing {

inline std::int32_t localTime(int y, int mo, int d, int h = 0, int mi = 0) {
    return calendar::fromLocal(y, mo, d, h, mi, 0).value();
}

// A German seller charging 19 % to a French customer, paid by SEPA transfer in 14 days.
inline InvoiceParties completeParties() {
    InvoiceParties p;
    p.settings.companyName = "Müller & Söhne Design GmbH";
    p.settings.companyAddress = "Hauptstraße 5";
    p.settings.city = "Köln";
    p.settings.zip = "50667";
    p.settings.country = "Deutschland";
    p.settings.phone = "+49 221 123456";
    p.settings.invoiceText = "Rechnung";
    p.settings.footer = "Thank you.\r\nBank: Sparkasse";
    p.settings.applySalesTax = 1;
    p.settings.salesTaxLabel = "VAT";
    p.settings.salesTaxRate = 19.0;
    p.settings.dateFormat = 0;
    p.settings.monetarySymbol = "€";
    p.customer.id = 7;
    p.customer.name = "Société Générale d'Études";
    p.customer.address = "12 rue de l'Église";
    p.customer.city = "Lyon";
    p.customer.zip = "69002";
    p.customer.country = "France";
    p.billing.countryCode = "DE";
    p.billing.vatId = "DE123456789";
    p.billing.taxNumber = "12/345/67890";
    p.billing.registration = "HRB 12345 Köln";
    p.billing.iban = "DE89370400440532013000";
    p.billing.bic = "COBADEFFXXX";
    p.billing.paymentTerms = "14";
    p.billing.currencyCode = "EUR";
    p.customerDetails.countryCode = "FR";
    p.customerDetails.vatId = "FR40303265045";
    p.customerDetails.email = "compta@example.fr";
    p.customerDetails.buyerReference = "PO-2026-17";
    return p;
}

// Invoice 2026-0042 of March 2026, issued on 2 April 2026 at noon, of lines (sorted).
inline Invoice sampleInvoice(std::vector<InvoiceLine> lines) {
    Invoice invoice;
    invoice.request = {7, localTime(2026, 3, 1), localTime(2026, 3, 31, 23, 59) + 59, "2026-0042",
                       localTime(2026, 4, 2, 12)};
    sortInvoiceLines(lines);
    invoice.lines = std::move(lines);
    return invoice;
}

// Two frames of two projects: 1 h 30 min at 85.50 and 20 min at 120.
inline Invoice sampleInvoice() {
    return sampleInvoice({{"Website: Relaunch", 85.5, localTime(2026, 3, 3, 9), localTime(2026, 3, 3, 10, 30), 1},
                          {"Beratung", 120.0, localTime(2026, 3, 4, 14), localTime(2026, 3, 4, 14, 20), 2}});
}

}  // namespace ql::testing
