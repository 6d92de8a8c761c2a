#include "core/reports/ReportTable.h"

#include "core/store/FieldCodec.h"

#include <algorithm>
#include <cstring>
#include <numeric>
#include <utility>

namespace ql {

namespace {

std::size_t storedSize(const ReportColumn& column) {
    switch (column.kind) {
    case ColumnKind::Text: return static_cast<std::size_t>(std::max<std::int32_t>(column.fieldWidth, 1));
    case ColumnKind::Amount: return 8;
    default: return 4;
    }
}

// Negative when a's field sorts before b's, 0 when equal.
int compareField(const ReportTable& table, std::size_t column, const unsigned char* a, const unsigned char* b) {
    const std::size_t offset = table.fieldOffset(column);
    switch (table.columns()[column].kind) {
    case ColumnKind::Text: {
        // memcmp compares as unsigned char; the field's bytes after the NUL are zeros, so the
        // whole field orders exactly as its text does.
        return std::memcmp(a + offset, b + offset, table.fieldSize(column));
    }
    case ColumnKind::Amount: {
        const double x = codec::getDouble(a, offset), y = codec::getDouble(b, offset);
        return x < y ? -1 : (y < x ? 1 : 0);
    }
    default: {
        const std::int32_t x = codec::getInt32(a, offset), y = codec::getInt32(b, offset);
        return x < y ? -1 : (y < x ? 1 : 0);
    }
    }
}

}  // namespace

ReportTable::ReportTable(std::string settingsPath, std::vector<ReportColumn> columns, std::int32_t totalsFlag,
                         std::int32_t groupColumn, std::int32_t firstSumColumn, std::int32_t secondSumColumn)
    : m_path(std::move(settingsPath)),
      m_columns(std::move(columns)),
      m_totalsFlag(totalsFlag),
      m_groupColumn(groupColumn),
      m_firstSum(firstSumColumn),
      m_secondSum(secondSumColumn) {
    if (m_columns.size() > kMaxColumns) m_columns.resize(kMaxColumns);
    for (const ReportColumn& column : m_columns) {
        m_offsets.push_back(m_rowSize);
        m_rowSize += storedSize(column);
    }
}

bool ReportTable::hasColumn(std::int32_t column) const {
    return column >= 0 && static_cast<std::size_t>(column) < m_columns.size();
}

std::size_t ReportTable::fieldSize(std::size_t column) const { return storedSize(m_columns[column]); }

std::size_t ReportTable::appendRow() {
    m_rows.resize(m_rows.size() + m_rowSize, 0);
    return rowCount() - 1;
}

void ReportTable::setText(std::size_t row, std::size_t column, std::string_view text) {
    codec::putText(m_rows.data() + row * m_rowSize, m_offsets[column], fieldSize(column), text);
}

void ReportTable::setInt(std::size_t row, std::size_t column, std::int32_t value) {
    codec::putInt32(m_rows.data() + row * m_rowSize, m_offsets[column], value);
}

void ReportTable::setDouble(std::size_t row, std::size_t column, double value) {
    codec::putDouble(m_rows.data() + row * m_rowSize, m_offsets[column], value);
}

std::string ReportTable::textAt(std::size_t r, std::size_t column) const {
    return codec::getText(row(r), m_offsets[column], fieldSize(column));
}

std::int32_t ReportTable::intAt(std::size_t r, std::size_t column) const {
    return codec::getInt32(row(r), m_offsets[column]);
}

double ReportTable::doubleAt(std::size_t r, std::size_t column) const {
    return codec::getDouble(row(r), m_offsets[column]);
}

double ReportTable::sumValueAt(std::size_t r, std::size_t column) const {
    switch (m_columns[column].kind) {
    case ColumnKind::Text: return 0.0;
    case ColumnKind::Amount: return doubleAt(r, column);
    default: return static_cast<double>(intAt(r, column));
    }
}

void ReportTable::reorderRows(const std::vector<std::size_t>& order) {
    std::vector<unsigned char> sorted(m_rows.size());
    for (std::size_t i = 0; i < order.size(); ++i)
        std::memcpy(sorted.data() + i * m_rowSize, row(order[i]), m_rowSize);
    m_rows = std::move(sorted);
}

void SortReportRows(ReportTable& table, std::int32_t firstColumn, std::int32_t secondColumn) {
    std::vector<std::size_t> keys;
    for (std::int32_t c : {firstColumn, secondColumn})
        if (table.hasColumn(c)) keys.push_back(static_cast<std::size_t>(c));
    if (keys.empty() || table.rowCount() < 2) return;
    std::vector<std::size_t> order(table.rowCount());
    std::iota(order.begin(), order.end(), std::size_t{0});
    // Stable, so rows with equal keys (one project on one date) stay in file order.
    std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
        for (std::size_t column : keys) {
            const int c = compareField(table, column, table.row(a), table.row(b));
            if (c != 0) return c < 0;
        }
        return false;
    });
    table.reorderRows(order);
}

std::int32_t reportLinesPerPage(const ReportRect& area) { return std::max<std::int32_t>(0, (area.bottom - area.top) / 15); }

std::int32_t ReportPageCount(const ReportTable& table, const ReportRect& area) {
    const std::int64_t perPage = reportLinesPerPage(area);
    if (perPage == 0) return 0;
    const std::size_t rows = table.rowCount();
    std::int64_t lines = static_cast<std::int64_t>(rows);
    if (table.totalsFlag() != ReportTable::kNone) ++lines;
    if (table.hasColumn(table.groupColumn()) && rows > 0) {
        const auto group = static_cast<std::size_t>(table.groupColumn());
        const std::size_t offset = table.fieldOffset(group), size = table.fieldSize(group);
        std::int64_t groups = 1;
        for (std::size_t r = 1; r < rows; ++r)
            if (std::memcmp(table.row(r) + offset, table.row(r - 1) + offset, size) != 0) ++groups;
        lines += groups;
    }
    return static_cast<std::int32_t>((lines + perPage - 1) / perPage);
}

ReportTable makeHistoryTable(std::string settingsPath, const std::string& monetarySymbol) {
    std::vector<ReportColumn> columns = {
        {"Project", ColumnKind::Text, 80, 0},
        {"Date", ColumnKind::Date, 0, 250},
        {"Time", ColumnKind::Minutes, 0, 330},
        {"Duration", ColumnKind::Minutes, 0, 410},
        {monetarySymbol + " Charged", ColumnKind::Amount, 0, 490},
    };
    return ReportTable(std::move(settingsPath), std::move(columns), 0, 0, 3, 4);
}

ReportTable makeCustomerTable(std::string settingsPath) {
    std::vector<ReportColumn> columns = {
        {"Customer", ColumnKind::Text, 80, 0}, {"Address", ColumnKind::Text, 80, 120},
        {"City", ColumnKind::Text, 40, 250},   {"ZIP", ColumnKind::Text, 40, 310},
        {"State", ColumnKind::Text, 40, 360},  {"Country", ColumnKind::Text, 40, 410},
        {"Phone", ColumnKind::Text, 40, 480},
    };
    return ReportTable(std::move(settingsPath), std::move(columns), ReportTable::kNone, ReportTable::kNone, 0, 0);
}

}  // namespace ql
