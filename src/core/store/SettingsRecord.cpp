#include "core/store/SettingsRecord.h"

#include "core/store/FieldCodec.h"

#include <algorithm>

namespace ql {

using namespace codec;

namespace {

struct TextField {
    const char* label;
    std::string SettingsRecord::*member;
    std::size_t offset;
    std::size_t width;
};

constexpr TextField kTextFields[] = {
    {"company name", &SettingsRecord::companyName, 0, 61},
    {"company address", &SettingsRecord::companyAddress, 61, 61},
    {"city", &SettingsRecord::city, 122, 61},
    {"ZIP", &SettingsRecord::zip, 183, 61},
    {"state", &SettingsRecord::state, 244, 61},
    {"country", &SettingsRecord::country, 305, 61},
    {"phone", &SettingsRecord::phone, 366, 61},
    {"invoice text", &SettingsRecord::invoiceText, 427, 41},
    {"next invoice number", &SettingsRecord::nextInvoiceNumber, 468, 41},
    {"invoice footer", &SettingsRecord::footer, 509, 1001},
    {"sales tax label", &SettingsRecord::salesTaxLabel, 1514, 41},
    {"monetary symbol", &SettingsRecord::monetarySymbol, 1571, 31},
};

void encodeOnto(SettingsBytes& b, const SettingsRecord& r) {
    for (const TextField& f : kTextFields) putTextOver(b.data(), f.offset, f.width, r.*f.member);
    putInt32(b.data(), 1510, r.applySalesTax);
    putDoubleOver(b.data(), 1555, r.salesTaxRate);
    putInt32(b.data(), 1563, r.showTips);
    putInt32(b.data(), 1567, r.dateFormat);
}

}  // namespace

SettingsBytes encodeSettings(const SettingsRecord& r) {
    SettingsBytes b{};
    encodeOnto(b, r);
    // Zeros read as 0.0, which would otherwise keep a negative zero rate from being written.
    putDouble(b.data(), 1555, r.salesTaxRate);
    return b;
}

SettingsBytes encodeSettings(const SettingsRecord& r, const unsigned char* original) {
    SettingsBytes b;
    std::copy(original, original + SettingsRecord::kSize, b.begin());
    encodeOnto(b, r);
    return b;
}

Status checkSettingsTexts(const SettingsRecord& r, const unsigned char* original) {
    for (const TextField& f : kTextFields) {
        if (original && getText(original, f.offset, f.width) == r.*f.member) continue;
        if (!textFitsField(r.*f.member, f.width))
            return Status::invalidArgument(std::string("The ") + f.label + " is too long to be stored (at most " +
                                           std::to_string(f.width - 1) + " bytes)");
    }
    return Status::ok();
}

SettingsRecord decodeSettings(const unsigned char* b) {
    SettingsRecord r;
    r.companyName = getText(b, 0, 61);
    r.companyAddress = getText(b, 61, 61);
    r.city = getText(b, 122, 61);
    r.zip = getText(b, 183, 61);
    r.state = getText(b, 244, 61);
    r.country = getText(b, 305, 61);
    r.phone = getText(b, 366, 61);
    r.invoiceText = getText(b, 427, 41);
    r.nextInvoiceNumber = getText(b, 468, 41);
    r.footer = getText(b, 509, 1001);
    r.applySalesTax = getInt32(b, 1510);
    r.salesTaxLabel = getText(b, 1514, 41);
    r.salesTaxRate = getDouble(b, 1555);
    r.showTips = getInt32(b, 1563);
    r.dateFormat = getInt32(b, 1567);
    r.monetarySymbol = getText(b, 1571, 31);
    return r;
}

SettingsRecord defaultSettings(const std::string& currencySymbol, bool monthFirst) {
    SettingsRecord r;
    r.companyName = "<Your Company Name>";
    r.companyAddress = "<Your Company's Address>";
    r.invoiceText = "INVOICE#";
    r.nextInvoiceNumber = "9600001";
    r.footer = "This invoice has been compiled using Quillory.\r\nThank you for your prompt payment.";
    r.applySalesTax = 1;
    r.salesTaxLabel = "Sales Tax : ";
    r.salesTaxRate = 6.0;
    r.showTips = 1;
    r.dateFormat = monthFirst ? 1 : 0;
    r.monetarySymbol = currencySymbol;
    return r;
}

}  // namespace ql
