#include "core/reports/ReportLayout.h"

#include "core/text/NumberText.h"
#include "core/time/Calendar.h"
#include "core/time/TimeText.h"

#include <cmath>
#include <cstring>

namespace ql {

namespace {

// Each part keeps its own sign, as "%.2ld:%.2ld" of minutes / 60 and minutes % 60 does.
std::string minutesText(std::int64_t minutes) {
    return zeroPaddedText(minutes / 60, 2) + ":" + zeroPaddedText(minutes % 60, 2);
}

std::string dateKeyText(std::int32_t key, bool monthFirst) {
    const std::int64_t year = key / 10000, month = key / 100 % 100, day = key % 100;
    return zeroPaddedText(monthFirst ? month : day, 2) + "/" + zeroPaddedText(monthFirst ? day : month, 2) + "/" +
           zeroPaddedText(year, 4);
}

// A double truncated toward zero into the 64-bit range (a cast of one outside it is undefined).
std::int64_t truncated(double value) {
    if (std::isnan(value)) return 0;
    constexpr double kLimit = 9.2e18;
    if (value >= kLimit) return static_cast<std::int64_t>(kLimit);
    if (value <= -kLimit) return -static_cast<std::int64_t>(kLimit);
    return static_cast<std::int64_t>(value);
}

class Layouter {
public:
    Layouter(const ReportTable& table, bool monthFirst, const ReportRect& body, ReportLayout& out)
        : m_table(table), m_monthFirst(monthFirst), m_body(body), m_perPage(reportLinesPerPage(body)), m_out(out) {}

    // The cell of column on the line at y: inset 5 units, the last one ending 5 before the
    // area's right edge.
    ReportRect cellRect(std::size_t column, std::int32_t y) const {
        const auto& columns = m_table.columns();
        const std::int32_t right = column + 1 < columns.size() ? columns[column + 1].left : m_body.right;
        return {columns[column].left + 5, y, right - 5, y + kReportLineHeight};
    }

    // The line at index, or null when it falls past the last page.
    ReportLine* place(std::int64_t index, ReportLineKind kind) {
        const std::int64_t page = index / m_perPage;
        if (page >= static_cast<std::int64_t>(m_out.pages.size())) return nullptr;
        auto& lines = m_out.pages[static_cast<std::size_t>(page)];
        ReportLine& line = lines.emplace_back();
        line.kind = kind;
        line.top = m_body.top + static_cast<std::int32_t>(index % m_perPage) * kReportLineHeight;
        return &line;
    }

    // A closing line: always on the last page, below the lines it already holds, even when
    // its line index would fall on the page before (48 rows: both totals open page 2).
    ReportLine* placeClosing(ReportLineKind kind) {
        auto& lines = m_out.pages.back();
        const std::int32_t top = lines.empty() ? m_body.top : lines.back().top + kReportLineHeight;
        ReportLine& line = lines.emplace_back();
        line.kind = kind;
        line.top = top;
        return &line;
    }

    void row(std::int64_t index, std::size_t r) {
        ReportLine* line = place(index, ReportLineKind::Row);
        if (!line) return;
        const auto& columns = m_table.columns();
        line->cells.reserve(columns.size());
        for (std::size_t c = 0; c < columns.size(); ++c) {
            const CellAlign align =
                columns[c].kind == ColumnKind::Text || columns[c].kind == ColumnKind::Date ? CellAlign::Left
                                                                                          : CellAlign::Right;
            line->cells.push_back({cellRect(c, line->top), reportFieldText(m_table, r, c, m_monthFirst), align});
        }
    }

