#pragma once

#include "cli/FrameRow.h"

#include "core/reports/HistoryItems.h"
#include "core/store/CustomerRecord.h"
#include "core/store/ProjectRecord.h"
#include "core/store/SettingsRecord.h"
#include "core/time/LocalTimeCache.h"
#include "core/tracking/PeriodTotals.h"

#include <nlohmann/json.hpp>

#include <cstdint>
#include <ostream>
#include <string>
#include <string_view>

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
// One history row as JSON text: project id and name, start and end, whole minutes, the
// unrounded charge and the number of the invoice that billed it (null when none did). quotedName is the project's name as a JSON string, made once per
// project with quotedJsonText, since a year's history has a few names and 200,000 rows.
std::string quotedJsonText(const std::string& text);
// Appends the row to out; cache speeds up the local times of many rows in a row. invoice is
// the billing invoice's number as a JSON string, nullptr when unbilled.
void appendHistoryItemJson(std::string& out, const HistoryItem& item, std::int32_t projectId,
                           const std::string& quotedName, const std::string* quotedInvoice,
                           calendar::LocalTimeCache& cache);

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
