#include "core/reports/InvoicePage.h"

#include "core/reports/InvoiceDetails.h"

#include <algorithm>
#include <array>

namespace ql {
namespace {

constexpr std::array<int, 7> kEdges = {10, 210, 290, 340, 400, 480, 560};
constexpr std::array<const char*, 6> kHeadings = {"Project", "Date", "Time", "Duration", "Price/Hour", "Total"};
constexpr int kLineHeight = 15;
constexpr int kGridTop = 180;
constexpr int kHeaderBottom = 200;
constexpr int kGridBottom = 660;
constexpr int kInset = 5;

std::string footerLines(std::string footer) {
    std::string out;
    out.reserve(footer.size());
    for (std::size_t i = 0; i < footer.size(); ++i) {
        if (footer[i] == '\r' && i + 1 < footer.size() && footer[i + 1] == '\n') continue;
        out += footer[i];
    }
    return out;
}

}  // namespace

InvoicePage invoicePage(const Invoice& invoice, const InvoiceParties& parties, int page) {
    const SettingsRecord& settings = parties.settings;
    const CustomerRecord& customer = parties.customer;
    InvoicePage out;
    auto line = [&](InvoiceRect rect, std::string text, bool right = false) {
        out.texts.push_back({rect, std::move(text), right, InvoiceTextStyle::Line});
    };

    out.texts.push_back({{360, 20, 560, 170},
                         settings.invoiceText + " " + invoice.request.invoiceNumber,
                         false,
                         InvoiceTextStyle::Title,
                         invoice.request.invoiceNumber.size()});

    const std::string company[] = {settings.companyName, settings.companyAddress,
                                   cityLine(settings.city, settings.state, settings.zip), settings.country,
                                   settings.phone};
    int y = 20;
    for (const std::string& text : company) {
        line({10, y, 210, y + kLineHeight}, text);
        y += kLineHeight;
    }
    const std::string customerBlock[] = {customer.name, customer.address,
                                         cityLine(customer.city, customer.state, customer.zip), customer.country};
    y = 70;
    for (const std::string& text : customerBlock) {
        line({360, y, 560, y + kLineHeight}, text);
        y += kLineHeight;
    }

    // The details fill room the blocks above leave free, so those keep their places: the dates
    // and the seller's numbers below the company block, the customer's below the customer block.
    const InvoiceDetails details = invoiceDetails(invoice, parties);
    y = 100;
    for (const auto* lines : {&details.dates, &details.seller})
        for (const std::string& text : *lines) {
            line({10, y, 350, y + kLineHeight}, text);
            y += kLineHeight;
        }
    y = 130;
    for (const std::string& text : details.customer) {
        line({360, y, 560, y + kLineHeight}, text);
        y += kLineHeight;
    }

    for (std::size_t c = 0; c + 1 < kEdges.size(); ++c) {
        out.frames.push_back({kEdges[c], kGridTop, kEdges[c + 1] + 1, kGridBottom});
        out.frames.push_back({kEdges[c], kGridTop, kEdges[c + 1] + 1, kHeaderBottom});
        line({kEdges[c] + kInset, kGridTop, kEdges[c + 1] - kInset, kHeaderBottom}, kHeadings[c]);
    }

    const std::size_t first = page >= 1 ? static_cast<std::size_t>(page - 1) * kInvoiceLinesPerPage : invoice.lines.size();
    const std::size_t last = std::min(invoice.lines.size(), first + kInvoiceLinesPerPage);
    y = kHeaderBottom;
    for (std::size_t i = first; i < last; ++i) {
        const InvoiceLineCells cells = invoiceLineCells(invoice.lines[i], settings);
        const std::string* fields[] = {&cells.project, &cells.date,  &cells.time,
                                       &cells.duration, &cells.rate, &cells.amount};
        for (std::size_t c = 0; c < 6; ++c)
            line({kEdges[c] + kInset, y, kEdges[c + 1] - kInset, y + kLineHeight}, *fields[c], c >= 4);
        y += kLineHeight;
    }

    auto totalRow = [&](int top, std::string label, std::int64_t cents) {
        out.frames.push_back({10, top, 480, top + 20});
        out.frames.push_back({480, top, 561, top + 20});
        line({10 + kInset, top, 480 - kInset, top + 20}, std::move(label));
        line({480 + kInset, top, 561 - kInset, top + 20}, invoiceCentsText(settings.monetarySymbol, cents), true);
    };
    const std::int64_t net = invoice.netCents();
    totalRow(660, "TOTAL", net);
    if (settings.applySalesTax != 0) {
        const InvoiceTax tax = invoiceTax(settings, net);
        totalRow(680, tax.rateLabel, tax.taxCents);
        totalRow(700, tax.totalLabel, tax.totalCents);
    } else if (!details.exemption.empty()) {
        // Where the tax rows would be: the reason there are none.
        line({10 + kInset, 680, 560, 700}, details.exemption);
    }

    // A long footer would run into the page number: it keeps to the room above it.
    const bool numbered = invoice.pageCount() > 1;
    out.texts.push_back(
        {{10, 720, 560, numbered ? 780 : 800}, footerLines(settings.footer), false, InvoiceTextStyle::Wrapped});
    if (numbered) line({10, 780, 580, 800}, "Page " + std::to_string(page), true);
    // Below everything the page held before, so the footer and the page number stay put.
    if (!details.bankAccount.empty()) line({10, 800, 580, 815}, details.bankAccount);
    if (!details.registration.empty()) line({10, 815, 580, 830}, details.registration);
    return out;
}

}  // namespace ql
