#include "core/store/Checksum.h"

#include <gtest/gtest.h>

#include <string>

namespace ql {
namespace {

// The standard check values, across the eight-byte steps and the bytes left after them.
TEST(Checksum, Crc32GivesTheStandardCheckValues) {
    const struct {
        std::string bytes;
        std::uint32_t crc;
    } cases[] = {
        {"", 0x00000000u},
        {"a", 0xE8B7BE43u},
        {"123456789", 0xCBF43926u},
        {"The quick brown fox jumps over the lazy dog", 0x414FA339u},
    };
    for (const auto& c : cases)
        EXPECT_EQ(crc32(reinterpret_cast<const unsigned char*>(c.bytes.data()), c.bytes.size()), c.crc) << c.bytes;
}

}  // namespace
}  // namespace ql
