#include "core/einvoice/EInvoiceCodes.h"

#include "core/store/BillingFields.h"

#include <algorithm>
#include <array>

namespace ql {
namespace {

// The VATEX codes the rules accept; the billing field takes any well-formed code.
constexpr std::array<std::string_view, 88> kVatexCodes{
    "VATEX-EU-79-C",     "VATEX-EU-132",       "VATEX-EU-132-1A",       "VATEX-EU-132-1B",   "VATEX-EU-132-1C",
    "VATEX-EU-132-1D",   "VATEX-EU-132-1E",    "VATEX-EU-132-1F",       "VATEX-EU-132-1G",   "VATEX-EU-132-1H",
    "VATEX-EU-132-1I",   "VATEX-EU-132-1J",    "VATEX-EU-132-1K",       "VATEX-EU-132-1L",   "VATEX-EU-132-1M",
    "VATEX-EU-132-1N",   "VATEX-EU-132-1O",    "VATEX-EU-132-1P",       "VATEX-EU-132-1Q",   "VATEX-EU-135-1",
    "VATEX-EU-143",      "VATEX-EU-143-1A",    "VATEX-EU-143-1B",       "VATEX-EU-143-1C",   "VATEX-EU-143-1D",
    "VATEX-EU-143-1E",   "VATEX-EU-143-1F",    "VATEX-EU-143-1FA",      "VATEX-EU-143-1G",   "VATEX-EU-143-1H",
    "VATEX-EU-143-1I",   "VATEX-EU-143-1J",    "VATEX-EU-143-1K",       "VATEX-EU-143-1L",   "VATEX-EU-144",
    "VATEX-EU-146-1E",   "VATEX-EU-159",       "VATEX-EU-309",          "VATEX-EU-148",      "VATEX-EU-148-A",
    "VATEX-EU-148-B",    "VATEX-EU-148-C",     "VATEX-EU-148-D",        "VATEX-EU-148-E",    "VATEX-EU-148-F",
    "VATEX-EU-148-G",    "VATEX-EU-151",       "VATEX-EU-151-1A",       "VATEX-EU-151-1AA",  "VATEX-EU-151-1B",
    "VATEX-EU-151-1C",   "VATEX-EU-151-1D",    "VATEX-EU-151-1E",       "VATEX-EU-G",        "VATEX-EU-O",
    "VATEX-EU-IC",       "VATEX-EU-AE",        "VATEX-EU-D",            "VATEX-EU-F",        "VATEX-EU-I",
    "VATEX-EU-J",        "VATEX-FR-FRANCHISE", "VATEX-FR-CNWVAT",       "VATEX-EU-153",      "VATEX-FR-CGI261-1",
    "VATEX-FR-CGI261-2", "VATEX-FR-CGI261-3",  "VATEX-FR-CGI261-4",     "VATEX-FR-CGI261-5", "VATEX-FR-CGI261-7",
    "VATEX-FR-CGI261-8", "VATEX-FR-CGI261A",   "VATEX-FR-CGI261B",      "VATEX-FR-CGI261C-1", "VATEX-FR-CGI261C-2",
    "VATEX-FR-CGI261C-3", "VATEX-FR-CGI261D-1", "VATEX-FR-CGI261D-1BIS", "VATEX-FR-CGI261D-2", "VATEX-FR-CGI261D-3",
    "VATEX-FR-CGI261D-4", "VATEX-FR-CGI261E-1", "VATEX-FR-CGI261E-2",   "VATEX-FR-CGI277A",  "VATEX-FR-CGI275",
    "VATEX-FR-298SEXDECIESA", "VATEX-FR-CGI295", "VATEX-FR-AE"};
struct TaxCategoryRow {
    TaxCategory category;
    std::string_view code;
};
constexpr std::array<TaxCategoryRow, 3> kTaxCategories{{
    {TaxCategory::Standard, "S"},
    {TaxCategory::Exempt, "E"},
    {TaxCategory::NotSubject, "O"},
}};

}  // namespace

TaxCategory taxCategoryFor(bool salesTaxApplied, bool sellerHasVatId) {
    if (salesTaxApplied) return TaxCategory::Standard;
    return sellerHasVatId ? TaxCategory::Exempt : TaxCategory::NotSubject;
}

std::string_view taxCategoryCode(TaxCategory category) {
    for (const TaxCategoryRow& row : kTaxCategories)
        if (row.category == category) return row.code;
    return {};
}

std::string_view transferMeansCode(std::string_view currencyCode) {
    return currencyCode == "EUR" ? kSepaCreditTransfer : kCreditTransfer;
}

// South Sudan is newer than the rules' list; the same for the currencies below.
bool onCountryList(std::string_view code) { return isCountryCode(code) && code != "SS"; }

bool onCurrencyList(std::string_view code) {
    constexpr std::array<std::string_view, 6> kNotListed{"ANG", "BGN", "CUC", "SLL", "STN", "ZWL"};
    return isCurrencyCode(code) && std::find(kNotListed.begin(), kNotListed.end(), code) == kNotListed.end();
}

bool onVatexList(std::string_view code) {
    return std::find(kVatexCodes.begin(), kVatexCodes.end(), code) != kVatexCodes.end();
}

// The rules take Greece's country code as a prefix too, wider than the billing field, which
// refuses "GR" as no Greek VAT ID carries it (isVatIdPrefix): a stored ID the rules accept is
// no gap, whichever program stored it.
bool onVatPrefixList(std::string_view vatId) {
    const std::string_view prefix = vatId.substr(0, 2);
    return prefix == kGreekVatPrefix || onCountryList(prefix);
}

}  // namespace ql
