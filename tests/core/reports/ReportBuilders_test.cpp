#include "core/reports/ReportBuilders.h"
#include "core/reports/ReportLayout.h"
#include "core/store/Customers.h"
#include "core/store/HistoryFilterRecord.h"
#include "core/store/RecordFile.h"
#include "core/tracking/TrackingFixture.h"

#include <gtest/gtest.h>

#include <cstdio>

namespace ql {
namespace {

class ReportBuildersTest : public testing::TrackingFixture {
protected:
    void writeCustomers(const std::vector<std::string>& names) {
        for (std::size_t i = 0; i < names.size(); ++i) {
            CustomerRecord c;
            c.id = static_cast<std::int32_t>(i);
            c.name = names[i];
            c.city = "City " + std::to_string(i);
            ASSERT_TRUE(appendCustomer(m_fs, c, m_set));
        }
    }
    std::vector<std::string> column(const ReportTable& table, std::size_t c) const {
        std::vector<std::string> out;
        for (std::size_t r = 0; r < table.rowCount(); ++r) out.push_back(reportFieldText(table, r, c, true));
        return out;
    }
    std::int32_t now = at(1996, 12, 11, 10, 0);
};

TEST_F(ReportBuildersTest, HistoryIsSortedByProjectThenDateKeepingFileOrderOfEqualKeys) {
    writeProjectRates({{"Web", 30.0}, {"Audit", 60.0}, {"web", 10.0}});
    addFrame(0, at(1996, 12, 10, 9, 0), at(1996, 12, 10, 10, 30));
    addFrame(1, at(1996, 12, 11, 8, 0), at(1996, 12, 11, 8, 1, 59));
    addFrame(0, at(1996, 12, 9, 14, 0), at(1996, 12, 9, 14, 45));
    addFrame(2, at(1996, 3, 1, 7, 0), at(1996, 3, 1, 8, 0));
    addFrame(0, at(1996, 12, 10, 8, 0), at(1996, 12, 10, 8, 10));  // same date as the first: stays after it
    addFrame(0, at(1995, 12, 31, 23, 59), at(1996, 1, 1, 1, 0));    // before This Year
    auto table = buildHistoryReport(m_fs, m_set, now);
    ASSERT_TRUE(table) << table.status().message();
    // Bytes as unsigned characters: capitals first.
    EXPECT_EQ(column(*table, 0), (std::vector<std::string>{"Audit", "Web", "Web", "Web", "web"}));
    EXPECT_EQ(column(*table, 1),
              (std::vector<std::string>{"12/11/1996", "12/09/1996", "12/10/1996", "12/10/1996", "03/01/1996"}));
    EXPECT_EQ(column(*table, 2), (std::vector<std::string>{"08:00", "14:00", "09:00", "08:00", "07:00"}));
    EXPECT_EQ(column(*table, 3), (std::vector<std::string>{"00:01", "00:45", "01:30", "00:10", "01:00"}));
    EXPECT_EQ(column(*table, 4), (std::vector<std::string>{"1.00", "22.50", "45.00", "5.00", "10.00"}));
    EXPECT_EQ(table->columns()[4].title, "$ Charged");
}

TEST_F(ReportBuildersTest, HistoryUsesTheSavedFilter) {
    writeProjectRates({{"Web", 30.0}, {"Audit", 60.0}});
    addFrame(0, at(1996, 12, 10, 9, 0), at(1996, 12, 10, 10, 0));
    addFrame(1, at(1996, 12, 10, 9, 0), at(1996, 12, 10, 10, 0));
    addFrame(1, at(1996, 11, 30, 23, 59, 59), at(1996, 12, 1, 1, 0));
    addFrame(1, at(1996, 12, 1, 0, 0), at(1996, 12, 1, 1, 0));
    ASSERT_TRUE(writeHistoryFilter(m_fs, path(FileKind::HistoryFilter),
                                   {1, 1, at(1996, 12, 1), at(1996, 12, 31, 23, 59, 59)}));
    auto table = buildHistoryReport(m_fs, m_set, now);
    ASSERT_TRUE(table);
    EXPECT_EQ(column(*table, 1), (std::vector<std::string>{"12/01/1996", "12/10/1996"}));
    EXPECT_EQ(column(*table, 0), (std::vector<std::string>{"Audit", "Audit"}));
}

TEST_F(ReportBuildersTest, DeletedProjectGetsAPlaceholderAndNoCharge) {
    writeProjectRates({{"Web", 30.0}});
    addFrame(17, at(1996, 12, 10, 9, 0), at(1996, 12, 10, 10, 0));
    auto table = buildHistoryReport(m_fs, m_set, now);
    ASSERT_TRUE(table);
    EXPECT_EQ(column(*table, 0), (std::vector<std::string>{"(deleted project 17)"}));
    EXPECT_EQ(column(*table, 4), (std::vector<std::string>{"0.00"}));
}

TEST_F(ReportBuildersTest, ProjectsOfOneNameFormOneGroup) {
    writeProjectRates({{"Web", 30.0}, {"Web", 60.0}});
    addFrame(0, at(1996, 12, 10, 9, 0), at(1996, 12, 10, 10, 0));
    addFrame(1, at(1996, 12, 11, 9, 0), at(1996, 12, 11, 10, 0));
    auto table = buildHistoryReport(m_fs, m_set, now);
    ASSERT_TRUE(table);
    const ReportLayout layout = layoutReport(*table, true);
    ASSERT_EQ(layout.pages.size(), 1u);
    ASSERT_EQ(layout.pages[0].size(), 4u);  // two rows, one Sub-Total, the Total
    EXPECT_EQ(layout.pages[0][2].kind, ReportLineKind::SubTotal);
    EXPECT_EQ(layout.pages[0][2].cells[2].text, "90.00");
}

TEST_F(ReportBuildersTest, MissingFilesAreReportedByTheirMessages) {
    ASSERT_EQ(std::remove(path(FileKind::TimeFrames).c_str()), 0);
    auto history = buildHistoryReport(m_fs, m_set, now);
    ASSERT_FALSE(history);
    EXPECT_EQ(history.status().message(), "Cannot open time frames file : " + path(FileKind::TimeFrames));

    ASSERT_EQ(std::remove(path(FileKind::Customers).c_str()), 0);
    auto customers = buildCustomerReport(m_fs, m_set);
    ASSERT_FALSE(customers);
    EXPECT_EQ(customers.status().message(), "Cannot open Customers file : " + path(FileKind::Customers));
}

TEST_F(ReportBuildersTest, CustomersSortedByNameEqualNamesInFileOrder) {
    writeCustomers({"Zeta", "Acme", "acme", "Acme"});
    auto table = buildCustomerReport(m_fs, m_set);
    ASSERT_TRUE(table);
    EXPECT_EQ(column(*table, 0), (std::vector<std::string>{"Acme", "Acme", "Zeta", "acme"}));
    EXPECT_EQ(column(*table, 2), (std::vector<std::string>{"City 1", "City 3", "City 0", "City 2"}));
    EXPECT_EQ(ReportPageCount(*table, kReportBodyArea), 1);
}

TEST_F(ReportBuildersTest, NoCustomersGiveNoPages) {
    auto table = buildCustomerReport(m_fs, m_set);
    ASSERT_TRUE(table);
    EXPECT_EQ(ReportPageCount(*table, kReportBodyArea), 0);
    EXPECT_TRUE(layoutReport(*table, true).pages.empty());
}

TEST_F(ReportBuildersTest, EachFileIsReadOnce) {
    test::FaultyFileSystem counting;
    writeProjectRates({{"Web", 30.0}});
    for (int d = 1; d <= 20; ++d) addFrame(0, at(1996, 12, d, 9, 0), at(1996, 12, d, 10, 0));
    ASSERT_TRUE(buildHistoryReport(counting, m_set, now));
    for (FileKind kind : {FileKind::Settings, FileKind::Projects, FileKind::TimeFrames, FileKind::HistoryFilter})
        EXPECT_LE(counting.reads(path(kind)), 1) << fileExtension(kind);
    EXPECT_EQ(counting.reads(path(FileKind::TimeFrames)), 1);
}

TEST(ReportSort, ComparesEachKindAndNeverLimitsRows) {
    std::vector<ReportColumn> columns = {{"text", ColumnKind::Text, 8, 0}, {"int", ColumnKind::Integer, 0, 100},
                                         {"amount", ColumnKind::Amount, 0, 200}};
    ReportTable table("Work.qlr", columns, ReportTable::kNone, ReportTable::kNone, -1, -1);
    const std::size_t rows = 12000;
    for (std::size_t i = 0; i < rows; ++i) {
        const std::size_t r = table.appendRow();
        // "\xc3\xa9" (e acute) sorts after "z" as unsigned bytes.
        const char* texts[] = {"z", "\xc3\xa9", "B", "a"};
        table.setText(r, 0, texts[i % 4]);
        table.setInt(r, 1, static_cast<std::int32_t>(rows - i) - 6000);
        table.setDouble(r, 2, -0.5 * static_cast<double>(i % 7));
    }
    // One key: rows of equal text keep file order (their integers fall with the row index).
    SortReportRows(table, 0, -1);
    for (std::size_t r = 1; r < rows; ++r) {
        if (table.textAt(r - 1, 0) == table.textAt(r, 0)) {
            ASSERT_GT(table.intAt(r - 1, 1), table.intAt(r, 1)) << r;
        }
    }

    SortReportRows(table, 0, 1);
    ASSERT_EQ(table.rowCount(), rows);
    for (std::size_t r = 1; r < rows; ++r) {
        const std::string a = table.textAt(r - 1, 0), b = table.textAt(r, 0);
        ASSERT_LE(a, b) << r;
        if (a == b) {
            ASSERT_LT(table.intAt(r - 1, 1), table.intAt(r, 1)) << r;
        }
    }
    EXPECT_EQ(table.textAt(0, 0), "B");
    EXPECT_EQ(table.textAt(rows - 1, 0), "\xc3\xa9");
    EXPECT_EQ(table.intAt(0, 1), -5998);  // the most negative of the "B" rows

    SortReportRows(table, 2, -1);
    for (std::size_t r = 1; r < rows; ++r) ASSERT_LE(table.doubleAt(r - 1, 2), table.doubleAt(r, 2)) << r;
}

}  // namespace
}  // namespace ql
