#include "core/store/CustomerRecord.h"

#include "core/store/FieldCodec.h"

namespace ql {

using namespace codec;

CustomerBytes encodeCustomer(const CustomerRecord& r) {
    CustomerBytes b{};
    putInt32(b.data(), 0, r.id);
    putText(b.data(), 4, 61, r.name);
    putText(b.data(), 65, 61, r.address);
    putText(b.data(), 126, 31, r.city);
    putText(b.data(), 157, 31, r.zip);
    putText(b.data(), 188, 31, r.state);
    putText(b.data(), 219, 31, r.country);
    putText(b.data(), 250, 31, r.phone);
    putText(b.data(), 281, 1001, r.notes);
    return b;
}

CustomerRecord decodeCustomer(const unsigned char* b) {
    CustomerRecord r;
    r.id = getInt32(b, 0);
    r.name = getText(b, 4, 61);
    r.address = getText(b, 65, 61);
    r.city = getText(b, 126, 31);
    r.zip = getText(b, 157, 31);
    r.state = getText(b, 188, 31);
    r.country = getText(b, 219, 31);
    r.phone = getText(b, 250, 31);
    r.notes = getText(b, 281, 1001);
    return r;
}

}  // namespace ql
