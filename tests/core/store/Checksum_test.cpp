#include "core/store/Checksum.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace ql {
namespace {

std::uint32_t bitwise(const unsigned char* p, std::size_t n, std::uint32_t polynomial) {
    std::uint32_t crc = 0xFFFFFFFFu;
    for (std::size_t i = 0; i < n; ++i) {
        crc ^= p[i];
        for (int bit = 0; bit < 8; ++bit) crc = (crc >> 1) ^ (polynomial & (0u - (crc & 1u)));
    }
    return ~crc;
}

// The standard check values of both checksums, then random lengths and offsets against the
// textbook bit-at-a-time form, across the eight-byte steps and the bytes left after them.
TEST(Checksum, BothChecksumsGiveTheStandardValues) {
    const struct {
        std::string bytes;
        std::uint32_t crc, crcc;
    } cases[] = {
        {"", 0x00000000u, 0x00000000u},
        {"a", 0xE8B7BE43u, 0xC1D04330u},
        {"123456789", 0xCBF43926u, 0xE3069283u},
        {"The quick brown fox jumps over the lazy dog", 0x414FA339u, 0x22620404u},
    };
    for (const auto& c : cases) {
        const auto* p = reinterpret_cast<const unsigned char*>(c.bytes.data());
        EXPECT_EQ(crc32(p, c.bytes.size()), c.crc) << c.bytes;
        EXPECT_EQ(crc32c(p, c.bytes.size()), c.crcc) << c.bytes;
        EXPECT_EQ(crc32cPortable(p, c.bytes.size()), c.crcc) << c.bytes;
    }
    std::mt19937 rng(7);
    std::vector<unsigned char> bytes(4096);
    for (auto& b : bytes) b = static_cast<unsigned char>(rng());
    for (int n = 0; n < 200; ++n) {
        const std::size_t from = rng() % 64, size = rng() % (bytes.size() - 64);
        const unsigned char* p = bytes.data() + from;
        EXPECT_EQ(crc32(p, size), bitwise(p, size, 0xEDB88320u)) << from << " " << size;
        EXPECT_EQ(crc32c(p, size), bitwise(p, size, 0x82F63B78u)) << from << " " << size;
        EXPECT_EQ(crc32cPortable(p, size), bitwise(p, size, 0x82F63B78u)) << from << " " << size;
    }
}

}  // namespace
}  // namespace ql
