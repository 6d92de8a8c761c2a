#pragma once

#include "core/reports/Invoice.h"

#include <string>
#include <vector>

namespace ql {

// The lines an invoice shows beyond its company, customer, grid and totals, as plain texts,
// made once for the printed page and the text file so the two always agree. A line is there
// only when what it shows is known; a set without billing details gets only the dates.
struct InvoiceDetails {
    // "Invoice date: " + date, "Period: " + first day + " - " + last day, and "Due date: " +
    // the issue date plus the payment terms' days; none of them before the invoice is issued.
    std::vector<std::string> dates;
    // "VAT ID: " and "Tax number: " of the seller.
    std::vector<std::string> seller;
    // "Registration: " + the seller's registration number.
    std::string registration;
    // "VAT ID: ", "Reference: " of the customer (the buyer reference).
    std::vector<std::string> customer;
    // "VAT exemption: " + reason (+ " (" + code + ")"), when no sales tax is applied.
    std::string exemption;
    // "IBAN: " + IBAN in groups of four, "   BIC: " + BIC, as far as they are given.
    std::string bankAccount;
};

// Dates in the date pattern of settings, the same bytes in every locale.
InvoiceDetails invoiceDetails(const Invoice& invoice, const InvoiceParties& parties);

}  // namespace ql
