#include "core/reports/Invoice.h"

#include "core/store/Customers.h"
#include "core/store/FileSet.h"
#include "core/store/Projects.h"
#include "core/store/Settings.h"
#include "core/store/TimeFrames.h"
#include "core/text/NumberText.h"
#include "core/time/Calendar.h"
#include "core/time/TimeText.h"

#include <algorithm>
#include <cstring>
#include <limits>

namespace ql {
namespace {

const char* const kNoCustomer = "Select a customer for the invoice. Create one with Edit Customers first.";

bool nameBefore(const std::string& a, const std::string& b) {
    // std::string compares char, which is signed here; names compare as unsigned bytes.
    const std::size_t n = std::min(a.size(), b.size());
    const int c = n == 0 ? 0 : std::memcmp(a.data(), b.data(), n);
    return c != 0 ? c < 0 : a.size() < b.size();
}

bool isCBlank(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r'; }

}  // namespace

double Invoice::total() const {
    double sum = 0.0;
    for (const InvoiceLine& line : lines) sum += line.amount();
    return sum;
}

int Invoice::pageCount() const {
    const auto count = static_cast<int>(lines.size());
    return count / kInvoiceLinesPerPage + (count % kInvoiceLinesPerPage != 0 ? 1 : 0);
}

ReportPeriod defaultInvoicePeriod(std::int32_t now) { return {calendar::monthStart(now), calendar::monthEnd(now)}; }

InvoiceTax invoiceTax(const SettingsRecord& settings, double total) {
    InvoiceTax tax;
    tax.rateLabel = settings.salesTaxLabel + " (" + fixed2Text(settings.salesTaxRate) + "%)";
    tax.tax = settings.salesTaxRate * 0.01 * total;
    tax.totalLabel = "TOTAL + " + settings.salesTaxLabel;
    tax.totalWithTax = total * (settings.salesTaxRate * 0.01 + 1.0);
    return tax;
}

std::string invoiceAmountText(const std::string& monetarySymbol, double amount) {
    return monetarySymbol + fixed2Text(amount);
}

InvoiceLineCells invoiceLineCells(const InvoiceLine& line, const SettingsRecord& settings) {
    return {line.projectName,
            dateText(line.start, settings.monthFirst()),
            clockText(line.start),
            // The hours within a day, so 25 h 30 min reads 01:30.
            signedSpanText(std::int64_t{line.minutes()} * 60),
            invoiceAmountText(settings.monetarySymbol, line.rate),
            invoiceAmountText(settings.monetarySymbol, line.amount())};
}

std::string cityLine(const std::string& city, const std::string& state, const std::string& zip) {
    if (state.empty()) return zip + " " + city;
    return city + ", " + state + "-" + zip;
}

void sortInvoiceLines(std::vector<InvoiceLine>& lines) {
    std::stable_sort(lines.begin(), lines.end(), [](const InvoiceLine& a, const InvoiceLine& b) {
        if (a.projectName != b.projectName) return nameBefore(a.projectName, b.projectName);
        return a.start < b.start;
    });
}

Status checkInvoiceNumber(std::string_view invoiceNumber) {
    if (invoiceNumber.size() > InvoiceRequest::kNumberWidth - 1)
        return Status::invalidArgument("The invoice number is too long: it may have at most " +
                                       std::to_string(InvoiceRequest::kNumberWidth - 1) + " characters.");
    return Status::ok();
}

Status checkInvoiceCustomer(FileSystem& fs, const std::string& customersPath, std::int32_t customerId) {
    if (customerId == -1) return Status::invalidArgument(kNoCustomer);
    auto found = findCustomerById(fs, customersPath, customerId);
    if (!found) return found.status();
    if (!*found)
        return Status::notFound("This customer is no longer in the customers file : " + customersPath);
    return Status::ok();
}

Result<Invoice> LoadInvoice(FileSystem& fs, const InvoiceRequest& request, const FileSet& set) {
    // Customer -1 would match every project without a customer.
    if (request.customerId == -1) return Status::invalidArgument(kNoCustomer);
    auto projects = ProjectIndex::load(fs, set.projects());
    if (!projects) return projects.status();

    Invoice invoice;
    invoice.request = request;
    invoice.settingsPath = set.settings();
    const Status scanned =
        forEachTimeFrame(fs, set.timeFrames(), [&](const TimeFrameRecord& frame) {
            if (frame.start < request.periodStart || frame.end > request.periodEnd) return;
            const ProjectRecord* project = projects->find(frame.projectId);
            if (!project || project->customerId != request.customerId) return;
            invoice.lines.push_back({project->name, project->chargesPerHour, frame.start, frame.end});
        });
    if (!scanned) return scanned;
    sortInvoiceLines(invoice.lines);
    return invoice;
}

Result<InvoiceParties> loadInvoiceParties(FileSystem& fs, const Invoice& invoice) {
    auto settings = readSettings(fs, FileSet(invoice.settingsPath));
    if (!settings) return settings.status();
    return loadInvoiceParties(fs, invoice, std::move(settings).value());
}

Result<InvoiceParties> loadInvoiceParties(FileSystem& fs, const Invoice& invoice, SettingsRecord settings) {
    const std::string customersPath = FileSet(invoice.settingsPath).customers();
    auto customer = findCustomerById(fs, customersPath, invoice.request.customerId);
    if (!customer) return customer.status();
    if (!*customer)
        return Status::notFound("This customer is no longer in the customers file : " + customersPath);
    return InvoiceParties{std::move(settings), **customer};
}

std::string nextInvoiceNumberAfter(std::string_view typed) {
    std::size_t i = 0;
    while (i < typed.size() && isCBlank(typed[i])) ++i;
    bool negative = false;
    if (i < typed.size() && (typed[i] == '+' || typed[i] == '-')) negative = typed[i++] == '-';
    // strtol saturates at the ends of long; so does this, and + 1 never overflows.
    constexpr long kMax = std::numeric_limits<long>::max();
    constexpr long kMin = std::numeric_limits<long>::min();
    long value = 0;
    for (; i < typed.size() && typed[i] >= '0' && typed[i] <= '9'; ++i) {
        const int digit = typed[i] - '0';
        if (!negative) value = value > (kMax - digit) / 10 ? kMax : value * 10 + digit;
        else value = value < (kMin + digit) / 10 ? kMin : value * 10 - digit;
    }
    if (value != kMax) ++value;
    return std::to_string(value);
}

Status advanceInvoiceNumber(FileSystem& fs, const FileSet& set, std::string_view typed) {
    return updateSettings(fs, set, [&](SettingsRecord& settings) {
        settings.nextInvoiceNumber = nextInvoiceNumberAfter(typed);
        return Status::ok();
    });
}

}  // namespace ql
