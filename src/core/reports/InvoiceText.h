#pragma once

#include "core/reports/Invoice.h"

#include <string>

namespace ql {

// The bytes of the invoice text file, the one producer for every front end: the number, the
// customer block (with the customer's invoiceDetails lines), the dates and the seller's numbers
// followed by an empty line when there are any, a TAB-separated line per invoiced frame (each field followed by a TAB), the
// total and, when the settings apply sales tax, the tax and the total with tax. Line feeds
// alone; UTF-8 as the records hold it; amounts with two places in every locale, the lines'
// cents adding up to the total (invoiceSums); then the exemption and the bank account lines
// when there are any. The company block and the footer note are not
// written.
std::string invoiceFileText(const Invoice& invoice, const InvoiceParties& parties);

}  // namespace ql
