#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace ql {

// A rectangle on the 620 x 830 logical page, right and bottom edges exclusive.
struct ReportRect {
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t right = 0;
    std::int32_t bottom = 0;

    bool operator==(const ReportRect&) const = default;
};

// How a column's field is stored in a row and printed.
enum class ColumnKind : std::int32_t {
    Text = 0,     // fieldWidth bytes, NUL-terminated; left-aligned
    Date = 1,     // int32 year * 10000 + month * 100 + day; left-aligned
    Minutes = 2,  // int32 minute count, "hh:mm"; right-aligned
    Integer = 3,  // int32, "%d"; right-aligned
    Amount = 4,   // double, "%.2f"; right-aligned
};

struct ReportColumn {
    std::string title;
    ColumnKind kind = ColumnKind::Text;
    std::int32_t fieldWidth = 0;  // bytes of the field, Text only
    std::int32_t left = 0;        // left edge in page units; the column ends at the next one's
};

// One printable table: columns, rows as fixed-layout byte buffers (the fields of all columns
// in order, no gaps), and the grouping and summing that the page layout applies. Rows live in
// one contiguous buffer, so a year of history is one allocation and sorts without copying
// row data more than once. There is no row limit.
class ReportTable {
public:
    static constexpr std::size_t kMaxColumns = 15;
    static constexpr std::int32_t kNone = -1;

    // columns holds at most kMaxColumns entries (further ones are dropped). totalsFlag kNone
    // means no Total line; groupColumn, firstSum and secondSum are column indexes or kNone.
    ReportTable(std::string settingsPath, std::vector<ReportColumn> columns, std::int32_t totalsFlag,
                std::int32_t groupColumn, std::int32_t firstSumColumn, std::int32_t secondSumColumn);

    const std::string& path() const { return m_path; }
    const std::vector<ReportColumn>& columns() const { return m_columns; }
    std::int32_t totalsFlag() const { return m_totalsFlag; }
    std::int32_t groupColumn() const { return m_groupColumn; }
    std::int32_t firstSumColumn() const { return m_firstSum; }
    std::int32_t secondSumColumn() const { return m_secondSum; }
    // True when column is an index of this table (kNone and out-of-range indexes are not).
    bool hasColumn(std::int32_t column) const;

    std::size_t rowSize() const { return m_rowSize; }
    std::size_t rowCount() const { return m_rowSize == 0 ? 0 : m_rows.size() / m_rowSize; }
    const unsigned char* row(std::size_t index) const { return m_rows.data() + index * m_rowSize; }
    std::size_t fieldOffset(std::size_t column) const { return m_offsets[column]; }
    std::size_t fieldSize(std::size_t column) const;

    void reserveRows(std::size_t count) { m_rows.reserve(count * m_rowSize); }
    // Appends a row of zeros and returns its index; fill it with the setters.
    std::size_t appendRow();
    // Text cut at a UTF-8 character boundary to fieldWidth - 1 bytes, zeros after it.
    void setText(std::size_t row, std::size_t column, std::string_view text);
    void setInt(std::size_t row, std::size_t column, std::int32_t value);
    void setDouble(std::size_t row, std::size_t column, double value);

    std::string textAt(std::size_t row, std::size_t column) const;
    std::int32_t intAt(std::size_t row, std::size_t column) const;
    double doubleAt(std::size_t row, std::size_t column) const;
    // The value a sum adds: Date, Minutes and Integer as integers, Amount as is, Text 0.
    double sumValueAt(std::size_t row, std::size_t column) const;

    // Puts the rows in the order given by a permutation of 0..rowCount()-1.
    void reorderRows(const std::vector<std::size_t>& order);

private:
    std::string m_path;
    std::vector<ReportColumn> m_columns;
    std::vector<std::size_t> m_offsets;
    std::size_t m_rowSize = 0;
    std::int32_t m_totalsFlag;
    std::int32_t m_groupColumn;
    std::int32_t m_firstSum;
    std::int32_t m_secondSum;
    std::vector<unsigned char> m_rows;
};

// Sorts the rows ascending by the first column's field, then the second's: Text by bytes as
// unsigned characters, Date, Minutes and Integer as signed integers, Amount as doubles.
// Rows with equal keys keep their order. An index that is not a column is ignored.
void SortReportRows(ReportTable& table, std::int32_t firstColumn, std::int32_t secondColumn);

// Table lines (15 units each) that fit in area: (bottom - top) / 15, at least 0.
std::int32_t reportLinesPerPage(const ReportRect& area);

// Pages the table's body takes in area: its rows plus one Sub-Total per group (with a group
// column and rows) plus the Total (unless the totals flag is kNone). 0 for no lines, and for
// an area lower than one line.
std::int32_t ReportPageCount(const ReportTable& table, const ReportRect& area);

// The history of charges: Project, Date, Time, Duration and monetarySymbol + " Charged";
// Sub-Totals per project name and a Total over Duration and the charge.
ReportTable makeHistoryTable(std::string settingsPath, const std::string& monetarySymbol);
// The list of customers: name, address, city, ZIP, state, country, phone; no totals.
ReportTable makeCustomerTable(std::string settingsPath);

// Column indexes of the two tables.
namespace history_column {
inline constexpr std::size_t kProject = 0, kDate = 1, kTime = 2, kDuration = 3, kCharge = 4;
}
namespace customer_column {
inline constexpr std::size_t kName = 0, kAddress = 1, kCity = 2, kZip = 3, kState = 4, kCountry = 5, kPhone = 6;
}

}  // namespace ql
