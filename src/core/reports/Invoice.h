#pragma once

#include "core/Status.h"
#include "core/reports/ReportPeriod.h"
#include "core/store/BillingDetails.h"
#include "core/store/CustomerRecord.h"
#include "core/store/FileSet.h"
#include "core/store/FileSystem.h"
#include "core/store/InvoiceRegisterFile.h"
#include "core/store/SettingsRecord.h"
#include "core/time/Calendar.h"
#include "core/tracking/Charges.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace ql {

// What the New invoice dialog asks for: one customer's time frames within a period.
struct InvoiceRequest {
    // The stored number text holds at most 31 bytes and its NUL.
    static constexpr std::size_t kNumberWidth = 32;

    std::int32_t customerId = -1;   // -1: none selected
    std::int32_t periodStart = 0;   // 00:00:00 of the From date
    std::int32_t periodEnd = 0;     // 23:59:59 of the To date
    std::string invoiceNumber;      // as typed (UTF-8)
    std::int32_t issueDate = 0;     // when the invoice was issued; 0: not issued, no dates printed

    bool operator==(const InvoiceRequest&) const = default;
};

// The period a new invoice starts from, in the New Invoice dialog and on the command line:
// the whole month of now, from its first to its last instant.
ReportPeriod defaultInvoicePeriod(std::int32_t now);

// Money on an invoice is whole cents, so that what is printed adds up. An amount of the charge
// rule becomes llround(amount x 100.0) cents (halves away from zero), held within
// +-kInvoiceCentsLimit; a NaN becomes 0.
inline constexpr std::int64_t kInvoiceCentsLimit = std::int64_t{1} << 62;
std::int64_t invoiceCents(double amount);

// The six cells of a line as printed and written: project name, start date in the long
// date pattern of settings, start time "%H:%M", duration as every hour and minute ("25:30"),
// symbol + rate "%.2f", symbol + the line's cents. Locale-independent.
struct InvoiceLineCells {
    std::string project, date, time, duration, rate, amount;
    bool operator==(const InvoiceLineCells&) const = default;
};

// A line as an issued invoice printed it, kept in the register so that a reprint shows the
// same texts and cents whatever changed since (a time zone, a rule, a project).
struct IssuedLineText {
    InvoiceLineCells cells;
    std::int64_t cents = 0;
    bool operator==(const IssuedLineText&) const = default;
};

// One invoiced time frame with its project's name and rate at the time of building.
struct InvoiceLine {
    std::string projectName;
    double rate = 0.0;
    std::int32_t start = 0;
    std::int32_t end = 0;
    std::int32_t projectId = -1;  // with start and end, the frame's signature in the register
    std::optional<IssuedLineText> issued = std::nullopt;  // set on a reprint: printed as it was

    std::int32_t minutes() const { return wholeMinutes(std::int64_t{end} - start); }
    double amount() const { return chargeFor(rate, minutes()); }
    // The amount as printed: rounded to cents once (as issued, on a reprint).
    std::int64_t cents() const { return issued ? issued->cents : invoiceCents(amount()); }
    bool operator==(const InvoiceLine&) const = default;
};

inline constexpr int kInvoiceLinesPerPage = 30;

// The calendar days an invoice shows: issued, the period's first and last, due.
struct InvoiceDates {
    calendar::Date issue, periodStart, periodEnd, due;
    bool operator==(const InvoiceDates&) const = default;
};

// The days a reprint's printed date lines show, read from them once when the register is read
// (readInvoiceDateLines); a line that is missing or unreadable leaves its day unset.
struct PrintedInvoiceDates {
    std::optional<calendar::Date> issue, periodStart, periodEnd, due;
    bool operator==(const PrintedInvoiceDates&) const = default;
};

struct Invoice {
    InvoiceRequest request;
    std::vector<InvoiceLine> lines;  // sorted by sortInvoiceLines
    std::string settingsPath;        // the other files of the set are derived from it
    // A reprint from the register: printed with the parties it was issued with, never read again.
    bool asIssued = false;
    // On a reprint: the date lines (issue date, period, due date) as they were printed, whatever
    // the time zone or the date order now.
    std::optional<std::vector<std::string>> issuedDates = std::nullopt;
    // On a reprint: the days those lines show, both set by setIssuedDateLines (InvoiceDetails.h).
    PrintedInvoiceDates issuedDays{};

