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

// The days the date lines of invoiceDetails show ("Invoice date: " + date, "Period: " + first
// + " - " + last, "Due date: " + date), read in the date order they were printed in; a day
// whose line is missing or does not read as such is left unset.
PrintedInvoiceDates readInvoiceDateLines(const std::vector<std::string>& lines, bool monthFirst);

// Makes invoice a reprint of lines as its printed date lines: keeps them and the days they show.
void setIssuedDateLines(Invoice& invoice, std::vector<std::string> lines, bool monthFirst);

// The days of an issued invoice (request.issueDate set): the local days of its request, due
// the payment terms' days after the issue (none: on the issue day). A reprint takes the days
// its printed lines show, so that the page and the XML agree whatever the time zone is now;
// a due day it did not print is its issue day plus the terms.
InvoiceDates invoiceDates(const Invoice& invoice, const InvoiceParties& parties);

}  // namespace ql
