#pragma once

#include "core/reports/Invoice.h"

#include <string>
#include <vector>

namespace ql {

// A rectangle in page units of the 620 x 830 logical page; right and bottom are outside.
struct InvoiceRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    bool operator==(const InvoiceRect&) const = default;
};

enum class InvoiceTextStyle {
    Title,    // bold Arial 14 units, one line at the top left of its rectangle
    Line,     // default font, one line, vertically centred, clipped
    Wrapped,  // default font, from the top left, wrapped at words, broken at each '\n'
};

struct InvoicePageText {
    InvoiceRect rect;
    std::string text;
    bool alignRight = false;
    InvoiceTextStyle style = InvoiceTextStyle::Line;
    // The last keepTail bytes of text stay readable when the whole does not fit one line: the
    // part before them gives way (the invoice number of the title).
    std::size_t keepTail = 0;
    bool operator==(const InvoicePageText&) const = default;
};

// Everything page n shows, as plain values: frames are one-unit black borders drawn inside
// their rectangle; texts in drawing order.
struct InvoicePage {
    std::vector<InvoiceRect> frames;
    std::vector<InvoicePageText> texts;
};

// Page n (1-based) of invoice: title, company and customer blocks, the six-column grid with
// its headings, lines (n - 1) x 30 to n x 30 - 1, the totals over all lines (with the tax rows
// when sales tax applies), the footer note with its CR LF as '\n', and "Page n" when the
// invoice has more than one page. The invoiceDetails lines take room the blocks leave free: the
// dates and the seller's numbers below the company block, the customer's below the customer
// block, an exemption where the tax rows would be, the bank account and the registration below
// the footer. A page beyond the last shows no lines. The footer ends
// above the page number; the title keeps the number readable however long the invoice text.
InvoicePage invoicePage(const Invoice& invoice, const InvoiceParties& parties, int page);

}  // namespace ql
