#include "core/einvoice/CiiInvoice.h"

#include "core/reports/InvoiceDetails.h"
#include "core/support/ScopedLocale.h"
#include "core/einvoice/EInvoiceSample.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <functional>
#include <string>
#include <vector>

namespace ql::testing {
namespace {

class CiiInvoiceTest : public ::testing::Test {
protected:
    void SetUp() override { useZone("Europe/Berlin"); }
    static void useZone(const char* zone) {
        setenv("TZ", zone, 1);
        tzset();
    }
    static std::string xmlOf(const Invoice& invoice, const InvoiceParties& parties) {
        auto xml = ciiInvoiceXml(invoice, parties);
        EXPECT_TRUE(xml) << xml.status().message();
        return xml ? *xml : std::string();
    }
    static std::size_t count(const std::string& text, const std::string& part) {
        std::size_t n = 0;
        for (auto at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++n;
        return n;
    }
};

using D = EInvoiceDetail;
using P = EInvoicePlace;

// A gap as expected, with the English the command line words it in.
struct ExpectedGap {
    D detail;
    P place;
    const char* code;
    const char* text;
};

struct GapCase {
    const char* name;
    std::function<void(Invoice&, InvoiceParties&)> change;
    std::vector<ExpectedGap> expected;
};

TEST_F(CiiInvoiceTest, NamesEveryMissingDetailAndWhereToFillItInAndWritesNothing) {
    const auto noTax = [](InvoiceParties& p) { p.settings.applySalesTax = 0; };
    const std::vector<GapCase> cases = {
        {"complete", [](Invoice&, InvoiceParties&) {}, {}},
        {"seller name only blanks", [](Invoice&, InvoiceParties& p) { p.settings.companyName = " \t "; },
         {{D::SellerName, P::CompanyProperties, "", "the seller's name"}}},
        {"seller country code", [](Invoice&, InvoiceParties& p) { p.billing.countryCode.clear(); },
         {{D::SellerCountry, P::SellerBilling, "", "the seller's country code"}}},
        {"seller country code the rules do not list",
         [](Invoice&, InvoiceParties& p) { p.billing.countryCode = "SS"; },
         {{D::SellerCountryNotListed, P::SellerBilling, "SS", "the seller's country code (SS is not in the standard's list)"}}},
        {"neither VAT ID nor registration",
         [](Invoice&, InvoiceParties& p) {
             p.billing.vatId.clear();
             p.billing.registration.clear();
         },
         {{D::SellerVatOrRegistration, P::SellerBilling, "", "the seller's VAT ID or registration number"}}},
        {"sales tax with neither VAT ID nor tax number",
         [](Invoice&, InvoiceParties& p) {
             p.billing.vatId.clear();
             p.billing.taxNumber.clear();
         },
         {{D::SellerVatOrTaxNumber, P::SellerBilling, "", "the seller's VAT ID or tax number, as sales tax is applied"}}},
        {"sales tax at 0 %", [](Invoice&, InvoiceParties& p) { p.settings.salesTaxRate = 0.0; },
         {{D::SalesTaxRate, P::InvoiceTax, "", "a sales tax rate above zero"}}},
        {"exempt without a reason",
         [&](Invoice&, InvoiceParties& p) {
             noTax(p);
             p.billing.exemptionReason.clear();
         },
         {{D::ExemptionReason, P::SellerBilling, "", "the reason for the VAT exemption"}}},
        {"exempt with a code the VATEX list lacks",
         [&](Invoice&, InvoiceParties& p) {
             noTax(p);
             p.billing.exemptionReason = "Exempt under §4 UStG";
             p.billing.exemptionCode = "VATEX-EU-999";
         },
         {{D::ExemptionCodeNotListed, P::SellerBilling, "VATEX-EU-999", "an exemption code of the VATEX list, or none (VATEX-EU-999 is not in it)"}}},
        {"not subject to VAT needs no reason",
         [&](Invoice&, InvoiceParties& p) {
             noTax(p);
             p.billing.vatId.clear();
         },
         {}},
        {"customer name", [](Invoice&, InvoiceParties& p) { p.customer.name.clear(); },
         {{D::CustomerName, P::CustomerBilling, "", "the customer's name"}}},
        {"customer country code", [](Invoice&, InvoiceParties& p) { p.customerDetails.countryCode.clear(); },
         {{D::CustomerCountry, P::CustomerBilling, "", "the customer's country code"}}},
        {"currency code", [](Invoice&, InvoiceParties& p) { p.billing.currencyCode.clear(); },
         {{D::Currency, P::SellerBilling, "", "the currency code"}}},
        {"currency the rules do not list", [](Invoice&, InvoiceParties& p) { p.billing.currencyCode = "BGN"; },
         {{D::CurrencyNotListed, P::SellerBilling, "BGN", "the currency code (BGN is not in the standard's list)"}}},
        {"no frame", [](Invoice& i, InvoiceParties&) { i.lines.clear(); },
         {{D::Lines, P::InvoiceRequest, "", "at least one time frame to bill"}}},
        {"unnamed project", [](Invoice& i, InvoiceParties&) { i.lines[0].projectName = " "; },
         {{D::ProjectNames, P::Projects, "", "a name for every project billed"}}},
        {"a set without billing details",
         [](Invoice&, InvoiceParties& p) {
             p.billing = {};
             p.customerDetails = {};
         },
         {{D::SellerCountry, P::SellerBilling, "", "the seller's country code"},
          {D::SellerVatOrRegistration, P::SellerBilling, "", "the seller's VAT ID or registration number"},
          {D::SellerVatOrTaxNumber, P::SellerBilling, "", "the seller's VAT ID or tax number, as sales tax is applied"},
          {D::CustomerCountry, P::CustomerBilling, "", "the customer's country code"},
          {D::Currency, P::SellerBilling, "", "the currency code"}}},
    };
    for (const GapCase& c : cases) {
        SCOPED_TRACE(c.name);
        Invoice invoice = sampleInvoice();
        InvoiceParties parties = completeParties();
        c.change(invoice, parties);
        std::vector<EInvoiceGap> expected;
        for (const ExpectedGap& e : c.expected) expected.push_back({e.detail, e.place, e.code});
        const std::vector<EInvoiceGap> gaps = missingEInvoiceDetails(invoice, parties);
        EXPECT_EQ(gaps, expected);
        for (std::size_t i = 0; i < gaps.size() && i < c.expected.size(); ++i)
            EXPECT_EQ(eInvoiceDetailText(gaps[i]), c.expected[i].text);
        const auto xml = ciiInvoiceXml(invoice, parties);
        EXPECT_EQ(xml.isOk(), c.expected.empty());
        if (c.expected.empty()) continue;
        EXPECT_EQ(xml.status().code(), StatusCode::InvalidArgument);
        EXPECT_EQ(xml.status().message(), eInvoiceGapsMessage(expected));
        for (const ExpectedGap& gap : c.expected)
            EXPECT_NE(xml.status().message().find(std::string("\n") + gap.text), std::string::npos);
    }
}

TEST_F(CiiInvoiceTest, RefusesAnInvoiceNotIssued) {
    Invoice invoice = sampleInvoice();
    invoice.request.issueDate = 0;
    EXPECT_EQ(ciiInvoiceXml(invoice, completeParties()).status().code(), StatusCode::InvalidArgument);
}

struct CategoryCase {
    const char* name;
    std::function<void(InvoiceParties&)> change;
    std::vector<std::string> present;
    std::vector<std::string> absent;
};

TEST_F(CiiInvoiceTest, TaxCategoryFollowsTheSalesTaxAndTheSellersVatId) {
    const std::vector<CategoryCase> cases = {
        {"standard rated at the settings' rate",
         [](InvoiceParties& p) { p.settings.salesTaxRate = 7.7; },
         {"<ram:CategoryCode>S</ram:CategoryCode>", "<ram:RateApplicablePercent>7.7</ram:RateApplicablePercent>",
          "<ram:CalculatedAmount>12.96</ram:CalculatedAmount>", "<ram:ID schemeID=\"VA\">DE123456789</ram:ID>",
          "<ram:ID schemeID=\"VA\">FR40303265045</ram:ID>", "<ram:GrandTotalAmount>181.21</ram:GrandTotalAmount>"},
         {"ExemptionReason"}},
        {"exempt with the seller's reason and VATEX code",
         [](InvoiceParties& p) {
             p.settings.applySalesTax = 0;
             p.billing.exemptionReason = "Steuerfrei nach § 4 Nr. 11 UStG";
             p.billing.exemptionCode = "VATEX-EU-132-1F";
         },
         {"<ram:CategoryCode>E</ram:CategoryCode>", "<ram:RateApplicablePercent>0</ram:RateApplicablePercent>",
          "<ram:ExemptionReason>Steuerfrei nach § 4 Nr. 11 UStG</ram:ExemptionReason>",
          "<ram:ExemptionReasonCode>VATEX-EU-132-1F</ram:ExemptionReasonCode>",
          "<ram:CalculatedAmount>0.00</ram:CalculatedAmount>", "<ram:ID schemeID=\"VA\">DE123456789</ram:ID>",
          "<ram:GrandTotalAmount>168.25</ram:GrandTotalAmount>"},
         {"<ram:CategoryCode>S</ram:CategoryCode>"}},
        {"not subject to VAT: no VAT ID of either side, no rate",
         [](InvoiceParties& p) {
             p.settings.applySalesTax = 0;
             p.billing.vatId.clear();
             p.billing.exemptionCode = "VATEX-EU-132";
         },
         {"<ram:CategoryCode>O</ram:CategoryCode>", "<ram:ExemptionReason>Not subject to VAT</ram:ExemptionReason>",
          "<ram:ExemptionReasonCode>VATEX-EU-O</ram:ExemptionReasonCode>",
          "<ram:ID schemeID=\"FC\">12/345/67890</ram:ID>", "<ram:ID>HRB 12345 Köln</ram:ID>"},
         {"schemeID=\"VA\"", "RateApplicablePercent", "VATEX-EU-132<"}},
    };
    for (const CategoryCase& c : cases) {
        SCOPED_TRACE(c.name);
        InvoiceParties parties = completeParties();
        c.change(parties);
        const std::string xml = xmlOf(sampleInvoice(), parties);
        for (const std::string& part : c.present) EXPECT_NE(xml.find(part), std::string::npos) << part;
        for (const std::string& part : c.absent) EXPECT_EQ(xml.find(part), std::string::npos) << part;
        // The breakdown repeats the category of every line.
        EXPECT_EQ(count(xml, "<ram:CategoryCode>"), 3u);
    }
}

struct LineCase {
    std::int32_t minutes;
    double rate;
    const char* quantity;
    const char* price;
    const char* net;
};

TEST_F(CiiInvoiceTest, LineBillsWholeMinutesInHoursAtTheRateWithTheLinesOwnCents) {
    const std::vector<LineCase> cases = {
        {1, 60.0, "0.0167", "60", "1.00"},
        {1800, 33.33, "30.0000", "33.33", "999.90"},
        {20, 0.1, "0.3333", "0.1", "0.03"},          // 0.0333... rounds to the cent, never recomputed
        {90, -40.0, "-1.5000", "40", "-60.00"},       // a price is never negative
        {0, 50.0, "0.0000", "50", "0.00"},
        {45, 1e9 / 30.0 / 60.0, "0.7500", "555555.5555555555", "416666.67"},
    };
    for (const LineCase& c : cases) {
        SCOPED_TRACE(c.quantity);
        const std::int32_t start = localTime(2026, 3, 10, 8);
        Invoice invoice = sampleInvoice({{"Work", c.rate, start, start + c.minutes * 60, 1}});
        const std::string xml = xmlOf(invoice, completeParties());
        EXPECT_NE(xml.find(std::string("<ram:BilledQuantity unitCode=\"HUR\">") + c.quantity + "<"), std::string::npos);
        EXPECT_NE(xml.find(std::string("<ram:ChargeAmount>") + c.price + "<"), std::string::npos);
        EXPECT_NE(xml.find(std::string("<ram:LineTotalAmount>") + c.net + "<"), std::string::npos);
        EXPECT_EQ(readCiiSummary(xml)->net, c.net);
    }
}

TEST_F(CiiInvoiceTest, TextsThatXmlCannotHoldAreMadeSafe) {
    InvoiceParties parties = completeParties();
    parties.customer.name = "A\x01" "B <&> \xff\xfe C\xED\xA0\x80" "D\r\nE\x7f";
    const std::string xml = xmlOf(sampleInvoice(), parties);
    const auto summary = readCiiSummary(xml);
    ASSERT_TRUE(summary) << summary.status().messageWithReason();
    EXPECT_EQ(summary->buyerName, "A B <&> \xEF\xBF\xBD\xEF\xBF\xBD C\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD" "D\nE ");
}

TEST_F(CiiInvoiceTest, SameBytesInEveryLocale) {
    InvoiceParties parties = completeParties();
    parties.settings.salesTaxRate = 7.7;
    const Invoice invoice = sampleInvoice();
    const std::string inC = xmlOf(invoice, parties);
    test::ScopedLocale german("de_DE.UTF-8");
    ASSERT_TRUE(german.ok()) << "de_DE.UTF-8 is not installed (scripts/install-deps generates it)";
    EXPECT_EQ(xmlOf(invoice, parties), inC);
}

TEST_F(CiiInvoiceTest, AReprintKeepsTheDatesItPrintedWhateverTheTimeZoneNow) {
    const InvoiceParties parties = completeParties();
    const Invoice fresh = sampleInvoice();
    const std::string issued = xmlOf(fresh, parties);
    EXPECT_NE(issued.find(">20260402<"), std::string::npos);
    EXPECT_NE(issued.find(">20260416<"), std::string::npos);  // 14 days' terms
    Invoice reprint = fresh;
    reprint.asIssued = true;
    setIssuedDateLines(reprint, invoiceDetails(fresh, parties).dates, parties.settings.monthFirst());
    for (InvoiceLine& line : reprint.lines) line.issued = IssuedLineText{invoiceLineCells(line, parties.settings), line.cents()};

    // Noon in Berlin is already the next day on Kiritimati (UTC+14).
    useZone("Pacific/Kiritimati");
    EXPECT_NE(xmlOf(fresh, parties), issued);
    EXPECT_EQ(xmlOf(reprint, parties), issued);
}

TEST_F(CiiInvoiceTest, WithoutPaymentTermsTheInvoiceIsDueOnItsIssueDate) {
    InvoiceParties parties = completeParties();
    parties.billing.paymentTerms.clear();
    const auto summary = readCiiSummary(xmlOf(sampleInvoice(), parties));
    EXPECT_EQ(summary->issueDate, "2026-04-02");
    EXPECT_EQ(summary->dueDate, "2026-04-02");
}

TEST_F(CiiInvoiceTest, SummaryReadsBackWhatWasWrittenWhateverThePrefixes) {
    const std::string xml = xmlOf(sampleInvoice(), completeParties());
    const EInvoiceSummary expected{"2026-0042",
                                   "2026-04-02",
                                   "2026-04-16",
                                   "Müller & Söhne Design GmbH",
                                   "DE123456789",
                                   "Société Générale d'Études",
                                   "FR40303265045",
                                   "EUR",
                                   "168.25",
                                   "31.97",
                                   "200.22",
                                   "200.22",
                                   2};
    EXPECT_EQ(*readCiiSummary(xml), expected);

    std::string renamed = xml;
    for (const auto& [from, to] : {std::pair<std::string, std::string>{"rsm:", "inv:"}, {"ram:", "r:"}, {"udt:", "u:"},
                                   {"xmlns:rsm=", "xmlns:inv="}, {"xmlns:ram=", "xmlns:r="}, {"xmlns:udt=", "xmlns:u="}})
        for (auto at = renamed.find(from); at != std::string::npos; at = renamed.find(from, at + to.size()))
            renamed.replace(at, from.size(), to);
    EXPECT_EQ(*readCiiSummary(renamed), expected);
}

TEST_F(CiiInvoiceTest, SummaryRefusesWhatIsNoCrossIndustryInvoice) {
    for (const char* text : {"", "not xml at all", "<a><b></a>", "<Invoice><ID>1</ID></Invoice>"}) {
        SCOPED_TRACE(text);
        const auto summary = readCiiSummary(text);
        EXPECT_FALSE(summary);
        EXPECT_EQ(summary.status().code(), StatusCode::InvalidArgument);
    }
}

}  // namespace
}  // namespace ql::testing
