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

// Every detail the XML needs that invoice and parties lack, in a fixed order: the number; the
// seller's name, country code, VAT ID or registration number; with sales tax a rate above zero
// and a VAT ID or tax number; without it and with a seller VAT ID an exemption reason (and a
// VATEX code of the standard's list, when one is given); the customer's name and country code;
// the currency code; at least one line, every project named. A code the billing fields accept
// but the standard's code lists lack is a gap too. Empty when the XML can be written.
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
