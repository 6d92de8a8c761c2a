#include "core/store/BillingFields.h"

#include <gtest/gtest.h>

namespace ql {
namespace {

struct FieldCase {
    BillingField field;
    const char* typed;
    const char* stored;  // nullptr: refused
};

// One row per rule: what each field takes, in the form it stores it, and what it refuses.
TEST(BillingFields, StoresWellFormedValuesAndRefusesTheRestNamingTheField) {
    const FieldCase cases[] = {
        {BillingField::Iban, "GB82 WEST 1234 5698 7654 32", "GB82WEST12345698765432"},
        {BillingField::Iban, "de89370400440532013000", "DE89370400440532013000"},
        {BillingField::Iban, "GB83 WEST 1234 5698 7654 32", nullptr},  // one check digit off
        {BillingField::Iban, "GB82 WEST 1234 5698 7654 33", nullptr},  // one account digit off
        {BillingField::Iban, "ZZ82WEST12345698765432", nullptr},       // no such country
        {BillingField::Iban, "GB82-WEST-1234", nullptr},
        {BillingField::Iban, "GB8", nullptr},
        {BillingField::Bic, "deutdeff", "DEUTDEFF"},
        {BillingField::Bic, "DEUTDEFF500", "DEUTDEFF500"},
        {BillingField::Bic, "DEUTDEF", nullptr},
        {BillingField::Bic, "DEUTDEFF50", nullptr},
        {BillingField::Bic, "DEU1DEFF", nullptr},
        {BillingField::Bic, "DEUTQQFF", nullptr},  // QQ is no country
        {BillingField::VatId, "de 123456789", "DE123456789"},
        {BillingField::VatId, "EL123456789", "EL123456789"},  // Greece's own prefix
        {BillingField::VatId, "ATU12345678", "ATU12345678"},
        {BillingField::VatId, "GR123456789", nullptr},  // Greece writes EL
        {BillingField::VatId, "XX123456789", nullptr},
        {BillingField::VatId, "DE1", nullptr},
        {BillingField::VatId, "DE12345678901234", nullptr},  // 14 after the prefix
        {BillingField::VatId, "DE1234-5678", nullptr},
        {BillingField::VatId, "123456789", nullptr},
        {BillingField::CountryCode, "de", "DE"},
        {BillingField::CountryCode, "GB", "GB"},
        {BillingField::CountryCode, "UK", nullptr},
        {BillingField::CountryCode, "DEU", nullptr},
        {BillingField::CurrencyCode, "EUR", "EUR"},
        {BillingField::CurrencyCode, "CHF", "CHF"},
        {BillingField::CurrencyCode, "eur", nullptr},
        {BillingField::CurrencyCode, "EURO", nullptr},
        {BillingField::CurrencyCode, "ABC", nullptr},  // three capitals, but no currency
        {BillingField::PaymentTerms, "0", "0"},
        {BillingField::PaymentTerms, "030", "30"},
        {BillingField::PaymentTerms, "365", "365"},
        {BillingField::PaymentTerms, "366", nullptr},
        {BillingField::PaymentTerms, "-1", nullptr},
        {BillingField::PaymentTerms, "14 days", nullptr},
        {BillingField::Email, "anna@example.com", "anna@example.com"},
        {BillingField::Email, "anna.b+bills@mail.example.co.uk", "anna.b+bills@mail.example.co.uk"},
        {BillingField::Email, "anna@example", nullptr},
        {BillingField::Email, "anna@@example.com", nullptr},
        {BillingField::Email, "@example.com", nullptr},
        {BillingField::Email, "anna b@example.com", nullptr},
        {BillingField::Email, "anna@example..com", nullptr},
        {BillingField::ExemptionCode, "vatex-eu-132", "VATEX-EU-132"},
        {BillingField::ExemptionCode, "EU-132", nullptr},
        {BillingField::ExemptionCode, "VATEX-", nullptr},
        {BillingField::TaxNumber, " 12/345/67890 ", "12/345/67890"},
        {BillingField::Registration, "xxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxx", nullptr},
        {BillingField::ExemptionReason, "Kleinunternehmer\nline", nullptr},
        {BillingField::BuyerReference, "PO-4711", "PO-4711"},
    };
    for (const FieldCase& c : cases) {
        SCOPED_TRACE(std::string(billingFieldName(c.field)) + " '" + c.typed + "'");
        auto stored = checkBillingField(c.field, c.typed);
        if (c.stored) {
            ASSERT_TRUE(stored) << stored.status().message();
            EXPECT_EQ(*stored, c.stored);
        } else {
            ASSERT_FALSE(stored);
            EXPECT_EQ(stored.status().code(), StatusCode::InvalidArgument);
            EXPECT_EQ(stored.status().message().rfind(std::string(billingFieldName(c.field)) + ": ", 0), 0u)
                << stored.status().message();
        }
    }
}

TEST(BillingFields, AnEmptyValueIsAFieldNotSet) {
    for (BillingField f : {BillingField::Iban, BillingField::Bic, BillingField::VatId, BillingField::CountryCode,
                           BillingField::CurrencyCode, BillingField::PaymentTerms, BillingField::Email}) {
        auto stored = checkBillingField(f, "  ");
        ASSERT_TRUE(stored) << billingFieldName(f);
        EXPECT_EQ(*stored, "");
    }
}

TEST(BillingFields, TablesHoldEveryCountryAndTheActiveCurrencies) {
    int countries = 0;
    for (char a = 'A'; a <= 'Z'; ++a)
        for (char b = 'A'; b <= 'Z'; ++b) countries += isCountryCode(std::string{a, b}) ? 1 : 0;
    EXPECT_EQ(countries, 249);
    for (const char* code : {"AD", "DE", "FR", "GB", "GR", "US", "ZW", "AX", "SS"}) EXPECT_TRUE(isCountryCode(code)) << code;
    for (const char* code : {"EUR", "USD", "GBP", "JPY", "AED", "ZWL", "XXX"}) EXPECT_TRUE(isCurrencyCode(code)) << code;
    for (const char* code : {"DEM", "FRF", "EU", ""}) EXPECT_FALSE(isCurrencyCode(code)) << code;
}

TEST(BillingFields, ProposesTheCurrencyOfTheMonetarySymbol) {
    const std::pair<const char*, const char*> cases[] = {
        {"\xE2\x82\xAC", "EUR"}, {"\x80", "EUR"}, {"\xC2\xA3", "GBP"}, {"$", "USD"}, {"Fr.", ""}, {"", ""}};
    for (const auto& [symbol, code] : cases) EXPECT_EQ(currencyCodeForSymbol(symbol), code) << symbol;
}

TEST(BillingFields, PaymentTermsAsDays) {
    EXPECT_EQ(paymentTermsDays(""), std::nullopt);
    EXPECT_EQ(paymentTermsDays("0"), 0);
    EXPECT_EQ(paymentTermsDays("30"), 30);
    EXPECT_EQ(paymentTermsDays("x"), std::nullopt);
}

}  // namespace
}  // namespace ql
