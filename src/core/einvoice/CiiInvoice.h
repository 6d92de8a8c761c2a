#pragma once

#include "core/Status.h"
#include "core/reports/Invoice.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

// The invoice as an electronic invoice of the European standard EN 16931, in the UN/CEFACT
// Cross Industry Invoice syntax (D16B), the form a customer's software reads without a person.
namespace ql {

// A detail the standard requires that the invoice lacks: what it is and where the user fills it in
// (e.g. {"the seller's country code", "File > Properties > Billing"}).
struct EInvoiceGap {
    std::string detail;
    std::string where;
    bool operator==(const EInvoiceGap&) const = default;
};

// Every detail the XML needs that invoice and parties lack, in a fixed order: seller name,
// country code, VAT ID or registration, exemption reason (no sales tax and a seller VAT ID),
// customer name and country code, currency code. Empty when the XML can be written.
std::vector<EInvoiceGap> missingEInvoiceDetails(const Invoice& invoice, const InvoiceParties& parties);

// One message naming every gap, one per line, for the window and the command line.
std::string eInvoiceGapsMessage(const std::vector<EInvoiceGap>& gaps);

// The CII D16B XML (EN 16931 profile) of invoice as issued on invoice.request.issueDate (non-zero),
// UTF-8, deterministic bytes (same input, same bytes, any LANG). Fails (InvalidArgument, the gaps
// message) when missingEInvoiceDetails is not empty, or when the invoice was not issued.
Result<std::string> ciiInvoiceXml(const Invoice& invoice, const InvoiceParties& parties);

// What a CII invoice says about itself, as its texts stand in the XML: amounts as written
// ("1234.50"), dates of format 102 as "YYYY-MM-DD" (other formats as written).
struct EInvoiceSummary {
    std::string number;
    std::string issueDate;
    std::string dueDate;  // empty when the file gives none
    std::string sellerName;
    std::string sellerVatId;  // empty when none
    std::string buyerName;
    std::string buyerVatId;  // empty when none
    std::string currency;
    std::string net;    // sum of the line net amounts (BT-106)
    std::string tax;    // total tax amount in the invoice currency (BT-110)
    std::string total;  // grand total (BT-112)
    std::string due;    // amount due for payment (BT-115)
    std::size_t lineCount = 0;
    bool operator==(const EInvoiceSummary&) const = default;
};

// Reads the summary of a CII invoice from its XML text. Fails (InvalidArgument, with a reason)
// when xml is not XML or not a Cross Industry Invoice; missing parts are left empty.
Result<EInvoiceSummary> readCiiSummary(std::string_view xml);

}  // namespace ql
