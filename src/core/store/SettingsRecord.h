#pragma once

#include "core/Status.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

namespace ql {

// The whole content of the settings file ("qlr"), 1602 bytes, packed, little-endian.
//
//   offset width type    field
//        0    61 text    company name
//       61    61 text    company address
//      122    61 text    city
//      183    61 text    ZIP
//      244    61 text    state
//      305    61 text    country
//      366    61 text    phone
//      427    41 text    invoice text
//      468    41 text    next invoice number (decimal digits)
//      509  1001 text    invoice footer (CR LF line breaks)
//     1510     4 int32   apply sales tax (1 yes, 0 no)
//     1514    41 text    sales tax label
//     1555     8 double  sales tax rate in percent
//     1563     4 int32   show tips in the week chart (1 yes, 0 no)
//     1567     4 int32   date format: 1 month/day/year, 0 day/month/year
//     1571    31 text    monetary symbol
struct SettingsRecord {
    static constexpr std::size_t kSize = 1602;
    static constexpr std::size_t kCompanyTextWidth = 61;
    static constexpr std::size_t kInvoiceTextWidth = 41;
    static constexpr std::size_t kInvoiceNumberWidth = 41;
    static constexpr std::size_t kFooterWidth = 1001;
    static constexpr std::size_t kSalesTaxLabelWidth = 41;
    static constexpr std::size_t kMonetarySymbolWidth = 31;

    std::string companyName;
    std::string companyAddress;
    std::string city;
    std::string zip;
    std::string state;
    std::string country;
    std::string phone;
    std::string invoiceText;
    std::string nextInvoiceNumber;
    std::string footer;
    std::int32_t applySalesTax = 0;
    std::string salesTaxLabel;
    double salesTaxRate = 0.0;
    std::int32_t showTips = 0;
    std::int32_t dateFormat = 0;
    std::string monetarySymbol;

    bool monthFirst() const { return dateFormat != 0; }
    bool operator==(const SettingsRecord&) const = default;
};

using SettingsBytes = std::array<unsigned char, SettingsRecord::kSize>;

SettingsBytes encodeSettings(const SettingsRecord& record);
// record written over original, the bytes the file held: every field that still reads as
// record's keeps its bytes.
SettingsBytes encodeSettings(const SettingsRecord& record, const unsigned char* original);
// Refuses (InvalidArgument, naming the field) a record with a text that its field cannot hold
// whole. With original, the bytes the file held, only texts that differ from what it reads as
// are checked: a field left as read is written back as it was, even when it fills its width.
Status checkSettingsTexts(const SettingsRecord& record, const unsigned char* original = nullptr);
SettingsRecord decodeSettings(const unsigned char* bytes);

// The record a new file set starts with. currencySymbol and monthFirst come from the
// user's locale (the caller asks it).
SettingsRecord defaultSettings(const std::string& currencySymbol, bool monthFirst);

}  // namespace ql
