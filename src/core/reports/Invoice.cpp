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
#include <cmath>
#include <cstring>

namespace ql {
namespace {

const Message kNoCustomer(MessageId::SelectInvoiceCustomer, {Place::EditCustomers});

bool nameBefore(const std::string& a, const std::string& b) {
    // std::string compares char, which is signed here; names compare as unsigned bytes.
    const std::size_t n = std::min(a.size(), b.size());
    const int c = n == 0 ? 0 : std::memcmp(a.data(), b.data(), n);
    return c != 0 ? c < 0 : a.size() < b.size();
}

// A rate or a span absurd enough to leave 64 bits must not wrap into a plausible amount.
std::int64_t roundedCents(double cents) {
    if (std::isnan(cents)) return 0;
    constexpr auto kLimit = static_cast<double>(kInvoiceCentsLimit);
    if (cents >= kLimit) return kInvoiceCentsLimit;
    if (cents <= -kLimit) return -kInvoiceCentsLimit;
    return std::llround(cents);
}

// Both within the limit, so neither the sum nor the tests against the limit can overflow.
std::int64_t addCents(std::int64_t a, std::int64_t b) {
    if (b > 0 && a > kInvoiceCentsLimit - b) return kInvoiceCentsLimit;
    if (b < 0 && a < -kInvoiceCentsLimit - b) return -kInvoiceCentsLimit;
    return a + b;
}

bool isDigit(char c) { return c >= '0' && c <= '9'; }

}  // namespace

std::int64_t invoiceCents(double amount) { return roundedCents(amount * 100.0); }

std::int64_t Invoice::netCents() const {
    std::int64_t sum = 0;
    for (const InvoiceLine& line : lines) sum = addCents(sum, line.cents());
    return sum;
}

int Invoice::pageCount() const {
    const auto count = static_cast<int>(lines.size());
    return count / kInvoiceLinesPerPage + (count % kInvoiceLinesPerPage != 0 ? 1 : 0);
}

ReportPeriod defaultInvoicePeriod(std::int32_t now) { return {calendar::monthStart(now), calendar::monthEnd(now)}; }

InvoiceTax invoiceTax(const SettingsRecord& settings, std::int64_t netCents) {
    InvoiceTax tax;
    tax.rateLabel = settings.salesTaxLabel + " (" + fixed2Text(settings.salesTaxRate) + "%)";
    // Of the net as printed, so that net + tax is the printed total to the cent.
    tax.taxCents = roundedCents(static_cast<double>(netCents) * settings.salesTaxRate / 100.0);
    tax.totalLabel = "TOTAL + " + settings.salesTaxLabel;
    tax.totalCents = addCents(netCents, tax.taxCents);
    return tax;
}

InvoiceSums invoiceSums(const Invoice& invoice, const SettingsRecord& settings) {
    InvoiceSums sums;
    sums.net = invoice.netCents();
    sums.total = sums.net;
    if (settings.applySalesTax != 0) {
        const InvoiceTax tax = invoiceTax(settings, sums.net);
        sums.tax = tax.taxCents;
        sums.total = tax.totalCents;
    }
    return sums;
}

std::string invoiceAmountText(const std::string& monetarySymbol, double amount) {
    return monetarySymbol + fixed2Text(amount);
}

std::string invoiceCentsText(const std::string& monetarySymbol, std::int64_t cents) {
    return monetarySymbol + centsText(cents);
}

InvoiceLineCells invoiceLineCells(const InvoiceLine& line, const SettingsRecord& settings) {
    if (line.issued) return line.issued->cells;
    return {line.projectName,
            dateText(line.start, settings.monthFirst()),
            clockText(line.start),
            // Every hour, as the export shows it: a frame of 25 h 30 min bills 25:30, not 01:30.
            hoursMinutesText(line.minutes()),
            invoiceAmountText(settings.monetarySymbol, line.rate),
            invoiceCentsText(settings.monetarySymbol, line.cents())};
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
        return Status::invalidArgument(
            Message(MessageId::InvoiceNumberTooLong, {std::to_string(InvoiceRequest::kNumberWidth - 1)}));
    return Status::ok();
}

Status checkInvoiceCustomer(FileSystem& fs, const std::string& customersPath, std::int32_t customerId) {
    if (customerId == -1) return Status::invalidArgument(kNoCustomer);
    auto found = findCustomerById(fs, customersPath, customerId);
    if (!found) return found.status();
    if (!*found)
        return Status::notFound(Message(MessageId::CustomerGone, {customersPath}));
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
            if (!InPeriod(frame.start, {request.periodStart, request.periodEnd})) return;
            const ProjectRecord* project = projects->find(frame.projectId);
            if (!project || project->customerId != request.customerId) return;
            invoice.lines.push_back({project->name, project->chargesPerHour, frame.start, frame.end, frame.projectId});
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
        return Status::notFound(Message(MessageId::CustomerGone, {customersPath}));
    const FileSet set(invoice.settingsPath);
    auto billing = readBillingDetails(fs, set);
    if (!billing) return billing.status();
    auto customerDetails = readCustomerDetails(fs, set, invoice.request.customerId);
    if (!customerDetails) return customerDetails.status();
    return InvoiceParties{std::move(settings), **customer, std::move(billing).value(),
                          std::move(customerDetails).value()};
}

std::string nextInvoiceNumberAfter(std::string_view typed) {
    std::size_t end = typed.size();
    while (end > 0 && !isDigit(typed[end - 1])) --end;
    if (end == 0) return "1";
    std::string next(typed);
    // Count up from the last digit; a carry out of the group's first digit widens the group.
    std::size_t i = end;
    while (i > 0 && isDigit(next[i - 1])) {
        --i;
        if (next[i] != '9') {
            ++next[i];
            return next;
        }
        next[i] = '0';
    }
    next.insert(i, 1, '1');
    return next;
}

Status advanceInvoiceNumber(FileSystem& fs, const FileSet& set, std::string_view typed) {
    return updateSettings(fs, set, [&](SettingsRecord& settings) {
        settings.nextInvoiceNumber = nextInvoiceNumberAfter(typed);
        return Status::ok();
    });
}

}  // namespace ql
