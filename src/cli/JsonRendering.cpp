#include "cli/JsonRendering.h"

#include <algorithm>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstring>
#include <ctime>

#include "cli/ArgumentValues.h"

#include "core/text/NumberText.h"
#include "core/time/Calendar.h"
#include "core/time/TimeText.h"

namespace ql::cli {
namespace {

Json idOrNull(std::int32_t id) { return id == -1 ? Json(nullptr) : Json(id); }

// As the JSON library writes a double: the shortest text that reads back the same, with
// ".0" on a whole number so that it stays a floating-point value for typed readers. p has room
// for kDoubleRoom characters.
constexpr std::size_t kDoubleRoom = 32;
char* putDouble(char* p, double value) {
    constexpr std::string_view kNull = "null";
    const auto [end, ec] = std::to_chars(p, p + kDoubleRoom, value);
    const std::string_view shown(p, ec == std::errc() ? static_cast<std::size_t>(end - p) : 0);
    if (shown.empty() || !std::isfinite(value)) return std::copy(kNull.begin(), kNull.end(), p);
    if (shown.find_first_of(".e") != std::string_view::npos) return end;
    *end = '.';
    end[1] = '0';
    return end + 2;
}

char* putText(char* p, std::string_view text) {
    std::memcpy(p, text.data(), text.size());
    return p + text.size();
}

// Every character of a row but the project's head and the invoice: the field names and
// punctuation (under 128), three integers, the charge and the two times.
constexpr std::size_t kRowRoom = 128 + 3 * kIntegerTextRoom + kDoubleRoom + 2 * kTimeTextRoom;

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

HistoryJsonRows::HistoryJsonRows(const HistoryItems& history) {
    m_heads.reserve(history.projects.size());
    for (const HistoryProject& project : history.projects) {
        std::string head = "{\"projectId\":" + integerText(project.id) + ",\"projectName\":";
        head += quotedJsonText(project.name);
        head += ",\"start\":\"";
        m_heads.push_back(std::move(head));
    }
}

std::size_t HistoryJsonRows::room(const HistoryItem& item, const std::string* quotedInvoice) const {
    return m_heads[static_cast<std::size_t>(item.project)].size() + (quotedInvoice ? quotedInvoice->size() : 0) +
           kRowRoom;
}

char* HistoryJsonRows::put(char* p, const HistoryItem& item, const std::string* quotedInvoice) {
    // Written by hand: building a library object per row costs five times the whole load.
    p = putText(p, m_heads[static_cast<std::size_t>(item.project)]);
    std::int32_t offset = 0;
    calendar::LocalTime local = m_local.toLocal(item.frame.start, offset);
    p = putIsoDateTimeText(p, local, offset);
    p = putText(p, "\",\"startEpoch\":");
    p = putIntegerText(p, item.frame.start);
    p = putText(p, ",\"end\":\"");
    local = m_local.toLocal(item.frame.end, offset);
    p = putIsoDateTimeText(p, local, offset);
    p = putText(p, "\",\"endEpoch\":");
    p = putIntegerText(p, item.frame.end);
    p = putText(p, ",\"minutes\":");
    p = putIntegerText(p, item.minutes);
    p = putText(p, ",\"charge\":");
    p = putCharge(p, item.charge);
    p = putText(p, ",\"invoice\":");
    p = putText(p, quotedInvoice ? std::string_view(*quotedInvoice) : std::string_view("null"));
    *p++ = '}';
    return p;
}

char* HistoryJsonRows::putCharge(char* p, double charge) {
    // Charges repeat (a few rates times a few hundred lengths), and the shortest form of a
    // double costs as much as the rest of the row: each distinct one is formed once. The table
    // stays at most half full, so a look-up reads a slot or two of an array in the cache.
    constexpr int kSlotBits = 15;
    constexpr std::size_t kSlots = std::size_t{1} << kSlotBits;
    if (m_chargeBits.empty()) {
        m_chargeBits.resize(kSlots);
        m_chargeAt.resize(kSlots);
    }
    const auto bits = std::bit_cast<std::uint64_t>(charge);
    std::size_t slot = (bits * 0x9e3779b97f4a7c15u) >> (64 - kSlotBits);
    while (m_chargeAt[slot] != 0 && m_chargeBits[slot] != bits) slot = (slot + 1) & (kSlots - 1);
    if (m_chargeAt[slot] != 0) {
        const std::size_t at = m_chargeAt[slot];  // the length byte's place + 1
        const auto size = static_cast<unsigned char>(m_chargeTexts[at - 1]);
        return putText(p, std::string_view(m_chargeTexts).substr(at, size));
    }
    char* const end = putDouble(p, charge);
    // Beyond half the slots, the rare charges left are formed each time.
    if (m_chargeCount < kSlots / 2) {
        m_chargeTexts += static_cast<char>(end - p);
        m_chargeAt[slot] = static_cast<std::uint32_t>(m_chargeTexts.size());
        m_chargeBits[slot] = bits;
        m_chargeTexts.append(p, end);
        ++m_chargeCount;
    }
    return end;
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
