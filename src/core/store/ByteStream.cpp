#include "core/store/ByteStream.h"

#include <algorithm>
#include <bit>
#include <limits>

namespace ql {

void ByteWriter::f64(double v) { put(std::bit_cast<std::uint64_t>(v)); }

void ByteWriter::text32(std::string_view s) {
    u32(static_cast<std::uint32_t>(s.size()));
    bytes(s);
}

void ByteWriter::text16(std::string_view s) {
    const std::size_t n = std::min<std::size_t>(s.size(), std::numeric_limits<std::uint16_t>::max());
    u16(static_cast<std::uint16_t>(n));
    bytes(s.substr(0, n));
}

void ByteWriter::u32At(std::size_t at, std::uint32_t v) { codec::storeLittleEndian(m_bytes.data() + at, v); }

double ByteReader::f64() { return std::bit_cast<double>(get<std::uint64_t>()); }

std::string ByteReader::textOf(std::size_t n, std::size_t maxSize) {
    if (n > maxSize) m_ok = false;
    const unsigned char* p = m_ok ? bytes(n) : nullptr;
    return p ? std::string(reinterpret_cast<const char*>(p), n) : std::string();
}

std::string ByteReader::text32(std::size_t maxSize) { return textOf(u32(), maxSize); }
std::string ByteReader::text16(std::size_t maxSize) { return textOf(u16(), maxSize); }

}  // namespace ql
