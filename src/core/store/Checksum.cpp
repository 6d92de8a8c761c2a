#include "core/store/Checksum.h"

#include "core/store/FieldCodec.h"

#include <zlib.h>

#include <array>
#include <cstring>

#if defined(__x86_64__)
#include <nmmintrin.h>
#if __has_include(<sys/platform/x86.h>)
#include <sys/platform/x86.h>
#endif
#endif

namespace ql {
namespace {

// Eight bytes a step, for processors without an instruction of their own.
struct Crc32cTables {
    std::array<std::array<std::uint32_t, 256>, 8> t{};
    constexpr Crc32cTables() {
        for (std::uint32_t i = 0; i < 256; ++i) {
            std::uint32_t c = i;
            for (int bit = 0; bit < 8; ++bit) c = (c >> 1) ^ (0x82F63B78u & (0u - (c & 1u)));
            t[0][i] = c;
        }
        for (std::uint32_t i = 0; i < 256; ++i)
            for (std::size_t k = 1; k < 8; ++k) t[k][i] = (t[k - 1][i] >> 8) ^ t[0][t[k - 1][i] & 0xFFu];
    }
};
constexpr Crc32cTables kCrc32c;

}  // namespace

std::uint32_t crc32cPortable(const unsigned char* p, std::size_t n) {
    std::uint32_t crc = 0xFFFFFFFFu;
    const auto& t = kCrc32c.t;
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

namespace {

#if defined(__x86_64__)
// The C library has read the processor's features before main; the compiler's own query would
// link a start-up routine that asks the processor again in every process, and every
// quillory-cli run would pay for it, although few ever compute this checksum.
bool hasCrc32Instruction() {
#if __has_include(<sys/platform/x86.h>)
    return CPU_FEATURE_ACTIVE(SSE4_2);
#else
    return __builtin_cpu_supports("sse4.2");
#endif
}

__attribute__((target("sse4.2"))) std::uint32_t crc32cInstruction(const unsigned char* p, std::size_t n) {
    std::uint64_t crc = 0xFFFFFFFFu;
    while (n >= 8) {
        std::uint64_t word;
        std::memcpy(&word, p, sizeof word);
        crc = _mm_crc32_u64(crc, word);
        p += 8;
        n -= 8;
    }
    auto c = static_cast<std::uint32_t>(crc);
    while (n-- > 0) c = _mm_crc32_u8(c, *p++);
    return ~c;
}
#endif

}  // namespace

// zlib's CRC-32 is the same checksum, several bytes a step.
std::uint32_t crc32(const unsigned char* p, std::size_t n) {
    return static_cast<std::uint32_t>(::crc32_z(0, p, n));
}

std::uint32_t crc32c(const unsigned char* p, std::size_t n) {
#if defined(__x86_64__)
    static const bool instruction = hasCrc32Instruction();
    if (instruction) return crc32cInstruction(p, n);
#endif
    return crc32cPortable(p, n);
}

}  // namespace ql
