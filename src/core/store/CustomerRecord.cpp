#include "core/store/CustomerRecord.h"

#include "core/store/FieldCodec.h"

#include <algorithm>

namespace ql {

using namespace codec;

namespace {

struct TextField {
    MessageId label;
    std::string CustomerRecord::*member;
    std::size_t offset;
    std::size_t width;
};

constexpr TextField kTextFields[] = {
    {MessageId::CustomerName, &CustomerRecord::name, 4, 61},      {MessageId::CustomerAddress, &CustomerRecord::address, 65, 61},
    {MessageId::CustomerCity, &CustomerRecord::city, 126, 31},    {MessageId::CustomerZip, &CustomerRecord::zip, 157, 31},
    {MessageId::CustomerState, &CustomerRecord::state, 188, 31},  {MessageId::CustomerCountry, &CustomerRecord::country, 219, 31},
    {MessageId::CustomerPhone, &CustomerRecord::phone, 250, 31},  {MessageId::CustomerNotes, &CustomerRecord::notes, 281, 1001},
};
static_assert(kTextFields[0].offset == kCustomerId.end());
static_assert(kTextFields[7].offset + kTextFields[7].width == CustomerRecord::kSize);

void encodeOnto(CustomerBytes& b, const CustomerRecord& r) {
    putInt32(b.data(), kCustomerId.offset, r.id);
    for (const TextField& f : kTextFields) putTextOver(b.data(), f.offset, f.width, r.*f.member);
}

}  // namespace

CustomerBytes encodeCustomer(const CustomerRecord& r) {
    CustomerBytes b{};
    encodeOnto(b, r);
    return b;
}

CustomerBytes encodeCustomer(const CustomerRecord& r, const unsigned char* original) {
    CustomerBytes b;
    std::copy(original, original + CustomerRecord::kSize, b.begin());
    encodeOnto(b, r);
    return b;
}

std::int32_t decodeCustomerId(const unsigned char* b) { return getInt32(b, kCustomerId.offset); }

Status checkCustomerTexts(const CustomerRecord& r) {
    for (const TextField& f : kTextFields) {
        if (!textFitsField(r.*f.member, f.width))
            return Status::invalidArgument(
                Message(MessageId::CustomerTextTooLong, {f.label, std::to_string(f.width - 1), r.name}));
    }
    return Status::ok();
}

CustomerRecord decodeCustomer(const unsigned char* b) {
    CustomerRecord r;
    r.id = decodeCustomerId(b);
    for (const TextField& f : kTextFields) r.*f.member = getText(b, f.offset, f.width);
    return r;
}

}  // namespace ql
