#include "core/einvoice/EInvoiceCodes.h"
#include "core/einvoice/EInvoiceGaps.h"
#include "core/store/BillingFields.h"

#include <gtest/gtest.h>

#include <string>

namespace ql {
namespace {

using D = EInvoiceDetail;
using P = EInvoicePlace;

// The words the command line prints for each gap, and where each is filled in: the English
// stays as it always read, whoever words the places.
TEST(EInvoiceGaps, EveryDetailHasItsEnglishAndItsPlace) {
    const struct {
        D detail;
        const char* code;
        P place;
        const char* text;
    } cases[] = {
        {D::InvoiceNumber, "", P::InvoiceRequest, "the invoice number"},
        {D::SellerName, "", P::CompanyProperties, "the seller's name"},
        {D::SellerCountry, "", P::SellerBilling, "the seller's country code"},
        {D::SellerCountryNotListed, "SS", P::SellerBilling, "the seller's country code (SS is not in the standard's list)"},
        {D::SellerVatOrRegistration, "", P::SellerBilling, "the seller's VAT ID or registration number"},
        {D::SellerVatPrefixNotListed, "XK", P::SellerBilling,
         "the seller's VAT ID (its prefix XK is not in the standard's list)"},
        {D::SalesTaxRate, "", P::InvoiceTax, "a sales tax rate above zero"},
        {D::SellerVatOrTaxNumber, "", P::SellerBilling, "the seller's VAT ID or tax number, as sales tax is applied"},
        {D::ExemptionReason, "", P::SellerBilling, "the reason for the VAT exemption"},
        {D::ExemptionCodeNotListed, "VATEX-EU-999", P::SellerBilling,
         "an exemption code of the VATEX list, or none (VATEX-EU-999 is not in it)"},
        {D::CustomerName, "", P::CustomerBilling, "the customer's name"},
        {D::CustomerCountry, "", P::CustomerBilling, "the customer's country code"},
        {D::CustomerCountryNotListed, "SS", P::CustomerBilling,
         "the customer's country code (SS is not in the standard's list)"},
        {D::CustomerVatPrefixNotListed, "SS", P::CustomerBilling,
         "the customer's VAT ID (its prefix SS is not in the standard's list)"},
        {D::Currency, "", P::SellerBilling, "the currency code"},
        {D::CurrencyNotListed, "BGN", P::SellerBilling, "the currency code (BGN is not in the standard's list)"},
        {D::Lines, "", P::InvoiceRequest, "at least one time frame to bill"},
        {D::ProjectNames, "", P::Projects, "a name for every project billed"},
    };
    std::string message = "The e-invoice lacks details the standard requires:";
    std::vector<EInvoiceGap> gaps;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(placeOf(c.detail), c.place);
        const EInvoiceGap gap{c.detail, c.place, c.code};
        EXPECT_EQ(eInvoiceDetailText(gap), c.text);
        gaps.push_back(gap);
        message += std::string("\n") + c.text;
    }
    EXPECT_EQ(eInvoiceGapsMessage(gaps), message);
}

TEST(EInvoiceCodes, EachTaxTreatmentHasOneCategoryAndCode) {
    const struct {
        bool salesTax, sellerVatId;
        TaxCategory category;
        const char* code;
    } cases[] = {
        {true, true, TaxCategory::Standard, "S"},
        {true, false, TaxCategory::Standard, "S"},
        {false, true, TaxCategory::Exempt, "E"},
        {false, false, TaxCategory::NotSubject, "O"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(taxCategoryFor(c.salesTax, c.sellerVatId), c.category);
        EXPECT_EQ(taxCategoryCode(c.category), c.code);
    }
    EXPECT_EQ(transferMeansCode("EUR"), "58");
    EXPECT_EQ(transferMeansCode("CHF"), "30");
}

TEST(EInvoiceCodes, ListsLagTheIsoTablesWhereTheRulesDo) {
    for (const char* code : {"DE", "FR", "GR", "AX", "ZW"}) EXPECT_TRUE(onCountryList(code)) << code;
    for (const char* code : {"SS", "XK", "EL", "", "D", "DEU", "de"}) EXPECT_FALSE(onCountryList(code)) << code;
    for (const char* code : {"EUR", "CHF", "JPY", "XOF"}) EXPECT_TRUE(onCurrencyList(code)) << code;
    for (const char* code : {"BGN", "ANG", "CUC", "SLL", "STN", "ZWL", "XYZ", "EU"}) EXPECT_FALSE(onCurrencyList(code)) << code;
    for (const char* code : {"VATEX-EU-132", "VATEX-EU-O", "VATEX-FR-FRANCHISE", "VATEX-FR-AE"})
        EXPECT_TRUE(onVatexList(code)) << code;
    for (const char* code : {"VATEX-EU-999", "vatex-eu-132", "VATEX-EU-132 ", ""}) EXPECT_FALSE(onVatexList(code)) << code;
}

// Greece is the one country whose VAT prefix is not its country code. The billing field takes
// only "EL", as every Greek VAT ID is written; the rules accept "GR" too, so a stored "GR" is
// no gap. Everywhere else the two agree, but for codes the rules' list lacks.
TEST(EInvoiceCodes, TheVatPrefixRuleAgreesWithTheBillingFieldButForGreeceAndTheLag) {
    EXPECT_TRUE(isVatIdPrefix("EL"));
    EXPECT_FALSE(isVatIdPrefix("GR"));
    EXPECT_TRUE(onVatPrefixList("EL123456789"));
    EXPECT_TRUE(onVatPrefixList("GR123456789"));
    EXPECT_FALSE(onVatPrefixList("SS1234"));
    EXPECT_FALSE(onVatPrefixList("X"));
    EXPECT_TRUE(checkBillingField(BillingField::VatId, "el123456789").isOk());
    EXPECT_FALSE(checkBillingField(BillingField::VatId, "GR123456789").isOk());
    for (char a = 'A'; a <= 'Z'; ++a)
        for (char b = 'A'; b <= 'Z'; ++b) {
            const std::string prefix{a, b};
            if (prefix == "GR" || prefix == "SS") continue;
            EXPECT_EQ(onVatPrefixList(prefix + "123"), isVatIdPrefix(prefix)) << prefix;
        }
}

}  // namespace
}  // namespace ql
