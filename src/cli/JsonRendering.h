#pragma once

#include "cli/FrameRow.h"

#include "core/reports/HistoryItems.h"
#include "core/store/CustomerRecord.h"
#include "core/store/ProjectRecord.h"
#include "core/store/SettingsRecord.h"
#include "core/time/LocalTimeCache.h"
#include "core/tracking/PeriodTotals.h"

#include <nlohmann/json.hpp>

#include <cstddef>
#include <cstdint>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

// JSON output of quillory-cli: one object per record, field names in lowerCamelCase, ids of
// -1 ("none") as null, multi-line texts with LF line breaks, amounts unrounded, times both
// as local ISO 8601 text and as epoch seconds.
namespace ql::cli {

using Json = nlohmann::ordered_json;

// Local ISO 8601 with the zone's offset: "1996-12-11T10:00:00-05:00".
std::string isoLocalTime(std::int32_t t);

Json settingsJson(const SettingsRecord& settings);
Json projectJson(const ProjectRecord& project, const std::string& fullName);
Json customerJson(const CustomerRecord& customer);
Json frameJson(const FrameRow& row);
Json periodTotalJson(const PeriodTotal& period);
// A text as a JSON string, quotes included.
std::string quotedJsonText(const std::string& text);

// History rows as JSON text: project id and name, start and end, whole minutes, the unrounded
// charge and the number of the invoice that billed it (null when none did). What every row of
// a project begins with, and each charge's text, is made once: a year's history has 200,000
// rows, a few hundred projects and a few thousand distinct charges.
class HistoryJsonRows {
public:
    // For the items of history: their project slots index its projects.
    explicit HistoryJsonRows(const HistoryItems& history);

    // The most characters put writes for item; quotedInvoice as put takes it.
    std::size_t room(const HistoryItem& item, const std::string* quotedInvoice) const;
    // Writes item's object at p, which has room(item, quotedInvoice) characters, and returns
    // the end. quotedInvoice is the billing invoice's number as a JSON string (quotedJsonText),
    // nullptr when unbilled.
    char* put(char* p, const HistoryItem& item, const std::string* quotedInvoice);

private:
    char* putCharge(char* p, double charge);

    std::vector<std::string> m_heads;  // by project slot: {"projectId":..,"projectName":..,"start":"
    // The text of every charge met, in an open-addressed table by the bits of the value: the
    // slots hold the bits and where the text starts in m_chargeTexts (+ 1, 0 for an empty slot).
    std::vector<std::uint64_t> m_chargeBits;
    std::vector<std::uint32_t> m_chargeAt;
    std::string m_chargeTexts;  // each text after a byte holding its length
    std::size_t m_chargeCount = 0;
    calendar::LocalTimeCache m_local;
};

// Writes one JSON array an element per line, as the elements come, so that a long list
// never has to be held in memory. finish() closes the array; call it once.
class JsonArrayWriter {
public:
    explicit JsonArrayWriter(std::ostream& out) : m_out(out) {}
    void add(const Json& element);
    // The separator before the next element, for callers that append elements to a buffer
    // of their own and write it in large pieces.
    std::string_view nextSeparator();
    void finish();

private:
    std::ostream& m_out;
    bool m_empty = true;
};

}  // namespace ql::cli
