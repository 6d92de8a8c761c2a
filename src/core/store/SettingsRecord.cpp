#include "core/store/SettingsRecord.h"

#include "core/store/FieldCodec.h"

namespace ql {

using namespace codec;

SettingsBytes encodeSettings(const SettingsRecord& r) {
    SettingsBytes b{};
    putText(b.data(), 0, 61, r.companyName);
    putText(b.data(), 61, 61, r.companyAddress);
    putText(b.data(), 122, 61, r.city);
    putText(b.data(), 183, 61, r.zip);
    putText(b.data(), 244, 61, r.state);
    putText(b.data(), 305, 61, r.country);
    putText(b.data(), 366, 61, r.phone);
    putText(b.data(), 427, 41, r.invoiceText);
    putText(b.data(), 468, 41, r.nextInvoiceNumber);
    putText(b.data(), 509, 1001, r.footer);
    putInt32(b.data(), 1510, r.applySalesTax);
    putText(b.data(), 1514, 41, r.salesTaxLabel);
    putDouble(b.data(), 1555, r.salesTaxRate);
    putInt32(b.data(), 1563, r.showTips);
    putInt32(b.data(), 1567, r.dateFormat);
    putText(b.data(), 1571, 31, r.monetarySymbol);
    return b;
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
