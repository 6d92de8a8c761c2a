#include "cli/JsonRendering.h"

#include "cli/ArgumentValues.h"

#include "core/time/Calendar.h"

namespace ql::cli {
namespace {

Json idOrNull(std::int32_t id) { return id == -1 ? Json(nullptr) : Json(id); }

}  // namespace

std::string isoLocalTime(std::int32_t t) {
    const std::string text = calendar::formatLocal(t, "%Y-%m-%dT%H:%M:%S%z");
    // strftime writes the offset as +hhmm; ISO 8601 text is easier to read with +hh:mm.
    if (text.size() < 5) return text;
    const std::size_t minutes = text.size() - 2;
    return text.substr(0, minutes) + ':' + text.substr(minutes);
}

Json settingsJson(const SettingsRecord& s) {
    return Json{{"companyName", s.companyName},
                {"companyAddress", s.companyAddress},
                {"city", s.city},
                {"zip", s.zip},
                {"state", s.state},
                {"country", s.country},
                {"phone", s.phone},
                {"invoiceText", s.invoiceText},
                {"nextInvoiceNumber", s.nextInvoiceNumber},
                {"footer", displayedText(s.footer)},
                {"applySalesTax", s.applySalesTax},
                {"salesTaxLabel", s.salesTaxLabel},
                {"salesTaxRate", s.salesTaxRate},
                {"showTips", s.showTips},
                {"dateFormat", s.dateFormat},
                {"monetarySymbol", s.monetarySymbol}};
}

Json projectJson(const ProjectRecord& p, const std::string& fullName) {
    return Json{{"id", p.id},
                {"name", p.name},
                {"fullName", fullName},
                {"parentId", idOrNull(p.parentId)},
                {"customerId", idOrNull(p.customerId)},
                {"chargesPerHour", p.chargesPerHour},
                {"memo", displayedText(p.memo)}};
}

Json customerJson(const CustomerRecord& c) {
    return Json{{"id", c.id},           {"name", c.name},       {"address", c.address},
                {"city", c.city},       {"zip", c.zip},         {"state", c.state},
                {"country", c.country}, {"phone", c.phone},     {"notes", displayedText(c.notes)}};
}

Json frameJson(const FrameRow& row) {
    return Json{{"projectId", row.frame.projectId},
                {"projectName", row.project ? Json(row.project->name) : Json(nullptr)},
                {"projectFullName", row.project ? Json(row.fullName) : Json(nullptr)},
                {"start", isoLocalTime(row.frame.start)},
                {"startEpoch", row.frame.start},
                {"end", isoLocalTime(row.frame.end)},
                {"endEpoch", row.frame.end},
                {"minutes", row.minutes},
                {"charge", row.charge}};
}

Json periodTotalJson(const PeriodTotal& p) {
    return Json{{"label", p.label},          {"minutes", p.minutes},        {"charge", p.charges},
                {"start", isoLocalTime(p.start)}, {"startEpoch", p.start}, {"end", isoLocalTime(p.end)},
                {"endEpoch", p.end}};
}

Json historyItemJson(const HistoryItems& history, const HistoryItem& item) {
    const HistoryProject& project = history.projectOf(item);
    return Json{{"projectId", project.id},          {"projectName", project.name},
                {"start", isoLocalTime(item.frame.start)}, {"startEpoch", item.frame.start},
                {"end", isoLocalTime(item.frame.end)},     {"endEpoch", item.frame.end},
                {"minutes", item.minutes},                 {"charge", item.charge}};
}

void JsonArrayWriter::add(const Json& element) {
    m_out << (m_empty ? "[\n  " : ",\n  ") << element.dump(-1, ' ', false, Json::error_handler_t::replace);
    m_empty = false;
}

void JsonArrayWriter::finish() { m_out << (m_empty ? "[]\n" : "\n]\n"); }

}  // namespace ql::cli
