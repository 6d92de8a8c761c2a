#include "cli/TextRendering.h"

#include "cli/ArgumentValues.h"

#include "core/time/Calendar.h"
#include "core/tracking/Charges.h"

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <utility>

namespace ql::cli {
namespace {

std::string padLeft(std::string_view text, std::size_t width) {
    const std::size_t w = displayWidth(text);
    return std::string(w < width ? width - w : 0, ' ') + std::string(text);
}

std::string padRight(std::string_view text, std::size_t width) {
    const std::size_t w = displayWidth(text);
    return std::string(text) + std::string(w < width ? width - w : 0, ' ');
}

std::string idText(std::int32_t id) { return id == -1 ? "-" : std::to_string(id); }

std::string numberText(double value) {
    char buffer[64];
    const auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, value);
    return ec == std::errc() ? std::string(buffer, end) : std::string("?");
}

// "Label:   value", continuation lines of a multi-line value aligned under its first line.
void writeField(std::ostream& out, std::string_view indent, std::string_view label, std::size_t labelWidth,
                const std::string& stored) {
    const std::string value = displayedText(stored);
    out << indent << label << ':';
    if (value.empty()) {
        out << '\n';
        return;
    }
    out << std::string(labelWidth - label.size() + 1, ' ');
    std::size_t begin = 0;
    for (bool first = true;; first = false) {
        const std::size_t nl = value.find('\n', begin);
        if (!first) out << indent << std::string(labelWidth + 2, ' ');
        out << std::string_view(value).substr(begin, nl == std::string::npos ? std::string::npos : nl - begin) << '\n';
        if (nl == std::string::npos) break;
        begin = nl + 1;
    }
}

using Field = std::pair<const char*, std::string>;

void writeFields(std::ostream& out, std::string_view indent, const std::vector<Field>& fields) {
    std::size_t width = 0;
    for (const auto& f : fields) width = std::max(width, std::string_view(f.first).size());
    for (const auto& f : fields) writeField(out, indent, f.first, width, f.second);
}

std::string flagText(std::int32_t flag) {
    if (flag == 1) return "yes";
    if (flag == 0) return "no";
    return std::to_string(flag);
}

}  // namespace

std::string localTimeText(std::int32_t t) { return calendar::formatLocal(t, "%Y-%m-%d %H:%M:%S"); }

std::size_t displayWidth(std::string_view utf8) {
    return static_cast<std::size_t>(
        std::count_if(utf8.begin(), utf8.end(), [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; }));
}

void writeSettingsText(std::ostream& out, const SettingsRecord& s) {
    std::string dateFormat = std::to_string(s.dateFormat);
    dateFormat += s.monthFirst() ? " (month/day/year)" : " (day/month/year)";
    writeFields(out, "",
                {{"Company name", s.companyName},
                 {"Company address", s.companyAddress},
                 {"City", s.city},
                 {"ZIP", s.zip},
                 {"State", s.state},
                 {"Country", s.country},
                 {"Phone", s.phone},
                 {"Invoice text", s.invoiceText},
                 {"Next invoice number", s.nextInvoiceNumber},
                 {"Invoice footer", s.footer},
                 {"Apply sales tax", flagText(s.applySalesTax)},
                 {"Sales tax label", s.salesTaxLabel},
                 {"Sales tax rate", numberText(s.salesTaxRate) + " %"},
                 {"Show tips", flagText(s.showTips)},
                 {"Date format", dateFormat},
                 {"Monetary symbol", s.monetarySymbol}});
}

