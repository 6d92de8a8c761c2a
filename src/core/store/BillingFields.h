#pragma once

#include "core/Status.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace ql {

// The billing fields of the seller and of a customer, each checked the same way wherever it is
// typed (the Properties sheet, the customer dialog, the command line).
enum class BillingField {
    CountryCode,      // ISO 3166 alpha-2, of the seller or of a customer
    VatId,            // VAT identification number: a country prefix and 2 to 13 letters or digits
    TaxNumber,        // free text
    Registration,     // free text: a trade register entry, say
    Iban,             // ISO 13616, stored without spaces
    Bic,              // 8 or 11 characters
    PaymentTerms,     // days, 0 to 365; empty for none
    CurrencyCode,     // ISO 4217, an active code
    ExemptionReason,  // free text
    ExemptionCode,    // VATEX code, such as VATEX-EU-132
    Email,
    BuyerReference,   // free text
};

// The field's name as a refusal names it ("IBAN", "VAT number", ...).
const char* billingFieldName(BillingField field);

// The most bytes field may hold as stored.
std::size_t billingFieldWidth(BillingField field);

// typed as field stores it: spaces around it dropped; letters of codes, IBAN, BIC and VAT
// numbers in capitals; the spaces inside an IBAN dropped; terms without leading zeros. An
// empty text is always accepted (the field is not set). Refused (InvalidArgument, starting
// with the field's name and a colon) when it is not well formed for its field or longer than
// its width.
Result<std::string> checkBillingField(BillingField field, std::string_view typed);

// True when code is in the table of ISO 3166 alpha-2 country codes (capitals).
bool isCountryCode(std::string_view code);
// Greece writes its VAT IDs with this prefix rather than its country code.
inline constexpr std::string_view kGreekVatPrefix = "EL";
// True when prefix (two capitals) may start a VAT ID: a country code, with Greece's as
// kGreekVatPrefix, never "GR".
bool isVatIdPrefix(std::string_view prefix);

// True when code is in the table of active ISO 4217 currency codes (capitals).
bool isCurrencyCode(std::string_view code);

// The ISO 4217 code proposed for a monetary symbol ("€" EUR, "£" GBP, "$" USD); empty when
// the symbol names none of them.
std::string currencyCodeForSymbol(std::string_view monetarySymbol);

// Payment terms as stored (empty or checked digits) as days; nullopt for none.
std::optional<std::int32_t> paymentTermsDays(std::string_view stored);

}  // namespace ql
