#include "core/store/SettingsRecord.h"

#include "core/store/FieldCodec.h"

#include <algorithm>

namespace ql {

using namespace codec;

namespace {

struct TextField {
    MessageId label;
    std::string SettingsRecord::*member;
    std::size_t offset;
    std::size_t width;
};

constexpr TextField kTextFields[] = {
    {MessageId::SettingsCompanyName, &SettingsRecord::companyName, 0, 61},
    {MessageId::SettingsCompanyAddress, &SettingsRecord::companyAddress, 61, 61},
    {MessageId::SettingsCity, &SettingsRecord::city, 122, 61},
    {MessageId::SettingsZip, &SettingsRecord::zip, 183, 61},
    {MessageId::SettingsState, &SettingsRecord::state, 244, 61},
    {MessageId::SettingsCountry, &SettingsRecord::country, 305, 61},
    {MessageId::SettingsPhone, &SettingsRecord::phone, 366, 61},
    {MessageId::SettingsInvoiceText, &SettingsRecord::invoiceText, 427, 41},
    {MessageId::SettingsNextInvoiceNumber, &SettingsRecord::nextInvoiceNumber, 468, 41},
    {MessageId::SettingsInvoiceFooter, &SettingsRecord::footer, 509, 1001},
    {MessageId::SettingsSalesTaxLabel, &SettingsRecord::salesTaxLabel, 1514, 41},
    {MessageId::SettingsMonetarySymbol, &SettingsRecord::monetarySymbol, 1571, 31},
};
static_assert(kTextFields[11].offset + kTextFields[11].width == SettingsRecord::kSize);

// The numbers among the texts.
constexpr RecordField kApplySalesTax{"apply sales tax", 1510, 4};
constexpr RecordField kSalesTaxRate{"sales tax rate", 1555, 8};
constexpr RecordField kShowTips{"show tips", 1563, 4};
constexpr RecordField kDateFormat{"date format", 1567, 4};
// Each number sits between the texts the table places around it: after the footer, and after
// the sales tax label up to the monetary symbol.
static_assert(kApplySalesTax.offset == kTextFields[9].offset + kTextFields[9].width &&
              kApplySalesTax.end() == kTextFields[10].offset);
static_assert(kSalesTaxRate.offset == kTextFields[10].offset + kTextFields[10].width &&
              kShowTips.offset == kSalesTaxRate.end() && kDateFormat.offset == kShowTips.end() &&
              kDateFormat.end() == kTextFields[11].offset);

void encodeOnto(SettingsBytes& b, const SettingsRecord& r) {
    for (const TextField& f : kTextFields) putTextOver(b.data(), f.offset, f.width, r.*f.member);
    putInt32(b.data(), kApplySalesTax.offset, r.applySalesTax);
    putDoubleOver(b.data(), kSalesTaxRate.offset, r.salesTaxRate);
    putInt32(b.data(), kShowTips.offset, r.showTips);
    putInt32(b.data(), kDateFormat.offset, r.dateFormat);
}

}  // namespace

SettingsBytes encodeSettings(const SettingsRecord& r) {
    SettingsBytes b{};
    encodeOnto(b, r);
    // Zeros read as 0.0, which would otherwise keep a negative zero rate from being written.
    putDouble(b.data(), kSalesTaxRate.offset, r.salesTaxRate);
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
            return Status::invalidArgument(
                Message(MessageId::SettingsTextTooLong, {f.label, std::to_string(f.width - 1)}));
    }
    return Status::ok();
}

SettingsRecord decodeSettings(const unsigned char* b) {
    SettingsRecord r;
    for (const TextField& f : kTextFields) r.*f.member = getText(b, f.offset, f.width);
    r.applySalesTax = getInt32(b, kApplySalesTax.offset);
    r.salesTaxRate = getDouble(b, kSalesTaxRate.offset);
    r.showTips = getInt32(b, kShowTips.offset);
    r.dateFormat = getInt32(b, kDateFormat.offset);
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
