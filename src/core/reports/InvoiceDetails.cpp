#include "core/reports/InvoiceDetails.h"

#include "core/store/BillingFields.h"
#include "core/time/Calendar.h"
#include "core/time/TimeText.h"

namespace ql {
namespace {

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
        out.dates.push_back("Invoice date: " + dateText(request.issueDate, monthFirst));
        out.dates.push_back("Period: " + dateText(request.periodStart, monthFirst) + " - " +
                            dateText(request.periodEnd, monthFirst));
        if (const auto days = paymentTermsDays(billing.paymentTerms))
            out.dates.push_back("Due date: " +
                                dateText(calendar::addDays(calendar::localDate(request.issueDate), *days), monthFirst));
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

}  // namespace ql
