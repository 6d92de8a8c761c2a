#pragma once

#include "core/reports/ReportTable.h"

#include <cstdint>
#include <string>
#include <vector>

namespace ql {

// The bands of a history or customer page on the 620 x 830 logical page.
inline constexpr ReportRect kReportHeaderArea{10, 10, 580, 30};
inline constexpr ReportRect kReportBodyArea{10, 30, 580, 770};
inline constexpr ReportRect kReportFooterArea{10, 780, 580, 800};
inline constexpr std::int32_t kReportLineHeight = 15;

inline constexpr const char* kHistoryTitle = "Quillory95 - History of charges -";
inline constexpr const char* kCustomersTitle = "Quillory95 - List of Customers -";

enum class CellAlign { Left, Right };

// One text placed on a page: written on a single line, vertically centred, clipped to rect.
struct ReportCell {
    ReportRect rect;
    std::string text;
    CellAlign align = CellAlign::Left;
};

// A horizontal rule of a total line, from left to right (exclusive) at y.
struct ReportRule {
    std::int32_t left = 0;
    std::int32_t right = 0;
    std::int32_t y = 0;
};

enum class ReportLineKind { Row, SubTotal, Total };

// One 15-unit table line. Total lines are printed in blue; their first cell is the label.
struct ReportLine {
    ReportLineKind kind = ReportLineKind::Row;
    std::int32_t top = 0;
    std::vector<ReportCell> cells;
    std::vector<ReportRule> rules;
};

struct ReportHeaderBox {
    ReportRect box;    // the framed box
    ReportCell title;  // the title inside, inset 5 units
};

// A whole report laid out once: the header boxes (the same on every page) and each page's
// lines in order.
struct ReportLayout {
    std::vector<ReportHeaderBox> header;
    std::vector<std::vector<ReportLine>> pages;
};

// Lays out every page of table in one pass over its rows: rows, a Sub-Total (single rule)
// before each change of the group column's bytes and after the last row, then the Total
// (double rule). Dates are written month first when monthFirst. The page count is
// ReportPageCount(table, body).
ReportLayout layoutReport(const ReportTable& table, bool monthFirst, const ReportRect& header = kReportHeaderArea,
                          const ReportRect& body = kReportBodyArea);

// A field as printed: Text as is; Date "mm/dd/yyyy" or "dd/mm/yyyy"; Minutes "hh:mm" of
// minutes / 60 and minutes % 60; Integer "%d"; Amount "%.2f". Locale-independent.
std::string reportFieldText(const ReportTable& table, std::size_t row, std::size_t column, bool monthFirst);

// A sum as printed in a total line: Minutes truncated to whole minutes and "hh:mm"
// (6005 -> "100:05"), Integer truncated and "%d", Amount "%.2f" (1234.5 -> "1234.50").
std::string reportSumText(ColumnKind kind, double sum);

// The footer title: prefix, then at once the date of now in the long date pattern, a blank
// and "%H:%M" ("Quillory95 - History of charges -12/31/1996 17:45").
std::string reportFooterTitle(const char* prefix, std::int32_t now, bool monthFirst);

// "Page %d".
std::string reportPageText(std::int32_t page);

}  // namespace ql
