#include "core/reports/ReportLayout.h"
#include "core/reports/ReportTable.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <string>
#include <vector>

namespace ql {
namespace {

struct HistoryRow {
    std::string project;
    std::int32_t dateKey;
    std::int32_t minutes;
    double charge;
};

ReportTable historyOf(const std::vector<HistoryRow>& rows) {
    ReportTable table = makeHistoryTable("Work.qlr", "$");
    for (const HistoryRow& h : rows) {
        const std::size_t r = table.appendRow();
        table.setText(r, history_column::kProject, h.project);
        table.setInt(r, history_column::kDate, h.dateKey);
        table.setInt(r, history_column::kTime, 9 * 60 + 30);
        table.setInt(r, history_column::kDuration, h.minutes);
        table.setDouble(r, history_column::kCharge, h.charge);
    }
    return table;
}

std::vector<HistoryRow> rowsOf(const std::string& project, int count) {
    return std::vector<HistoryRow>(static_cast<std::size_t>(count), {project, 19961211, 60, 30.0});
}

std::vector<ReportLineKind> kindsOf(const std::vector<ReportLine>& lines) {
    std::vector<ReportLineKind> kinds;
    for (const ReportLine& line : lines) kinds.push_back(line.kind);
    return kinds;
}

// The texts of a total line's cells: the label, then the two sums.
std::vector<std::string> textsOf(const ReportLine& line) {
    std::vector<std::string> texts;
    for (const ReportCell& cell : line.cells) texts.push_back(cell.text);
    return texts;
}

using K = ReportLineKind;

TEST(ReportLayout, TwoGroupsOnOnePageWithSubTotalsAndTotal) {
    std::vector<HistoryRow> rows = {{"A", 19961209, 90, 45.0}, {"A", 19961210, 30, 15.0}, {"A", 19961211, 5, 2.5},
                                    {"B", 19961209, 60, 20.0}, {"B", 19961212, 61, 20.25}};
    const ReportLayout layout = layoutReport(historyOf(rows), true);
    ASSERT_EQ(layout.pages.size(), 1u);
    const auto& lines = layout.pages[0];
    EXPECT_EQ(kindsOf(lines), (std::vector<K>{K::Row, K::Row, K::Row, K::SubTotal, K::Row, K::Row, K::SubTotal, K::Total}));
    for (std::size_t i = 0; i < lines.size(); ++i) EXPECT_EQ(lines[i].top, 30 + 15 * static_cast<int>(i)) << i;

    EXPECT_EQ(textsOf(lines[3]), (std::vector<std::string>{"Sub-Total", "02:05", "62.50"}));
    EXPECT_EQ(textsOf(lines[6]), (std::vector<std::string>{"Sub-Total", "02:01", "40.25"}));
    EXPECT_EQ(textsOf(lines[7]), (std::vector<std::string>{"Total", "04:06", "102.75"}));

    // A single rule over each sum for a Sub-Total, a double one for the Total.
    ASSERT_EQ(lines[3].rules.size(), 2u);
    EXPECT_EQ(lines[3].rules[0].y, lines[3].top - 1);
    ASSERT_EQ(lines[7].rules.size(), 4u);
    EXPECT_EQ(lines[7].rules[0].y, lines[7].top - 1);
    EXPECT_EQ(lines[7].rules[1].y, lines[7].top + 1);
    EXPECT_EQ(lines[7].rules[0].left, 415);
    EXPECT_EQ(lines[7].rules[0].right, 485);

    // The label sits from x = 20 to 5 before the Date column; sums are right-aligned.
    EXPECT_EQ(lines[7].cells[0].rect, (ReportRect{20, lines[7].top, 245, lines[7].top + 15}));
    EXPECT_EQ(lines[7].cells[2].align, CellAlign::Right);
    EXPECT_EQ(lines[7].cells[2].rect, (ReportRect{495, lines[7].top, 575, lines[7].top + 15}));
}

TEST(ReportLayout, RowCellsAreInsetAndPrintedByKind) {
    const ReportLayout layout = layoutReport(historyOf({{"Design", 19960105, 605, 1234.5}}), true);
    const ReportLine& row = layout.pages.at(0).at(0);
    EXPECT_EQ(textsOf(row), (std::vector<std::string>{"Design", "01/05/1996", "09:30", "10:05", "1234.50"}));
    const std::vector<ReportRect> rects = {{5, 30, 245, 45}, {255, 30, 325, 45}, {335, 30, 405, 45},
                                           {415, 30, 485, 45}, {495, 30, 575, 45}};
    const std::vector<CellAlign> aligns = {CellAlign::Left, CellAlign::Left, CellAlign::Right, CellAlign::Right,
                                           CellAlign::Right};
    for (std::size_t c = 0; c < rects.size(); ++c) {
        EXPECT_EQ(row.cells[c].rect, rects[c]) << c;
        EXPECT_EQ(row.cells[c].align, aligns[c]) << c;
    }
    EXPECT_EQ(layoutReport(historyOf({{"Design", 19960105, 605, 1234.5}}), false).pages[0][0].cells[1].text,
              "05/01/1996");
}

TEST(ReportLayout, HeaderBoxesRunFromEachEdgeToTheNext) {
    const ReportLayout layout = layoutReport(makeHistoryTable("Work.qlr", "EUR"), true);
    ASSERT_EQ(layout.header.size(), 5u);
    EXPECT_EQ(layout.header[0].box, (ReportRect{0, 10, 250, 30}));
    EXPECT_EQ(layout.header[4].box, (ReportRect{490, 10, 580, 30}));
    EXPECT_EQ(layout.header[4].title.text, "EUR Charged");
    EXPECT_EQ(layout.header[4].title.rect, (ReportRect{495, 10, 575, 30}));
}

TEST(ReportLayout, FortySevenRowsFitOnePageFortyEightSpillTheTotals) {
    const ReportLayout one = layoutReport(historyOf(rowsOf("A", 47)), true);
    ASSERT_EQ(one.pages.size(), 1u);
    ASSERT_EQ(one.pages[0].size(), 49u);
    EXPECT_EQ(one.pages[0][47].kind, K::SubTotal);
    EXPECT_EQ(one.pages[0][48].kind, K::Total);
    EXPECT_EQ(one.pages[0][48].top, 30 + 48 * 15);

    const ReportLayout two = layoutReport(historyOf(rowsOf("A", 48)), true);
    ASSERT_EQ(two.pages.size(), 2u);
    EXPECT_EQ(two.pages[0].size(), 48u);
    ASSERT_EQ(two.pages[1].size(), 2u);
    EXPECT_EQ(two.pages[1][0].kind, K::SubTotal);
    EXPECT_EQ(two.pages[1][0].top, 30);
    EXPECT_EQ(two.pages[1][1].kind, K::Total);
    EXPECT_EQ(two.pages[1][1].top, 45);
    EXPECT_EQ(textsOf(two.pages[1][1]), (std::vector<std::string>{"Total", "48:00", "1440.00"}));
}

TEST(ReportLayout, SubTotalsBetweenGroupsCountAcrossPageBreaks) {
    // 48 rows of A fill page 1 but for one line; A's Sub-Total takes it, B starts page 2.
    std::vector<HistoryRow> rows = rowsOf("A", 48);
    for (const HistoryRow& b : rowsOf("B", 2)) rows.push_back(b);
    const ReportLayout layout = layoutReport(historyOf(rows), true);
    ASSERT_EQ(layout.pages.size(), 2u);
    EXPECT_EQ(layout.pages[0].back().kind, K::SubTotal);
    EXPECT_EQ(layout.pages[0].back().top, 30 + 48 * 15);
    EXPECT_EQ(kindsOf(layout.pages[1]), (std::vector<K>{K::Row, K::Row, K::SubTotal, K::Total}));
    EXPECT_EQ(layout.pages[1][0].top, 30);
}

TEST(ReportLayout, PageCountsOfTheEdgeCases) {
    struct Case {
        const char* what;
        ReportTable table;
        std::int32_t pages;
    };
    ReportTable customers = makeCustomerTable("Work.qlr");
    ReportTable hundredCustomers = makeCustomerTable("Work.qlr");
    for (int i = 0; i < 100; ++i) hundredCustomers.appendRow();
    std::vector<HistoryRow> manyGroups;
    for (int g = 0; g < 49; ++g) manyGroups.push_back({std::string(1, static_cast<char>('A' + g % 26)) + std::to_string(g), 19961211, 1, 1.0});
    Case cases[] = {
        {"no customers", std::move(customers), 0},
        {"100 customers: 49 lines a page", std::move(hundredCustomers), 3},
        {"empty history still has its Total line", historyOf({}), 1},
        {"47 rows", historyOf(rowsOf("A", 47)), 1},
        {"48 rows", historyOf(rowsOf("A", 48)), 2},
        {"49 single-row groups: 49 + 49 + 1 lines", historyOf(manyGroups), 3},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ReportPageCount(c.table, kReportBodyArea), c.pages) << c.what;
        EXPECT_EQ(layoutReport(c.table, true).pages.size(), static_cast<std::size_t>(c.pages)) << c.what;
    }
    EXPECT_EQ(ReportPageCount(historyOf(rowsOf("A", 3)), ReportRect{10, 30, 580, 44}), 0) << "area below one line";
}

TEST(ReportLayout, EmptyHistoryPageShowsNoLines) {
    const ReportLayout layout = layoutReport(historyOf({}), true);
    ASSERT_EQ(layout.pages.size(), 1u);
    EXPECT_TRUE(layout.pages[0].empty());
}

TEST(ReportLayout, SumsAndFieldsAreConvertedByKind) {
    struct Case {
        ColumnKind kind;
        double sum;
        const char* text;
    };
    const Case cases[] = {
        {ColumnKind::Minutes, 6005, "100:05"}, {ColumnKind::Minutes, 59.9, "00:59"},
        {ColumnKind::Minutes, 0, "00:00"},     {ColumnKind::Minutes, -5, "00:-05"},
        {ColumnKind::Amount, 1234.5, "1234.50"}, {ColumnKind::Amount, 0.005, "0.01"},
        {ColumnKind::Amount, -2.0, "-2.00"},   {ColumnKind::Integer, 7.9, "7"},
        {ColumnKind::Integer, -7.9, "-7"},
    };
    for (const Case& c : cases) EXPECT_EQ(reportSumText(c.kind, c.sum), c.text) << c.sum;
}

TEST(ReportLayout, FooterTitleAndPageText) {
    setenv("TZ", "America/New_York", 1);
    tzset();
    std::tm t{};
    t.tm_year = 96;
    t.tm_mon = 11;
    t.tm_mday = 31;
    t.tm_hour = 17;
    t.tm_min = 45;
    t.tm_isdst = -1;
    const auto now = static_cast<std::int32_t>(std::mktime(&t));
    EXPECT_EQ(reportFooterTitle(kHistoryTitle, now, true), "Quillory95 - History of charges -12/31/1996 17:45");
    EXPECT_EQ(reportFooterTitle(kCustomersTitle, now, false), "Quillory95 - List of Customers -31/12/1996 17:45");
    EXPECT_EQ(reportPageText(12), "Page 12");
}

TEST(ReportLayout, RowsWithoutRowLimit) {
    const ReportLayout layout = layoutReport(historyOf(rowsOf("A", 20000)), true);
    // 20,000 rows + Sub-Total + Total over 49 lines a page.
    ASSERT_EQ(layout.pages.size(), 409u);
    EXPECT_EQ(layout.pages.back().back().kind, K::Total);
    EXPECT_EQ(textsOf(layout.pages.back().back())[1], "20000:00");
}

}  // namespace
}  // namespace ql
