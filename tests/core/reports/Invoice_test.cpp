#include "core/reports/Invoice.h"
#include "core/reports/InvoicePage.h"
#include "core/reports/InvoiceText.h"
#include "core/store/Customers.h"
#include "core/text/NumberText.h"
#include "core/tracking/TrackingFixture.h"

#include <clocale>
#include <climits>
#include <limits>

namespace ql::testing {
namespace {

class InvoiceTest : public TrackingFixture {
protected:
    // Projects: 0 "Design" and its sub-project 1 "Build" of customer 7, 2 "Other" of customer 8,
    // 3 "Loose" without customer.
    void SetUp() override {
        TrackingFixture::SetUp();
        std::vector<ProjectRecord> projects = {
            {0, "Design", 7, 45.0, "", -1}, {1, "Build", 7, 30.0, "", 0},
            {2, "Other", 8, 99.0, "", -1}, {3, "Loose", -1, 10.0, "", -1}};
        ASSERT_TRUE(writeProjects(m_fs, path(FileKind::Projects), projects));
        CustomerRecord acme = acmeCustomer();
        acme.phone = "555-0100";
        ASSERT_TRUE(appendCustomer(m_fs, acme, m_set));
    }
    InvoiceRequest december(std::int32_t customer = 7) const {
        return {customer, at(1996, 12, 1), at(1996, 12, 31, 23, 59, 59), "9600001"};
    }
    Invoice load(const InvoiceRequest& request) {
        auto invoice = LoadInvoice(m_fs, request, m_set);
        EXPECT_TRUE(invoice.isOk()) << invoice.status().message();
        return invoice ? std::move(invoice).value() : Invoice{};
    }
    InvoiceParties parties() {
        auto settings = readSettings(m_fs, m_set);
        auto customer = findCustomerById(m_fs, path(FileKind::Customers), 7);
        return {*settings, **customer};
    }
    static Invoice withLines(int count) {
        Invoice invoice;
        invoice.request = {7, 0, 0, "42"};
        for (int i = 0; i < count; ++i) invoice.lines.push_back({"P", 60.0, 1000 * i, 1000 * i + 600});
        return invoice;
    }
    static std::vector<std::string> texts(const InvoicePage& page) {
        std::vector<std::string> out;
        for (const auto& t : page.texts) out.push_back(t.text);
        return out;
    }
    static bool shows(const InvoicePage& page, const std::string& text) {
        const auto all = texts(page);
        return std::find(all.begin(), all.end(), text) != all.end();
    }
};

TEST_F(InvoiceTest, ANewInvoiceCoversTheWholeMonthOfNow) {
    struct Case {
        std::int32_t now;
        std::int32_t start, end;
    };
    const Case cases[] = {
        {at(1996, 12, 11, 10), at(1996, 12, 1), at(1996, 12, 31, 23, 59, 59)},
        {at(1996, 12, 1), at(1996, 12, 1), at(1996, 12, 31, 23, 59, 59)},
        {at(1996, 12, 31, 23, 59, 59), at(1996, 12, 1), at(1996, 12, 31, 23, 59, 59)},
        {at(1996, 2, 10), at(1996, 2, 1), at(1996, 2, 29, 23, 59, 59)},
        // The months whose clocks change keep whole local days.
        {at(1997, 4, 6, 12), at(1997, 4, 1), at(1997, 4, 30, 23, 59, 59)},
        {at(1996, 10, 27, 1, 30), at(1996, 10, 1), at(1996, 10, 31, 23, 59, 59)},
    };
    for (const Case& c : cases) {
        const ReportPeriod period = defaultInvoicePeriod(c.now);
        EXPECT_EQ(period.start, c.start) << c.now;
        EXPECT_EQ(period.end, c.end) << c.now;
    }
}

TEST_F(InvoiceTest, NextNumberCountsUpTheLastGroupOfDigitsAndKeepsTheRest) {
    const struct {
        const char* typed;
        const char* next;
    } cases[] = {
        {"9600001", "9600002"},   {"2026-0042", "2026-0043"}, {"INV-099", "INV-100"},
        {"96-15", "96-16"},       {"9", "10"},                {"X-99", "X-100"},
        {"A9Z", "A10Z"},          {"0042", "0043"},           {"0099", "0100"},
        {"2026/07-12b", "2026/07-13b"},                       {"  -5", "  -6"},
        {"R\xC3\xA9" "f-7 \xC3\xA9t\xC3\xA9", "R\xC3\xA9" "f-8 \xC3\xA9t\xC3\xA9"},  // UTF-8 around the digits stays
        {"99999999999999999999999", "100000000000000000000000"},  // no integer limit
        // Without a digit the numbering starts again at 1.
        {"ABC", "1"},             {"", "1"},                  {"INV-", "1"},
    };
    for (const auto& c : cases) EXPECT_EQ(nextInvoiceNumberAfter(c.typed), c.next) << c.typed;
}

TEST_F(InvoiceTest, AdvancingStoresTheNextNumberAndKeepsTheRestOfTheRecord) {
    const SettingsRecord before = *readSettings(m_fs, m_set);
    EXPECT_EQ(before.nextInvoiceNumber, "9600001");
    ASSERT_TRUE(advanceInvoiceNumber(m_fs, m_set, before.nextInvoiceNumber));
    SettingsRecord expected = before;
    expected.nextInvoiceNumber = "9600002";
    EXPECT_EQ(*readSettings(m_fs, m_set), expected);

    // An unreadable record is not replaced by defaults (which would lose the company block).
    const std::string qlr = path(FileKind::Settings);
    test::writeBytes(qlr, {1, 2, 3});
    EXPECT_FALSE(advanceInvoiceNumber(m_fs, m_set, "5"));
    EXPECT_EQ(test::readBytes(qlr), (std::vector<unsigned char>{1, 2, 3}));
}

TEST_F(InvoiceTest, RequestsAreRefusedBeforeAnythingIsAdvanced) {
    EXPECT_TRUE(checkInvoiceNumber(std::string(31, '9')));
    const Status tooLong = checkInvoiceNumber(std::string(32, '9'));
    EXPECT_FALSE(tooLong);
    EXPECT_NE(tooLong.message().find("31"), std::string::npos) << tooLong.message();
    // Bytes count, not characters: 16 "é" are 32 bytes.
    std::string accents;
    for (int i = 0; i < 16; ++i) accents += "\xC3\xA9";
    EXPECT_FALSE(checkInvoiceNumber(accents));

    const std::string cus = path(FileKind::Customers);
    EXPECT_TRUE(checkInvoiceCustomer(m_fs, cus, 7));
    EXPECT_EQ(checkInvoiceCustomer(m_fs, cus, -1).code(), StatusCode::InvalidArgument);
    EXPECT_EQ(checkInvoiceCustomer(m_fs, cus, 3).code(), StatusCode::NotFound);
    // No customer would otherwise bill every project that has none.
    EXPECT_FALSE(LoadInvoice(m_fs, december(-1), m_set));
}

TEST_F(InvoiceTest, FramesOfTheCustomersOwnProjectsThatStartInThePeriodAreInvoiced) {
    writeFrames({
        {0, at(1996, 12, 1), at(1996, 12, 1, 1)},                     // starts at the period start
        {1, at(1996, 12, 31, 22), at(1996, 12, 31, 23, 59, 59)},      // sub-project, own customer, ends at the end
        {0, at(1996, 12, 31, 23), at(1997, 1, 1, 1)},                 // crosses midnight into January
        {0, at(1996, 11, 30, 23), at(1996, 12, 1, 1)},                // starts before
        {2, at(1996, 12, 5, 9), at(1996, 12, 5, 10)},                 // another customer
        {3, at(1996, 12, 5, 9), at(1996, 12, 5, 10)},                 // no customer
        {9, at(1996, 12, 5, 9), at(1996, 12, 5, 10)},                 // project gone
    });
    m_fs.resetCounts();
    const Invoice invoice = load(december());
    EXPECT_EQ(m_fs.reads(path(FileKind::TimeFrames)), 1);
    EXPECT_EQ(m_fs.reads(path(FileKind::Projects)), 1);
    ASSERT_EQ(invoice.lines.size(), 3u);
    EXPECT_EQ(invoice.lines[0], (InvoiceLine{"Build", 30.0, at(1996, 12, 31, 22), at(1996, 12, 31, 23, 59, 59), 1}));
    EXPECT_EQ(invoice.lines[1].projectName, "Design");
    EXPECT_EQ(invoice.lines[2], (InvoiceLine{"Design", 45.0, at(1996, 12, 31, 23), at(1997, 1, 1, 1), 0}));
    EXPECT_EQ(invoice.settingsPath, m_settingsPath);

    // Billed in December, where it starts, so not again in January.
    const Invoice january = load({7, at(1997, 1, 1), at(1997, 1, 31, 23, 59, 59), "1"});
    EXPECT_TRUE(january.lines.empty());
}

TEST_F(InvoiceTest, AMissingTimeFramesFileIsReportedWithItsPath) {
    std::remove(path(FileKind::TimeFrames).c_str());
    const auto invoice = LoadInvoice(m_fs, december(), m_set);
    ASSERT_FALSE(invoice);
    EXPECT_EQ(invoice.status().message(), "Cannot open time frames file : " + path(FileKind::TimeFrames));
}

TEST_F(InvoiceTest, LinesSortByNameBytesThenStartWithoutALimit) {
    std::vector<InvoiceLine> lines = {{"b", 1, 5, 6}, {"\xC3\xA9t\xC3\xA9", 1, 1, 2}, {"B", 1, 9, 10},
                                      {"b", 1, 2, 3}, {"Ba", 1, 0, 1}};
    sortInvoiceLines(lines);
    std::vector<std::pair<std::string, std::int32_t>> order;
    for (const auto& l : lines) order.emplace_back(l.projectName, l.start);
    EXPECT_EQ(order, (std::vector<std::pair<std::string, std::int32_t>>{
                         {"B", 9}, {"Ba", 0}, {"b", 2}, {"b", 5}, {"\xC3\xA9t\xC3\xA9", 1}}));

    std::vector<InvoiceLine> many;
    for (int i = 0; i < 12000; ++i) many.push_back({"P", 1, 12000 - i, 12001 - i});
    sortInvoiceLines(many);
    EXPECT_EQ(many.size(), 12000u);
    EXPECT_TRUE(std::is_sorted(many.begin(), many.end(), [](auto& a, auto& b) { return a.start < b.start; }));
}

TEST_F(InvoiceTest, LineCellsFollowTheChargeRuleAndTheDateFlag) {
    SettingsRecord settings = *readSettings(m_fs, m_set);
    const InvoiceLine line{"Design", 45.0, at(1996, 12, 3, 9, 5), at(1996, 12, 3, 10, 35, 50)};
    EXPECT_EQ(line.minutes(), 90);
    const InvoiceLineCells cells = invoiceLineCells(line, settings);
    EXPECT_EQ(cells.date, "12/03/1996");
    EXPECT_EQ(cells.time, "09:05");
    EXPECT_EQ(cells.duration, "01:30");
    EXPECT_EQ(cells.rate, "$45.00");
    EXPECT_EQ(cells.amount, "$67.50");
    settings.dateFormat = 0;
    EXPECT_EQ(invoiceLineCells(line, settings).date, "03/12/1996");
    // Every hour of a long frame shows, as beside its amount.
    EXPECT_EQ(invoiceLineCells({"x", 1, 0, (25 * 60 + 30) * 60 + 59}, settings).duration, "25:30");
}

TEST_F(InvoiceTest, CityLineAndTaxRowsWithTheDefaultSettings) {
    EXPECT_EQ(cityLine("Springfield", "IL", "62701"), "Springfield, IL-62701");
    EXPECT_EQ(cityLine("Paris", "", "75001"), "75001 Paris");
    const InvoiceTax tax = invoiceTax(*readSettings(m_fs, m_set), 10000);
    EXPECT_EQ(tax.rateLabel, "Sales Tax :  (6.00%)");
    EXPECT_EQ(tax.totalLabel, "TOTAL + Sales Tax : ");
    EXPECT_EQ(tax.taxCents, 600);
    EXPECT_EQ(tax.totalCents, 10600);
}

TEST_F(InvoiceTest, SumsAreWholeCentsThatNeverWrap) {
    const double kNaN = std::numeric_limits<double>::quiet_NaN();
    const double kInf = std::numeric_limits<double>::infinity();
    const struct {
        double amount;
        std::int64_t cents;
    } amounts[] = {{0.125, 13}, {-0.125, -13}, {1.005, 100} /* 100.4999... cents */, {2.5e-3, 0},
                   {kNaN, 0},   {1e300, kInvoiceCentsLimit}, {-kInf, -kInvoiceCentsLimit}};
    for (const auto& c : amounts) EXPECT_EQ(invoiceCents(c.amount), c.cents) << c.amount;

    const struct {
        std::int64_t cents;
        const char* text;
    } texts[] = {{0, "$0.00"}, {5, "$0.05"}, {-105, "$-1.05"}, {123456, "$1234.56"},
                 {std::numeric_limits<std::int64_t>::min(), "$-92233720368547758.08"}};
    for (const auto& c : texts) EXPECT_EQ(invoiceCentsText("$", c.cents), c.text) << c.cents;

    SettingsRecord settings = *readSettings(m_fs, m_set);
    EXPECT_EQ(invoiceSums(withLines(35), settings), (InvoiceSums{35000, 2100, 37100}));
    settings.applySalesTax = 0;
    EXPECT_EQ(invoiceSums(withLines(35), settings), (InvoiceSums{35000, 0, 35000}));
    // Absurd rates hold at the limit instead of wrapping into a small or negative sum.
    Invoice huge = withLines(3);
    for (InvoiceLine& line : huge.lines) line.rate = 1e300;
    settings.applySalesTax = 1;
    const InvoiceSums held = invoiceSums(huge, settings);
    EXPECT_EQ(held.net, kInvoiceCentsLimit);
    EXPECT_GT(held.tax, 0);
    EXPECT_EQ(held.total, kInvoiceCentsLimit);
}

TEST_F(InvoiceTest, ThirtyFiveLinesMakeTwoNumberedPagesEachWithTheFullTotal) {
    const InvoiceParties who = parties();
    EXPECT_EQ(withLines(0).pageCount(), 0);
    EXPECT_EQ(withLines(30).pageCount(), 1);
    EXPECT_EQ(withLines(31).pageCount(), 2);

    const Invoice invoice = withLines(35);  // 35 x 10 min at 60.00 = 350.00
    ASSERT_EQ(invoice.pageCount(), 2);
    for (int page = 1; page <= 2; ++page) {
        const InvoicePage p = invoicePage(invoice, who, page);
        const auto lineCells = std::count_if(p.texts.begin(), p.texts.end(), [](const InvoicePageText& t) {
            return t.rect.left == 480 + 5 && t.rect.top >= 200 && t.rect.bottom <= 660;
        });
        EXPECT_EQ(lineCells, page == 1 ? 30 : 5);
        EXPECT_TRUE(shows(p, "$350.00"));
        EXPECT_TRUE(shows(p, "Sales Tax :  (6.00%)"));
        EXPECT_TRUE(shows(p, "$21.00"));
        EXPECT_TRUE(shows(p, "TOTAL + Sales Tax : "));
        EXPECT_TRUE(shows(p, "$371.00"));
        EXPECT_TRUE(shows(p, "Page " + std::to_string(page)));
        EXPECT_TRUE(shows(p, "This invoice has been compiled using Quillory.\nThank you for your prompt payment."));
    }
    const InvoicePage single = invoicePage(withLines(30), who, 1);
    EXPECT_FALSE(shows(single, "Page 1"));
}

TEST_F(InvoiceTest, ThePageCarriesTheBlocksGridAndTitleWhereTheyBelong) {
    InvoiceParties who = parties();
    who.settings.state = "";
    who.settings.city = "Paris";
    who.settings.zip = "75001";
    who.settings.applySalesTax = 0;
    const InvoicePage p = invoicePage(withLines(1), who, 1);
    ASSERT_FALSE(p.texts.empty());
    EXPECT_EQ(p.texts[0], (InvoicePageText{{360, 20, 560, 170}, "INVOICE# 42", false, InvoiceTextStyle::Title, 2}));  // the number stays readable
    EXPECT_EQ(p.texts[1], (InvoicePageText{{10, 20, 210, 35}, "<Your Company Name>", false, InvoiceTextStyle::Line}));
    EXPECT_EQ(p.texts[3].text, "75001 Paris");
    EXPECT_EQ(p.texts[5].text, "");  // phone
    EXPECT_EQ(p.texts[6], (InvoicePageText{{360, 70, 560, 85}, "Acme Corp", false, InvoiceTextStyle::Line}));
    EXPECT_EQ(p.texts[8].text, "Springfield, IL-62701");
    EXPECT_FALSE(shows(p, "555-0100"));  // the customer's phone is not printed
    // Six columns with header cells, one unit past the next edge, and one TOTAL row of two boxes.
    ASSERT_EQ(p.frames.size(), 14u);
    EXPECT_EQ(p.frames[0], (InvoiceRect{10, 180, 211, 660}));
    EXPECT_EQ(p.frames[11], (InvoiceRect{480, 180, 561, 200}));
    EXPECT_EQ(p.frames[13], (InvoiceRect{480, 660, 561, 680}));
    EXPECT_FALSE(shows(p, "TOTAL + Sales Tax : "));
}

TEST_F(InvoiceTest, TheTextFileMatchesTheExpectedBytes) {
    writeFrames({
        {0, at(1996, 12, 3, 9, 5), at(1996, 12, 3, 10, 35, 50)},  // 90 min at 45.00
        {1, at(1996, 12, 2, 14, 0), at(1996, 12, 2, 14, 20)},     // 20 min at 30.00
        {0, at(1996, 12, 2, 8, 0), at(1996, 12, 2, 8, 59, 59)},    // 59 min at 45.00
    });
    const Invoice invoice = load(december());
    const std::string expected =
        "INVOICE# 9600001\n"
        "\n"
        "CUSTOMER :\n"
        "Acme Corp\n"
        "1 Main St\n"
        "Springfield, IL-62701\n"
        "USA\n"
        "\n"
        "\n"
        "Project\tDate\tTime\tDuration\tPrice/hour\tTotal\n"
        "Build\t12/02/1996\t14:00\t00:20\t$30.00\t$10.00\t\n"
        "Design\t12/02/1996\t08:00\t00:59\t$45.00\t$44.25\t\n"
        "Design\t12/03/1996\t09:05\t01:30\t$45.00\t$67.50\t\n"
        "\n"
        "TOTAL: $121.75\n"
        "Sales Tax :  (6.00%): $7.31\n"  // 730.5 cents, half away from zero
        "TOTAL + Sales Tax : : $129.06\n"
        "\n";
    InvoiceParties who = parties();
    EXPECT_EQ(invoiceFileText(invoice, who), expected);

    who.settings.applySalesTax = 0;
    const std::string untaxed = invoiceFileText(invoice, who);
    const std::string end = "\nTOTAL: $121.75\n";
    EXPECT_EQ(untaxed.substr(untaxed.size() - end.size()), end);
    EXPECT_EQ(untaxed, expected.substr(0, expected.find("Sales Tax")));
}

TEST(InvoiceAmounts, AreTheSameInAnyLocale) {
    EXPECT_EQ(fixed2Text(6.0), "6.00");
    EXPECT_EQ(fixed2Text(1234.5), "1234.50");
    EXPECT_EQ(fixed2Text(0.125), "0.12");  // ties to even as printf does
    EXPECT_EQ(fixed2Text(-0.004), "-0.00");
    const char* previous = std::setlocale(LC_NUMERIC, nullptr);
    const std::string saved = previous ? previous : "C";
    if (!std::setlocale(LC_NUMERIC, "de_DE.UTF-8")) GTEST_SKIP() << "no de_DE locale here";
    EXPECT_EQ(fixed2Text(1234.5), "1234.50");
    std::setlocale(LC_NUMERIC, saved.c_str());
}

}  // namespace
}  // namespace ql::testing
