#include "core/store/BillingFields.h"

#include <algorithm>
#include <array>

namespace ql {
namespace {

// Two letters each, in order, so a lookup is a binary search over pairs.
constexpr std::string_view kCountryCodes =
    "ADAEAFAGAIALAMAOAQARASATAUAWAXAZBABBBDBEBFBGBHBIBJBLBMBNBOBQBRBSBTBVBWBYBZCACCCDCFCGCHCICKCLCMCNCOCRCU"
    "CVCWCXCYCZDEDJDKDMDODZECEEEGEHERESETFIFJFKFMFOFRGAGBGDGEGFGGGHGIGLGMGNGPGQGRGSGTGUGWGYHKHMHNHRHTHUIDIE"
    "ILIMINIOIQIRISITJEJMJOJPKEKGKHKIKMKNKPKRKWKYKZLALBLCLILKLRLSLTLULVLYMAMCMDMEMFMGMHMKMLMMMNMOMPMQMRMSMT"
    "MUMVMWMXMYMZNANCNENFNGNINLNONPNRNUNZOMPAPEPFPGPHPKPLPMPNPRPSPTPWPYQARERORSRURWSASBSCSDSESGSHSISJSKSLSM"
    "SNSOSRSSSTSVSXSYSZTCTDTFTGTHTJTKTLTMTNTOTRTTTVTWTZUAUGUMUSUYUZVAVCVEVGVIVNVUWFWSYEYTZAZMZW";

// Three letters each, in order.
constexpr std::string_view kCurrencyCodes =
    "AEDAFNALLAMDANGAOAARSAUDAWGAZNBAMBBDBDTBGNBHDBIFBMDBNDBOBBOVBRLBSDBTNBWPBYNBZDCADCDFCHECHFCHWCLFCLPCNY"
    "COPCOUCRCCUCCUPCVECZKDJFDKKDOPDZDEGPERNETBEURFJDFKPGBPGELGHSGIPGMDGNFGTQGYDHKDHNLHTGHUFIDRILSINRIQDIRR"
    "ISKJMDJODJPYKESKGSKHRKMFKPWKRWKWDKYDKZTLAKLBPLKRLRDLSLLYDMADMDLMGAMKDMMKMNTMOPMRUMURMVRMWKMXNMXVMYRMZN"
    "NADNGNNIONOKNPRNZDOMRPABPENPGKPHPPKRPLNPYGQARRONRSDRUBRWFSARSBDSCRSDGSEKSGDSHPSLESLLSOSSRDSSPSTNSVCSYP"
    "SZLTHBTJSTMTTNDTOPTRYTTDTWDTZSUAHUGXUSDUSNUYIUYUUYWUZSVEDVESVNDVUVWSTXAFXAGXAUXBAXBBXBCXBDXCDXCGXDRXOF"
    "XPDXPFXPTXSUXTSXUAXXXYERZARZMWZWGZWL";

bool inTable(std::string_view table, std::size_t width, std::string_view code) {
    if (code.size() != width) return false;
    std::size_t lo = 0, hi = table.size() / width;
    while (lo < hi) {
        const std::size_t mid = (lo + hi) / 2;
        const std::string_view entry = table.substr(mid * width, width);
        if (entry == code) return true;
        if (entry < code) lo = mid + 1;
        else hi = mid;
    }
    return false;
}

bool isUpper(char c) { return c >= 'A' && c <= 'Z'; }
bool isDigit(char c) { return c >= '0' && c <= '9'; }
bool isAlnum(char c) { return isUpper(c) || isDigit(c); }
char upper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

std::string trimmed(std::string_view text) {
    const auto space = [](char c) { return c == ' ' || c == '\t'; };
    while (!text.empty() && space(text.front())) text.remove_prefix(1);
    while (!text.empty() && space(text.back())) text.remove_suffix(1);
    return std::string(text);
}

std::string capitals(std::string text, bool dropSpaces) {
    std::string out;
    out.reserve(text.size());
    for (char c : text)
        if (!(dropSpaces && c == ' ')) out += upper(c);
    return out;
}

Status refused(BillingField field, const std::string& why) {
    return Status::invalidArgument(std::string(billingFieldName(field)) + ": " + why);
}

// ISO 13616: the country and check digits moved to the end, letters as 10..35, mod 97 is 1.
bool ibanChecks(const std::string& iban) {
    const std::string moved = iban.substr(4) + iban.substr(0, 4);
    unsigned remainder = 0;
    for (char c : moved) {
        const unsigned value = isDigit(c) ? static_cast<unsigned>(c - '0') : static_cast<unsigned>(c - 'A' + 10);
        remainder = (value >= 10 ? remainder * 100 : remainder * 10) + value;
        remainder %= 97;
    }
    return remainder == 1;
}

Result<std::string> checkIban(const std::string& typed) {
    const std::string iban = capitals(typed, true);
    if (iban.size() < 15 || iban.size() > 34)
        return refused(BillingField::Iban, "'" + typed + "' must have 15 to 34 letters and digits");
    if (!std::all_of(iban.begin(), iban.end(), isAlnum))
        return refused(BillingField::Iban, "'" + typed + "' may hold only letters, digits and spaces");
    if (!isCountryCode(iban.substr(0, 2)) || !isDigit(iban[2]) || !isDigit(iban[3]))
        return refused(BillingField::Iban, "'" + typed + "' must start with a country code and two check digits");
    if (!ibanChecks(iban)) return refused(BillingField::Iban, "the check digits of '" + typed + "' do not match");
    return iban;
}

Result<std::string> checkBic(const std::string& typed) {
    const std::string bic = capitals(typed, false);
    const bool sound = (bic.size() == 8 || bic.size() == 11) && std::all_of(bic.begin(), bic.begin() + 4, isUpper) &&
                       isCountryCode(bic.substr(4, 2)) && std::all_of(bic.begin() + 6, bic.end(), isAlnum);
    if (!sound)
        return refused(BillingField::Bic, "'" + typed +
                                              "' is not 4 letters, a country code and 2 or 5 letters or digits");
    return bic;
}

Result<std::string> checkVatId(const std::string& typed) {
    const std::string vat = capitals(typed, true);
    const std::string prefix = vat.substr(0, 2);
    if (!isVatIdPrefix(prefix)) return refused(BillingField::VatId, "'" + typed + "' does not start with a country code");
    if (vat.size() < 4 || vat.size() > 15 || !std::all_of(vat.begin() + 2, vat.end(), isAlnum))
        return refused(BillingField::VatId, "'" + typed + "' must have 2 to 13 letters or digits after its country code");
    return vat;
}

Result<std::string> checkEmail(const std::string& typed) {
    const auto at = typed.find('@');
    const bool oneAt = at != std::string::npos && typed.find('@', at + 1) == std::string::npos;
    bool sound = oneAt && at > 0 && at <= 64 && at + 1 < typed.size();
    if (sound) {
        for (char c : typed)
            if (static_cast<unsigned char>(c) <= ' ' || c == '"' || c == ',' || c == '<' || c == '>' || c == '\\')
                sound = false;
        const std::string domain = typed.substr(at + 1);
        const auto dot = domain.rfind('.');
        sound = sound && dot != std::string::npos && dot > 0 && dot + 2 <= domain.size() && domain.front() != '.' &&
                domain.find("..") == std::string::npos && domain.back() != '.';
    }
    if (!sound) return refused(BillingField::Email, "'" + typed + "' is not an address like name@example.com");
    return typed;
}

Result<std::string> checkTerms(const std::string& typed) {
    if (typed.size() > 6 || !std::all_of(typed.begin(), typed.end(), isDigit))
        return refused(BillingField::PaymentTerms, "'" + typed + "' is not a whole number of days from 0 to 365");
    const int days = std::stoi(typed);
    if (days > 365) return refused(BillingField::PaymentTerms, "'" + typed + "' is not a whole number of days from 0 to 365");
    return std::to_string(days);
}

Result<std::string> checkCurrency(const std::string& typed) {
    if (typed.size() != 3 || !std::all_of(typed.begin(), typed.end(), isUpper))
        return refused(BillingField::CurrencyCode, "'" + typed + "' is not three capital letters, such as EUR");
    if (!isCurrencyCode(typed))
        return refused(BillingField::CurrencyCode, "'" + typed + "' is not an ISO 4217 currency code");
    return typed;
}

Result<std::string> checkExemptionCode(const std::string& typed) {
    const std::string code = capitals(typed, false);
    const bool sound = code.size() > 6 && code.compare(0, 6, "VATEX-") == 0 &&
                       std::all_of(code.begin() + 6, code.end(), [](char c) { return isAlnum(c) || c == '-'; }) &&
                       code.back() != '-';
    if (!sound) return refused(BillingField::ExemptionCode, "'" + typed + "' is not a VATEX code, such as VATEX-EU-132");
    return code;
}

}  // namespace

const char* billingFieldName(BillingField field) {
    switch (field) {
    case BillingField::CountryCode: return "Country code";
    case BillingField::VatId: return "VAT number";
    case BillingField::TaxNumber: return "Tax number";
    case BillingField::Registration: return "Registration number";
    case BillingField::Iban: return "IBAN";
    case BillingField::Bic: return "BIC";
    case BillingField::PaymentTerms: return "Payment terms";
    case BillingField::CurrencyCode: return "Currency code";
    case BillingField::ExemptionReason: return "Exemption reason";
    case BillingField::ExemptionCode: return "Exemption code";
    case BillingField::Email: return "E-mail";
    case BillingField::BuyerReference: return "Buyer reference";
    }
    return "Billing field";
}

std::size_t billingFieldWidth(BillingField field) {
    switch (field) {
    case BillingField::CountryCode: return 2;
    case BillingField::VatId: return 15;
    case BillingField::Iban: return 34;
    case BillingField::Bic: return 11;
    case BillingField::PaymentTerms: return 3;
    case BillingField::CurrencyCode: return 3;
    case BillingField::ExemptionReason: return 300;
    case BillingField::Email: return 254;
    case BillingField::TaxNumber:
    case BillingField::Registration:
    case BillingField::ExemptionCode:
    case BillingField::BuyerReference: return 60;
    }
    return 60;
}

Result<std::string> checkBillingField(BillingField field, std::string_view typed) {
    const std::string text = trimmed(typed);
    if (text.empty()) return text;
    for (char c : text)
        if (c == '\n' || c == '\r' || c == '\t')
            return refused(field, "a line break or tab is not allowed");
    Result<std::string> stored = text;
    switch (field) {
    case BillingField::CountryCode:
        if (!isCountryCode(capitals(text, false)))
            return refused(field, "'" + text + "' is not an ISO 3166 two-letter country code");
        stored = capitals(text, false);
        break;
    case BillingField::VatId: stored = checkVatId(text); break;
    case BillingField::Iban: stored = checkIban(text); break;
    case BillingField::Bic: stored = checkBic(text); break;
    case BillingField::PaymentTerms: stored = checkTerms(text); break;
    case BillingField::CurrencyCode: stored = checkCurrency(text); break;
    case BillingField::ExemptionCode: stored = checkExemptionCode(text); break;
    case BillingField::Email: stored = checkEmail(text); break;
    case BillingField::TaxNumber:
    case BillingField::Registration:
    case BillingField::ExemptionReason:
    case BillingField::BuyerReference: break;
    }
    if (stored && stored->size() > billingFieldWidth(field))
        return refused(field, "at most " + std::to_string(billingFieldWidth(field)) + " bytes");
    return stored;
}

bool isCountryCode(std::string_view code) { return inTable(kCountryCodes, 2, code); }
bool isCurrencyCode(std::string_view code) { return inTable(kCurrencyCodes, 3, code); }

bool isVatIdPrefix(std::string_view prefix) {
    return prefix == kGreekVatPrefix || (prefix != "GR" && isCountryCode(prefix));
}

std::string currencyCodeForSymbol(std::string_view monetarySymbol) {
    const std::string symbol = trimmed(monetarySymbol);
    if (symbol == "\xE2\x82\xAC" || symbol == "\x80") return "EUR";  // UTF-8, or a Windows-1252 byte
    if (symbol == "\xC2\xA3" || symbol == "\xA3") return "GBP";
    if (symbol == "$") return "USD";
    return {};
}

std::optional<std::int32_t> paymentTermsDays(std::string_view stored) {
    if (stored.empty() || stored.size() > 3 || !std::all_of(stored.begin(), stored.end(), isDigit)) return std::nullopt;
    return std::stoi(std::string(stored));
}

}  // namespace ql
