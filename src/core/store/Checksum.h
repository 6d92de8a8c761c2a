#pragma once

#include <cstddef>
#include <cstdint>

namespace ql {

// The common reflected CRC-32 (polynomial 0xEDB88320, initial and final value all ones) of
// size bytes: the check of every file layout of our own, so that a torn or scribbled file is
// told from a whole one.
std::uint32_t crc32(const unsigned char* bytes, std::size_t size);

// CRC-32C (Castagnoli: reflected polynomial 0x82F63B78, initial and final value all ones) of
// size bytes, in the processor's own instruction where it has one: for layouts read whole
// whenever they are shown, where the check would otherwise cost more than the reading.
std::uint32_t crc32c(const unsigned char* bytes, std::size_t size);
// The same computed without that instruction, as on a processor that lacks it.
std::uint32_t crc32cPortable(const unsigned char* bytes, std::size_t size);

}  // namespace ql
