#pragma once

#include <string_view>

// The code lists of the European e-invoice standard as its validation rules know them, one
// place for every syntax written (CII today). The lists the rules check lag the ISO tables the
// billing fields accept, so a code the fields take may still be missing here.
namespace ql {

// The VAT treatment of an invoice: with sales tax standard rated; without it exempt when the
// seller has a VAT ID, else not subject to VAT (and then no VAT ID of either side is written).
enum class TaxCategory { Standard, Exempt, NotSubject };
TaxCategory taxCategoryFor(bool salesTaxApplied, bool sellerHasVatId);
// The category's code of the rules' list (UNTDID 5305): "S", "E", "O".
std::string_view taxCategoryCode(TaxCategory category);

inline constexpr std::string_view kVatTaxScheme = "VAT";               // the tax scheme of every tax row
inline constexpr std::string_view kCommercialInvoiceType = "380";      // document type (UNTDID 1001)
inline constexpr std::string_view kHourUnit = "HUR";                   // unit of a line's quantity (UN/ECE Rec 20)
inline constexpr std::string_view kDateFormat = "102";                 // dates as YYYYMMDD (UNTDID 2379)
inline constexpr std::string_view kVatIdScheme = "VA";                 // a VAT ID
inline constexpr std::string_view kTaxNumberScheme = "FC";             // the seller's tax number
inline constexpr std::string_view kEmailScheme = "EM";                 // an electronic address
inline constexpr std::string_view kSepaCreditTransfer = "58";          // payment means (UNTDID 4461)
inline constexpr std::string_view kCreditTransfer = "30";
inline constexpr std::string_view kNotSubjectVatexCode = "VATEX-EU-O";  // the only code of category O

// The payment means of a transfer to an IBAN in currencyCode: SEPA within the euro area.
std::string_view transferMeansCode(std::string_view currencyCode);

// True when code is on the rules' country list (ISO 3166-1 alpha-2 as the billing fields
// accept it, less what the list lacks).
bool onCountryList(std::string_view code);
// True when code is on the rules' currency list (ISO 4217, less what the list lacks).
bool onCurrencyList(std::string_view code);
// True when code is one of the VATEX exemption codes the rules accept.
bool onVatexList(std::string_view code);
// True when the first two characters of vatId are a VAT prefix the rules accept: a code of
// the country list, or "EL" for Greece.
bool onVatPrefixList(std::string_view vatId);

}  // namespace ql
