#pragma once

#include "cli/FrameRow.h"

#include "core/reports/HistoryItems.h"
#include "core/store/CustomerRecord.h"
#include "core/store/Projects.h"
#include "core/store/SettingsRecord.h"
#include "core/tracking/PeriodTotals.h"

#include <cstdint>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

// Human-readable output of quillory-cli: pure functions from records to text. Multi-line
// texts are shown with LF line breaks; times are local "YYYY-MM-DD HH:MM:SS", the form the
// commands accept back.
namespace ql::cli {

// "YYYY-MM-DD HH:MM:SS" of t in local time.
std::string localTimeText(std::int32_t t);

// Columns counted in characters, so that non-ASCII names and symbols line up.
std::size_t displayWidth(std::string_view utf8);

void writeSettingsText(std::ostream& out, const SettingsRecord& settings);

// One row per project in file order: id, parent, customer, rate, full name (top-level
// first), then the memo's lines indented below it.
void writeProjectsText(std::ostream& out, const ProjectIndex& projects, const std::string& monetarySymbol);

// One block per customer in file order, every field named.
void writeCustomersText(std::ostream& out, const std::vector<CustomerRecord>& customers);

// The heading of the frame list; then one writeFrameText per frame, so a long file streams.
void writeFrameHeadingText(std::ostream& out);
void writeFrameText(std::ostream& out, const FrameRow& row, const std::string& monetarySymbol);

// The totals panel as text: a heading, then label, time and charges of the four periods.
void writeTotalsText(std::ostream& out, const PeriodTotals& totals);

// The history list as tab-separated rows with the dialog's headings and column texts.
void writeHistoryHeadingText(std::ostream& out);
void writeHistoryItemText(std::ostream& out, const HistoryItems& history, const HistoryItem& item, bool monthFirst,
                          const std::string& monetarySymbol);

}  // namespace ql::cli
