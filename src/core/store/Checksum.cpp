#include "core/store/Checksum.h"

#include "core/store/FieldCodec.h"

#include <array>

namespace ql {
namespace {

// Eight bytes a step: the invoice register is checked whole on every issue, and a byte at a
// time would cost more than reading it.
struct CrcTables {
    std::array<std::array<std::uint32_t, 256>, 8> t{};
    constexpr CrcTables() {
        for (std::uint32_t i = 0; i < 256; ++i) {
            std::uint32_t c = i;
            for (int bit = 0; bit < 8; ++bit) c = (c >> 1) ^ (0xEDB88320u & (0u - (c & 1u)));
            t[0][i] = c;
        }
        for (std::uint32_t i = 0; i < 256; ++i)
            for (std::size_t k = 1; k < 8; ++k) t[k][i] = (t[k - 1][i] >> 8) ^ t[0][t[k - 1][i] & 0xFFu];
    }
};
constexpr CrcTables kCrc;

}  // namespace

std::uint32_t crc32(const unsigned char* p, std::size_t n) {
    std::uint32_t crc = 0xFFFFFFFFu;
    const auto& t = kCrc.t;
    while (n >= 8) {
        const std::uint32_t lo = codec::loadLittleEndian<std::uint32_t>(p) ^ crc;
        const std::uint32_t hi = codec::loadLittleEndian<std::uint32_t>(p + 4);
        crc = t[7][lo & 0xFF] ^ t[6][(lo >> 8) & 0xFF] ^ t[5][(lo >> 16) & 0xFF] ^ t[4][lo >> 24] ^ t[3][hi & 0xFF] ^
              t[2][(hi >> 8) & 0xFF] ^ t[1][(hi >> 16) & 0xFF] ^ t[0][hi >> 24];
        p += 8;
        n -= 8;
    }
    while (n-- > 0) crc = (crc >> 8) ^ t[0][(crc ^ *p++) & 0xFFu];
    return ~crc;
}

}  // namespace ql
