#pragma once

#include "core/Status.h"
#include "core/reports/Invoice.h"

#include <string>

// The invoice as an electronic invoice of the European standard EN 16931, in the UN/CEFACT
// Cross Industry Invoice syntax (D16B), the form a customer's software reads without a person.
namespace ql {

// The CII D16B XML (EN 16931 profile) of invoice as issued on invoice.request.issueDate (non-zero),
// UTF-8, deterministic bytes (same input, same bytes, any LANG); its dates are invoiceDates'.
// Fails (InvalidArgument, eInvoiceGapsMessage) when missingEInvoiceDetails is not empty, or when
// the invoice was not issued.
Result<std::string> ciiInvoiceXml(const Invoice& invoice, const InvoiceParties& parties);

}  // namespace ql
