#include "core/reports/InvoiceDetails.h"

#include "core/store/BillingFields.h"
#include "core/time/Calendar.h"
#include "core/time/TimeText.h"

namespace ql {
namespace {

// The labels of the date lines, printed and read back here alone.
constexpr const char kIssueLabel[] = "Invoice date: ";
constexpr const char kPeriodLabel[] = "Period: ";
constexpr const char kPeriodDash[] = " - ";
constexpr const char kDueLabel[] = "Due date: ";

// Printed in groups of four, as an IBAN is read out; stored without spaces.
std::string ibanGroups(const std::string& iban) {
    std::string out;
    for (std::size_t i = 0; i < iban.size(); ++i) {
        if (i > 0 && i % 4 == 0) out += ' ';
        out += iban[i];
    }
    return out;
}

void addIfGiven(std::vector<std::string>& lines, const char* label, const std::string& value) {
    if (!value.empty()) lines.push_back(label + value);
}

}  // namespace

InvoiceDetails invoiceDetails(const Invoice& invoice, const InvoiceParties& parties) {
    const SettingsRecord& settings = parties.settings;
    const BillingDetails& billing = parties.billing;
    const bool monthFirst = settings.monthFirst();
    InvoiceDetails out;
    const InvoiceRequest& request = invoice.request;
    if (invoice.issuedDates) {
        out.dates = *invoice.issuedDates;
    } else if (request.issueDate != 0) {
        const InvoiceDates dates = invoiceDates(invoice, parties);
        out.dates.push_back(kIssueLabel + dateText(dates.issue, monthFirst));
        out.dates.push_back(kPeriodLabel + dateText(dates.periodStart, monthFirst) + kPeriodDash +
                            dateText(dates.periodEnd, monthFirst));
        if (paymentTermsDays(billing.paymentTerms)) out.dates.push_back(kDueLabel + dateText(dates.due, monthFirst));
    }
    addIfGiven(out.seller, "VAT ID: ", billing.vatId);
    addIfGiven(out.seller, "Tax number: ", billing.taxNumber);
    if (!billing.registration.empty()) out.registration = "Registration: " + billing.registration;
    addIfGiven(out.customer, "VAT ID: ", parties.customerDetails.vatId);
    addIfGiven(out.customer, "Reference: ", parties.customerDetails.buyerReference);
    if (settings.applySalesTax == 0 && !billing.exemptionReason.empty()) {
        out.exemption = "VAT exemption: " + billing.exemptionReason;
        if (!billing.exemptionCode.empty()) out.exemption += " (" + billing.exemptionCode + ")";
    }
    if (!billing.iban.empty()) out.bankAccount = "IBAN: " + ibanGroups(billing.iban);
    if (!billing.bic.empty()) out.bankAccount += (out.bankAccount.empty() ? "BIC: " : "   BIC: ") + billing.bic;
    return out;
}

PrintedInvoiceDates readInvoiceDateLines(const std::vector<std::string>& lines, bool monthFirst) {
    PrintedInvoiceDates days;
    for (const std::string& line : lines) {
        const std::string_view text(line);
        const auto after = [&](std::string_view label) {
            return text.starts_with(label) ? text.substr(label.size()) : std::string_view();
        };
        if (const auto issue = dateOfText(after(kIssueLabel), monthFirst)) days.issue = issue;
        if (const std::string_view period = after(kPeriodLabel);
            period.size() == 23 && period.substr(10, 3) == kPeriodDash) {
            const auto first = dateOfText(period.substr(0, 10), monthFirst);
            const auto last = dateOfText(period.substr(13), monthFirst);
            if (first && last) {
                days.periodStart = first;
                days.periodEnd = last;
            }
        }
        if (const auto due = dateOfText(after(kDueLabel), monthFirst)) days.due = due;
    }
    return days;
}

void setIssuedDateLines(Invoice& invoice, std::vector<std::string> lines, bool monthFirst) {
    invoice.issuedDays = readInvoiceDateLines(lines, monthFirst);
    invoice.issuedDates = std::move(lines);
}

InvoiceDates invoiceDates(const Invoice& invoice, const InvoiceParties& parties) {
    const InvoiceRequest& request = invoice.request;
    const PrintedInvoiceDates& printed = invoice.issuedDays;
    const bool reprint = invoice.issuedDates.has_value();
    InvoiceDates dates{calendar::localDate(request.issueDate), calendar::localDate(request.periodStart),
                       calendar::localDate(request.periodEnd), {}};
    if (reprint && printed.issue) dates.issue = *printed.issue;
    if (reprint && printed.periodStart && printed.periodEnd) {
        dates.periodStart = *printed.periodStart;
        dates.periodEnd = *printed.periodEnd;
    }
    dates.due = reprint && printed.due ? *printed.due
                                       : calendar::addDays(dates.issue, paymentTermsDays(parties.billing.paymentTerms).value_or(0));
    return dates;
}

}  // namespace ql