    // A Sub-Total (single rule) or Total (double rule) line; closing ones end the last page.
    void total(std::int64_t index, bool closing, const char* label, const double (&sums)[2], bool doubleRule) {
        const ReportLineKind kind = doubleRule ? ReportLineKind::Total : ReportLineKind::SubTotal;
        ReportLine* line = closing ? placeClosing(kind) : place(index, kind);
        if (!line) return;
        const auto& columns = m_table.columns();
        const std::int32_t labelRight = columns.size() > 1 ? columns[1].left - 5 : m_body.right - 5;
        line->cells.push_back({{20, line->top, labelRight, line->top + kReportLineHeight}, label, CellAlign::Left});
        const std::int32_t sumColumns[2] = {m_table.firstSumColumn(), m_table.secondSumColumn()};
        for (int s = 0; s < 2; ++s) {
            if (!m_table.hasColumn(sumColumns[s])) continue;
            const auto c = static_cast<std::size_t>(sumColumns[s]);
            const ReportRect rect = cellRect(c, line->top);
            line->cells.push_back({rect, reportSumText(columns[c].kind, sums[s]), CellAlign::Right});
            line->rules.push_back({rect.left, rect.right, line->top - 1});
            if (doubleRule) line->rules.push_back({rect.left, rect.right, line->top + 1});
        }
    }

private:
    const ReportTable& m_table;
    bool m_monthFirst;
    ReportRect m_body;
    std::int32_t m_perPage;
    ReportLayout& m_out;
};

}  // namespace

std::string reportFieldText(const ReportTable& table, std::size_t row, std::size_t column, bool monthFirst) {
    switch (table.columns()[column].kind) {
    case ColumnKind::Text: return table.textAt(row, column);
    case ColumnKind::Date: return dateKeyText(table.intAt(row, column), monthFirst);
    case ColumnKind::Minutes: return minutesText(table.intAt(row, column));
    case ColumnKind::Integer: return integerText(table.intAt(row, column));
    case ColumnKind::Amount: return fixed2Text(table.doubleAt(row, column));
    }
    return {};
}

std::string reportSumText(ColumnKind kind, double sum) {
    switch (kind) {
    case ColumnKind::Minutes: return minutesText(truncated(sum));
    case ColumnKind::Integer: return integerText(truncated(sum));
    case ColumnKind::Amount: return fixed2Text(sum);
    default: return integerText(truncated(sum));
    }
}

std::string reportFooterTitle(const char* prefix, std::int32_t now, bool monthFirst) {
    const calendar::LocalTime t = calendar::toLocal(now);
    std::string out = prefix;
    out += dateKeyText(t.year * 10000 + t.month * 100 + t.day, monthFirst);
    out.push_back(' ');
    out += clockText(t.hour, t.minute);
    return out;
}

std::string reportPageText(std::int32_t page) { return "Page " + integerText(page); }

ReportLayout layoutReport(const ReportTable& table, bool monthFirst, const ReportRect& header, const ReportRect& body) {
    ReportLayout out;
    const auto& columns = table.columns();
    for (std::size_t c = 0; c < columns.size(); ++c) {
        // The first box starts at the column's own edge (x = 0), not at the area's left.
        const std::int32_t right = c + 1 < columns.size() ? columns[c + 1].left : header.right;
        const ReportRect box{columns[c].left, header.top, right, header.bottom};
        out.header.push_back({box, {{box.left + 5, box.top, box.right - 5, box.bottom}, columns[c].title, CellAlign::Left}});
    }
    out.pages.resize(static_cast<std::size_t>(ReportPageCount(table, body)));
    const std::size_t rows = table.rowCount();
    // Without rows the page keeps its header and footer and shows no line, not even the Total.
    if (out.pages.empty() || rows == 0) return out;

    Layouter layouter(table, monthFirst, body, out);
    const bool grouped = table.hasColumn(table.groupColumn());
    const std::size_t groupOffset = grouped ? table.fieldOffset(static_cast<std::size_t>(table.groupColumn())) : 0;
    const std::size_t groupSize = grouped ? table.fieldSize(static_cast<std::size_t>(table.groupColumn())) : 0;
    const std::int32_t sumColumns[2] = {table.firstSumColumn(), table.secondSumColumn()};
    double groupSums[2] = {0.0, 0.0}, grandSums[2] = {0.0, 0.0};

    std::int64_t index = -1;
    for (std::size_t r = 0; r < rows; ++r) {
        ++index;
        if (grouped && r > 0 && std::memcmp(table.row(r) + groupOffset, table.row(r - 1) + groupOffset, groupSize) != 0) {
            layouter.total(index, false, "Sub-Total", groupSums, false);
            groupSums[0] = groupSums[1] = 0.0;
            ++index;
        }
        layouter.row(index, r);
        for (int s = 0; s < 2; ++s) {
            if (!table.hasColumn(sumColumns[s])) continue;
            const double value = table.sumValueAt(r, static_cast<std::size_t>(sumColumns[s]));
            groupSums[s] += value;
            grandSums[s] += value;
        }
    }
    if (grouped) layouter.total(0, true, "Sub-Total", groupSums, false);
    if (table.totalsFlag() != ReportTable::kNone) layouter.total(0, true, "Total", grandSums, true);
    return out;
}

}  // namespace ql