    // The net: the sum of every line's cents (held within +-kInvoiceCentsLimit).
    std::int64_t netCents() const;
    // Lines / 30, plus 1 for a remainder; 0 lines give 0 pages.
    int pageCount() const;
};

// The company and customer an invoice is printed for, read when it is printed or written,
// with their billing details (empty for a set without them).
struct InvoiceParties {
    SettingsRecord settings;
    CustomerRecord customer;
    BillingDetails billing{};
    CustomerDetails customerDetails{};
};

// The sales tax rows of an invoice of netCents; the labels are those of the printed page.
struct InvoiceTax {
    std::string rateLabel;      // label + " (" + "%.2f" rate + "%)"
    std::int64_t taxCents = 0;  // llround(net cents x rate / 100.0)
    std::string totalLabel;     // "TOTAL + " + label
    std::int64_t totalCents = 0;  // net + tax
};
InvoiceTax invoiceTax(const SettingsRecord& settings, std::int64_t netCents);

// What an invoice adds up to, in cents: the net of its lines, the tax (0 when the settings
// apply no sales tax) and net + tax. The page, the text file and a register take these.
InvoiceSums invoiceSums(const Invoice& invoice, const SettingsRecord& settings);

// The cells of line as described at InvoiceLineCells; those it was issued with when set.
InvoiceLineCells invoiceLineCells(const InvoiceLine& line, const SettingsRecord& settings);

// symbol + amount in "%.2f" form, locale-independent.
std::string invoiceAmountText(const std::string& monetarySymbol, double amount);
// symbol + cents as a decimal with two places ("$" and -105 -> "$-1.05"), locale-independent.
std::string invoiceCentsText(const std::string& monetarySymbol, std::int64_t cents);

// city + ", " + state + "-" + zip, or zip + " " + city when state is empty.
std::string cityLine(const std::string& city, const std::string& state, const std::string& zip);

// Orders lines by project name (bytes, unsigned, case-sensitive), then start, ascending.
// No line count limit.
void sortInvoiceLines(std::vector<InvoiceLine>& lines);

// Refusals made before a request is accepted, so that nothing is advanced or printed:
// a number longer than 31 bytes, no customer selected (-1), a customer no longer in the
// customers file at customersPath (or that file unreadable).
Status checkInvoiceNumber(std::string_view invoiceNumber);
Status checkInvoiceCustomer(FileSystem& fs, const std::string& customersPath, std::int32_t customerId);

// Builds the invoice of request over set (its settings path kept as settingsPath): reads the
// projects file once and streams the time frames file once. A frame is invoiced when its
// project's own customer id is the request's and it starts in the period (InPeriod, as every
// other report counts frames), so a frame across the period's end is billed once, in the
// period where it starts. Fails with the store's message ("Cannot open time frames file : "
// + path, ...) or when no customer is selected.
Result<Invoice> LoadInvoice(FileSystem& fs, const InvoiceRequest& request, const FileSet& set);

// The settings record, the invoice's customer and the billing details of both; NotFound with
// a message when the customer is no longer in the customers file; the billing files' failure
// when one of them cannot be read (a damaged file is never printed as no details).
Result<InvoiceParties> loadInvoiceParties(FileSystem& fs, const Invoice& invoice);
// As above, with the settings record the caller has read already.
Result<InvoiceParties> loadInvoiceParties(FileSystem& fs, const Invoice& invoice, SettingsRecord settings);

// The number that follows typed: its last group of digits plus one, everything else kept,
// width included, a carry widening the group ("2026-0042" -> "2026-0043", "INV-099" ->
// "INV-100", "A9Z" -> "A10Z"); "1" when typed holds no digit.
std::string nextInvoiceNumberAfter(std::string_view typed);

// Stores nextInvoiceNumberAfter(typed) as the next invoice number of set,
// crash-safely. Fails (storing nothing) when the settings cannot be read or written.
Status advanceInvoiceNumber(FileSystem& fs, const FileSet& set, std::string_view typed);

}  // namespace ql
