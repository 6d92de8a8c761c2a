#pragma once

#include <cstddef>
#include <cstdint>

namespace ql {

// The common reflected CRC-32 (polynomial 0xEDB88320, initial and final value all ones) of
// size bytes: the check of every file layout of our own, so that a torn or scribbled file is
// told from a whole one.
std::uint32_t crc32(const unsigned char* bytes, std::size_t size);

}  // namespace ql
