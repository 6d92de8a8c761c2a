#pragma once

#include "core/Status.h"
#include "core/store/FieldCodec.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

namespace ql {

// One customer in the customers file ("cus"), 1282 bytes, packed, little-endian.
//
//   offset width type   field
//        0     4 int32  customer id, 0 or more
//        4    61 text   name
//       65    61 text   address
//      126    31 text   city
//      157    31 text   ZIP
//      188    31 text   state
//      219    31 text   country
//      250    31 text   phone
//      281  1001 text   notes (CR LF line breaks)
struct CustomerRecord {
    static constexpr std::size_t kSize = 1282;
    static constexpr std::size_t kNameWidth = 61;
    static constexpr std::size_t kAddressWidth = 61;
    static constexpr std::size_t kShortTextWidth = 31;  // city, ZIP, state, country, phone
    static constexpr std::size_t kNotesWidth = 1001;

    std::int32_t id = 0;
    std::string name = "New Customer";
    std::string address;
    std::string city;
    std::string zip;
    std::string state;
    std::string country;
    std::string phone;
    std::string notes;

    bool operator==(const CustomerRecord&) const = default;
};

// The id's field; the texts follow it, each once in the codec's table.
inline constexpr codec::RecordField kCustomerId{"customer id", 0, 4};

using CustomerBytes = std::array<unsigned char, CustomerRecord::kSize>;

CustomerBytes encodeCustomer(const CustomerRecord& record);
// record written over original, the bytes the file held for it: every field that still
// reads as record's keeps its bytes.
CustomerBytes encodeCustomer(const CustomerRecord& record, const unsigned char* original);
// Refuses (InvalidArgument) a record with a text that its field cannot hold whole.
Status checkCustomerTexts(const CustomerRecord& record);
CustomerRecord decodeCustomer(const unsigned char* bytes);
// The id of an encoded record, for scans that need no more.
std::int32_t decodeCustomerId(const unsigned char* bytes);

}  // namespace ql