void writeProjectsText(std::ostream& out, const ProjectIndex& projects, const std::string& monetarySymbol) {
    struct Line {
        std::string id, parent, customer, rate;
        const ProjectRecord* record;
    };
    std::vector<Line> lines;
    std::size_t wId = 2, wParent = 6, wCustomer = 8, wRate = 4;
    for (const auto& p : projects.records()) {
        Line l{std::to_string(p.id), idText(p.parentId), idText(p.customerId), amountText(monetarySymbol, p.chargesPerHour), &p};
        wId = std::max(wId, displayWidth(l.id));
        wParent = std::max(wParent, displayWidth(l.parent));
        wCustomer = std::max(wCustomer, displayWidth(l.customer));
        wRate = std::max(wRate, displayWidth(l.rate));
        lines.push_back(std::move(l));
    }
    out << padLeft("ID", wId) << "  " << padLeft("Parent", wParent) << "  " << padLeft("Customer", wCustomer) << "  "
        << padLeft("Rate", wRate) << "  Full name\n";
    for (const auto& l : lines) {
        out << padLeft(l.id, wId) << "  " << padLeft(l.parent, wParent) << "  " << padLeft(l.customer, wCustomer) << "  "
            << padLeft(l.rate, wRate) << "  " << projects.fullName(l.record->id, true) << '\n';
        if (!l.record->memo.empty()) writeField(out, std::string(wId + 2, ' '), "Memo", 4, l.record->memo);
    }
}

void writeCustomersText(std::ostream& out, const std::vector<CustomerRecord>& customers) {
    bool first = true;
    for (const auto& c : customers) {
        if (!first) out << '\n';
        first = false;
        out << "Customer " << c.id << '\n';
        writeFields(out, "  ",
                    {{"Name", c.name},
                     {"Address", c.address},
                     {"City", c.city},
                     {"ZIP", c.zip},
                     {"State", c.state},
                     {"Country", c.country},
                     {"Phone", c.phone},
                     {"Notes", c.notes}});
    }
}

namespace {
constexpr std::size_t kProjectColumn = 7;
constexpr std::size_t kTimeColumn = 19;
constexpr std::size_t kDurationColumn = 6;
constexpr std::size_t kChargeColumn = 10;
}  // namespace

void writeFrameHeadingText(std::ostream& out) {
    out << padLeft("Project", kProjectColumn) << "  " << padRight("Start", kTimeColumn) << "  "
        << padRight("End", kTimeColumn) << "  " << padLeft("Time", kDurationColumn) << "  "
        << padLeft("Charges", kChargeColumn) << "  Name\n";
}

void writeFrameText(std::ostream& out, const FrameRow& row, const std::string& monetarySymbol) {
    out << padLeft(std::to_string(row.frame.projectId), kProjectColumn) << "  " << localTimeText(row.frame.start) << "  "
        << localTimeText(row.frame.end) << "  " << padLeft(durationText(row.minutes), kDurationColumn) << "  "
        << padLeft(amountText(monetarySymbol, row.charge), kChargeColumn) << "  "
        << (row.project ? row.fullName : std::string("(no such project)")) << '\n';
}

void writeTotalsText(std::ostream& out, const PeriodTotals& totals) {
    std::size_t wLabel = displayWidth("Total charges for..."), wTime = 4, wCharge = 7;
    for (const PeriodTotal& p : totals.periods) {
        wLabel = std::max(wLabel, displayWidth(p.label));
        wTime = std::max(wTime, displayWidth(durationText(p.minutes)));
        wCharge = std::max(wCharge, displayWidth(amountText(totals.monetarySymbol, p.charges)));
    }
    out << padRight("Total charges for...", wLabel) << "  " << padLeft("Time", wTime) << "  "
        << padLeft("Charges", wCharge) << '\n';
    for (const PeriodTotal& p : totals.periods)
        out << padRight(p.label, wLabel) << "  " << padLeft(durationText(p.minutes), wTime) << "  "
            << padLeft(amountText(totals.monetarySymbol, p.charges), wCharge) << '\n';
}

void writeHistoryHeadingText(std::ostream& out) { out << "Project\tDate\tTime\tTime charged\tCharges\n"; }

void writeHistoryItemText(std::ostream& out, const HistoryItems& history, const HistoryItem& item, bool monthFirst,
                          const std::string& monetarySymbol) {
    out << history.projectOf(item).name << '\t' << historyDateText(item, monthFirst) << '\t' << historyTimeText(item)
        << '\t' << historySpanText(item) << '\t' << historyChargeText(item, monetarySymbol) << '\n';
}

}  // namespace ql::cli
