#include "core/einvoice/EInvoiceCodes.h"
#include "core/store/BillingFields.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <set>
#include <sstream>
#include <string>

// The code lists of the core against those the vendored validation rules check, so that a
// newer release of the rules shows at once where the core's lists lag or lead.
namespace ql::testing {
namespace {

std::string rulesText() {
    std::string folder = QUILLORY_EINVOICE_VALIDATE;
    folder = folder.substr(0, folder.rfind('/'));
    std::ifstream in(folder + "/cii/xslt/EN16931-CII-validation.xslt", std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

// The codes of the first "contains(' A B C ', ...)" list in the test of rule id.
std::set<std::string> listOf(const std::string& rules, const std::string& id) {
    const auto at = rules.find("id\">" + id + "<");
    if (at == std::string::npos) return {};
    const auto test = rules.rfind("test=\"", at);
    const auto open = rules.find("contains(' ", test);
    if (test == std::string::npos || open == std::string::npos || open > at) return {};
    const auto close = rules.find(" '", open + 11);
    std::istringstream words(rules.substr(open + 11, close - open - 11));
    std::set<std::string> codes;
    for (std::string w; words >> w;) codes.insert(w);
    return codes;
}

std::set<std::string> allCodes(int letters) {
    std::set<std::string> codes{""};
    for (int n = 0; n < letters; ++n) {
        std::set<std::string> longer;
        for (const std::string& c : codes)
            for (char l = 'A'; l <= 'Z'; ++l) longer.insert(c + l);
        codes = std::move(longer);
    }
    return codes;
}

class EInvoiceCodeLists : public ::testing::Test {
protected:
    void SetUp() override {
        m_rules = rulesText();
        ASSERT_GT(m_rules.size(), 100000u) << "the rules were not found beside " << QUILLORY_EINVOICE_VALIDATE;
    }
    std::set<std::string> list(const std::string& id) {
        std::set<std::string> codes = listOf(m_rules, id);
        EXPECT_FALSE(codes.empty()) << id;
        return codes;
    }
    std::string m_rules;
};

// Of the codes the billing fields accept, those the rules list and no others are on the core's lists.
TEST_F(EInvoiceCodeLists, CountriesCurrenciesAndVatPrefixesAreThoseOfTheRules) {
    const std::set<std::string> countries = list("BR-CL-14"), currencies = list("BR-CL-04"), prefixes = list("BR-CO-09");
    for (const std::string& code : allCodes(2)) {
        if (isCountryCode(code)) {
            EXPECT_EQ(onCountryList(code), countries.count(code) == 1) << code;
        }
        if (isCountryCode(code) || code == kGreekVatPrefix) {
            EXPECT_EQ(onVatPrefixList(code + "123"), prefixes.count(code) == 1) << code;
        }
    }
    EXPECT_EQ(prefixes.count(std::string(kGreekVatPrefix)), 1u);
    for (const std::string& code : allCodes(3)) {
        if (isCurrencyCode(code)) {
            EXPECT_EQ(onCurrencyList(code), currencies.count(code) == 1) << code;
        }
    }
}

TEST_F(EInvoiceCodeLists, EveryCodeTheWriterUsesIsOnItsList) {
    for (const std::string& code : list("BR-CL-22")) EXPECT_TRUE(onVatexList(code)) << code;
    EXPECT_EQ(list("BR-CL-22").count(std::string(kNotSubjectVatexCode)), 1u);
    for (const TaxCategory c : {TaxCategory::Standard, TaxCategory::Exempt, TaxCategory::NotSubject})
        EXPECT_EQ(list("BR-CL-17").count(std::string(taxCategoryCode(c))), 1u) << taxCategoryCode(c);
    EXPECT_EQ(list("BR-CL-01").count(std::string(kCommercialInvoiceType)), 1u);
    EXPECT_EQ(list("BR-CL-23").count(std::string(kHourUnit)), 1u);
    EXPECT_EQ(list("BR-CL-16").count(std::string(kSepaCreditTransfer)), 1u);
    EXPECT_EQ(list("BR-CL-16").count(std::string(kCreditTransfer)), 1u);
}

}  // namespace
}  // namespace ql::testing
