#include "cli/JsonRendering.h"

#include <charconv>
#include <cmath>
#include <ctime>

#include "cli/ArgumentValues.h"

#include "core/text/NumberText.h"
#include "core/time/Calendar.h"
#include "core/time/TimeText.h"

namespace ql::cli {
namespace {

Json idOrNull(std::int32_t id) { return id == -1 ? Json(nullptr) : Json(id); }

// Appended in place, no string per time: a year's history writes 200,000 rows.
void appendIsoLocalTime(std::string& out, std::int32_t t, calendar::LocalTimeCache& cache) {
    std::int32_t offset = 0;
    const calendar::LocalTime local = cache.toLocal(t, offset);
    appendIsoDateTimeText(out, local, offset);
}

// As the JSON library writes a double: the shortest text that reads back the same, with
// ".0" on a whole number so that it stays a floating-point value for typed readers.
void appendDouble(std::string& out, double value) {
    char buffer[64];
    const auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, value);
    const std::string_view shown(buffer, ec == std::errc() ? static_cast<std::size_t>(end - buffer) : 0);
    if (shown.empty() || !std::isfinite(value)) {
        out += "null";
        return;
    }
    out += shown;
    if (shown.find_first_of(".e") == std::string_view::npos) out += ".0";
}

}  // namespace

std::string isoLocalTime(std::int32_t t) {
    const std::time_t when = t;
    std::tm tm{};
    if (!localtime_r(&when, &tm)) return calendar::formatLocal(t, "%Y-%m-%dT%H:%M:%S");
    const calendar::LocalTime l{tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday, tm.tm_hour,
                                tm.tm_min,         tm.tm_sec,     tm.tm_wday};
    return isoDateTimeText(l, static_cast<std::int32_t>(tm.tm_gmtoff));
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

std::string quotedJsonText(const std::string& text) {
    return Json(text).dump(-1, ' ', false, Json::error_handler_t::replace);
}

void appendHistoryItemJson(std::string& out, const HistoryItem& item, std::int32_t projectId,
                           const std::string& quotedName, const std::string* quotedInvoice,
                           calendar::LocalTimeCache& cache) {
    // Written by hand: building a library object per row costs five times the whole load.
    out += "{\"projectId\":";
    appendIntegerText(out, projectId);
    out += ",\"projectName\":";
    out += quotedName;
    out += ",\"start\":\"";
    appendIsoLocalTime(out, item.frame.start, cache);
    out += "\",\"startEpoch\":";
    appendIntegerText(out, item.frame.start);
    out += ",\"end\":\"";
    appendIsoLocalTime(out, item.frame.end, cache);
    out += "\",\"endEpoch\":";
    appendIntegerText(out, item.frame.end);
    out += ",\"minutes\":";
    appendIntegerText(out, item.minutes);
    out += ",\"charge\":";
    appendDouble(out, item.charge);
    out += ",\"invoice\":";
    out += quotedInvoice ? *quotedInvoice : std::string_view("null");
    out += '}';
}

void JsonArrayWriter::add(const Json& element) {
    m_out << (m_empty ? "[\n  " : ",\n  ") << element.dump(-1, ' ', false, Json::error_handler_t::replace);
    m_empty = false;
}

std::string_view JsonArrayWriter::nextSeparator() {
    const bool first = m_empty;
    m_empty = false;
    return first ? "[\n  " : ",\n  ";
}

void JsonArrayWriter::finish() { m_out << (m_empty ? "[]\n" : "\n]\n"); }

}  // namespace ql::cli
