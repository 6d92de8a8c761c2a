#include "core/reports/InvoiceDetails.h"
#include "core/reports/InvoicePage.h"
#include "core/reports/InvoiceText.h"
#include "core/store/BillingDetails.h"
#include "core/store/Customers.h"
#include "core/reports/DesignInvoiceFixture.h"

#include <algorithm>

namespace ql::testing {
namespace {

class InvoiceDetailsTest : public DesignInvoiceFixture {
protected:
    // Issued on Friday 20 December 1996, for the whole of December.
    Invoice issued() {
        auto invoice = LoadInvoice(m_fs, {7, at(1996, 12, 1), at(1996, 12, 31, 23, 59, 59), "9600001",
                                          at(1996, 12, 20, 10)},
                                   m_set);
        EXPECT_TRUE(invoice) << invoice.status().message();
        return invoice ? std::move(invoice).value() : Invoice{};
    }
    InvoiceParties parties(const Invoice& invoice) {
        auto who = loadInvoiceParties(m_fs, invoice);
        EXPECT_TRUE(who) << who.status().messageWithReason();
        return who ? std::move(who).value() : InvoiceParties{};
    }
    void setBilling(const BillingDetails& details) {
        ASSERT_TRUE(updateBillingDetails(m_fs, m_set, [&](BillingDetails& d) {
            d = details;
            return Status::ok();
        }));
    }
    static BillingDetails seller() {
        BillingDetails d;
        d.vatId = "DE123456789";
        d.taxNumber = "12/345/67890";
        d.registration = "HRB 12345 Berlin";
        d.iban = "DE89370400440532013000";
        d.bic = "COBADEFFXXX";
        d.paymentTerms = "14";
        d.exemptionReason = "Small business, no VAT charged";
        d.exemptionCode = "VATEX-EU-O";
        return d;
    }
    static const InvoicePageText* find(const InvoicePage& page, const std::string& text) {
        for (const auto& t : page.texts)
            if (t.text == text) return &t;
        return nullptr;
    }
};

// Which lines show depends on what is given; each case is one rule.
TEST_F(InvoiceDetailsTest, ShowsEachDetailOnlyWhenItIsKnown) {
    struct Case {
        const char* name;
        BillingDetails billing;
        CustomerDetails customer;
        bool applyTax;
        bool issue;
        InvoiceDetails expected;
    };
    BillingDetails termsZero;
    termsZero.paymentTerms = "0";
    BillingDetails bicOnly;
    bicOnly.bic = "DEUTDEFF";
    BillingDetails reasonOnly;
    reasonOnly.exemptionReason = "Exempt";
    const std::vector<std::string> dates = {"Invoice date: 12/20/1996", "Period: 12/01/1996 - 12/31/1996"};
    const Case cases[] = {
        {"no details, not issued", {}, {}, true, false, {}},
        {"no details, issued", {}, {}, true, true, {dates, {}, "", {}, "", ""}},
        {"terms of 0 days: due on the issue date", termsZero, {}, true, true,
         {{dates[0], dates[1], "Due date: 12/20/1996"}, {}, "", {}, "", ""}},
        {"everything, taxed: no exemption shown",
         seller(),
         {"AT", "ATU12345678", "ap@acme.example", "PO-7"},
         true,
         true,
         {{dates[0], dates[1], "Due date: 01/03/1997"},  // 14 days on, across the year's end
          {"VAT ID: DE123456789", "Tax number: 12/345/67890"},
          "Registration: HRB 12345 Berlin",
          {"VAT ID: ATU12345678", "Reference: PO-7"},
          "",
          "IBAN: DE89 3704 0044 0532 0130 00   BIC: COBADEFFXXX"}},
        {"untaxed: the exemption with its code", seller(), {}, false, true,
         {{dates[0], dates[1], "Due date: 01/03/1997"},
          {"VAT ID: DE123456789", "Tax number: 12/345/67890"},
          "Registration: HRB 12345 Berlin",
          {},
          "VAT exemption: Small business, no VAT charged (VATEX-EU-O)",
          "IBAN: DE89 3704 0044 0532 0130 00   BIC: COBADEFFXXX"}},
        {"a reason without a code", reasonOnly, {}, false, false, {{}, {}, "", {}, "VAT exemption: Exempt", ""}},
        {"a BIC without an IBAN", bicOnly, {}, true, false, {{}, {}, "", {}, "", "BIC: DEUTDEFF"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Invoice invoice = issued();
        if (!c.issue) invoice.request.issueDate = 0;
        InvoiceParties who = parties(invoice);
        who.billing = c.billing;
        who.customerDetails = c.customer;
        who.settings.applySalesTax = c.applyTax ? 1 : 0;
        const InvoiceDetails got = invoiceDetails(invoice, who);
        EXPECT_EQ(got.dates, c.expected.dates);
        EXPECT_EQ(got.seller, c.expected.seller);
        EXPECT_EQ(got.registration, c.expected.registration);
        EXPECT_EQ(got.customer, c.expected.customer);
        EXPECT_EQ(got.exemption, c.expected.exemption);
        EXPECT_EQ(got.bankAccount, c.expected.bankAccount);
    }
}

// The details are added in free room: every text and frame of the page without them is still
// there in the same place, and nothing new overlaps the company, customer, grid or footer.
TEST_F(InvoiceDetailsTest, ThePageKeepsItsBlocksWhereTheyWere) {
    Invoice invoice = issued();
    InvoiceParties plain = parties(invoice);
    for (bool taxed : {true, false}) {
        SCOPED_TRACE(taxed ? "taxed" : "untaxed");
        plain.settings.applySalesTax = taxed ? 1 : 0;
        Invoice unissued = invoice;
        unissued.request.issueDate = 0;
        const InvoicePage before = invoicePage(unissued, plain, 1);
        InvoiceParties detailed = plain;
        detailed.billing = seller();
        detailed.customerDetails = {"AT", "ATU12345678", "ap@acme.example", "PO-7"};
        const InvoicePage after = invoicePage(invoice, detailed, 1);
        EXPECT_EQ(after.frames, before.frames);
        std::vector<InvoicePageText> added;
        for (const auto& t : after.texts)
            if (std::find(before.texts.begin(), before.texts.end(), t) == before.texts.end()) added.push_back(t);
        EXPECT_EQ(after.texts.size(), before.texts.size() + added.size());
        for (const auto& t : added) {
            SCOPED_TRACE(t.text);
            const InvoiceRect& r = t.rect;
            const bool belowCompany = r.left >= 10 && r.right <= 350 && r.top >= 100 && r.bottom <= 180;
            const bool belowCustomer = r.left >= 360 && r.right <= 560 && r.top >= 130 && r.bottom <= 180;
            const bool inTaxRows = !taxed && r.top >= 680 && r.bottom <= 720;
            const bool belowFooter = r.top >= 800 && r.bottom <= 830;
            EXPECT_TRUE(belowCompany || belowCustomer || inTaxRows || belowFooter);
        }
        const std::size_t expectedAdded = 3 + 2 + 2 + 1 + 1 + (taxed ? 0 : 1);
        EXPECT_EQ(added.size(), expectedAdded);
        ASSERT_NE(find(after, "VAT ID: ATU12345678"), nullptr);
        EXPECT_EQ(find(after, "VAT ID: ATU12345678")->rect, (InvoiceRect{360, 130, 560, 145}));
        ASSERT_NE(find(after, "Invoice date: 12/20/1996"), nullptr);
        EXPECT_EQ(find(after, "Invoice date: 12/20/1996")->rect, (InvoiceRect{10, 100, 350, 115}));
        EXPECT_EQ(find(after, "VAT exemption: Small business, no VAT charged (VATEX-EU-O)") != nullptr, !taxed);
    }
}

TEST_F(InvoiceDetailsTest, TheTextFileCarriesTheDetailsAndWithoutThemOnlyTheDates) {
    const Invoice invoice = issued();
    InvoiceParties who = parties(invoice);
    who.settings.applySalesTax = 0;
    const std::string head =
        "INVOICE# 9600001\n"
        "\n"
        "CUSTOMER :\n"
        "Acme Corp\n"
        "1 Main St\n"
        "Springfield, IL-62701\n"
        "USA\n";
    const std::string table =
        "Project\tDate\tTime\tDuration\tPrice/hour\tTotal\n"
        "Design\t12/03/1996\t09:00\t01:30\t$45.00\t$67.50\t\n"
        "\n"
        "TOTAL: $67.50\n";
    EXPECT_EQ(invoiceFileText(invoice, who),
              head + "\n\nInvoice date: 12/20/1996\nPeriod: 12/01/1996 - 12/31/1996\n\n" + table);

    setBilling(seller());
    ASSERT_TRUE(writeCustomerDetails(m_fs, m_set, 7, {"US", "", "ap@acme.example", "PO-7"}));
    InvoiceParties detailed = parties(invoice);
    detailed.settings.applySalesTax = 0;
    EXPECT_EQ(invoiceFileText(invoice, detailed),
              head + "Reference: PO-7\n\n\n"
                     "Invoice date: 12/20/1996\nPeriod: 12/01/1996 - 12/31/1996\nDue date: 01/03/1997\n"
                     "VAT ID: DE123456789\nTax number: 12/345/67890\nRegistration: HRB 12345 Berlin\n\n" +
                  table +
                  "VAT exemption: Small business, no VAT charged (VATEX-EU-O)\n"
                  "IBAN: DE89 3704 0044 0532 0130 00   BIC: COBADEFFXXX\n");
}

// A damaged billing file stops the invoice instead of printing it without the details.
TEST_F(InvoiceDetailsTest, DamagedDetailsAreReportedNotPrintedAsNone) {
    const Invoice invoice = issued();
    for (const std::string& file : {m_set.billing(), m_set.customerBilling()}) {
        SCOPED_TRACE(file);
        test::writeBytes(file, {'Q', 'L', 'B'});
        auto who = loadInvoiceParties(m_fs, invoice);
        ASSERT_FALSE(who);
        EXPECT_NE(who.status().message().find(file), std::string::npos) << who.status().message();
        std::remove(file.c_str());
    }
    EXPECT_TRUE(loadInvoiceParties(m_fs, invoice));
}

}  // namespace
}  // namespace ql::testing
