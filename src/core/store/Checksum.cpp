#include "core/store/Checksum.h"

#include <zlib.h>

namespace ql {

// zlib's CRC-32 is the same checksum, several bytes a step: the invoice register is checked
// whole whenever billed time is shown or an invoice issued.
std::uint32_t crc32(const unsigned char* p, std::size_t n) {
    return static_cast<std::uint32_t>(::crc32_z(0, p, n));
}

}  // namespace ql
