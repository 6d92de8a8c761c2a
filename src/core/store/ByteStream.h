#pragma once

#include "core/store/FieldCodec.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// The one reader and writer of the set's own formats (register, texts, billing files, journal):
// little-endian integers and doubles in sequence, texts behind a byte count, raw bytes.
namespace ql {

class ByteWriter {
public:
    ByteWriter() = default;
    // Writes on after bytes (a header written before, say).
    explicit ByteWriter(std::vector<unsigned char> bytes) : m_bytes(std::move(bytes)) {}

    void reserve(std::size_t n) { m_bytes.reserve(n); }
    void u16(std::uint16_t v) { put(v); }
    void i32(std::int32_t v) { put(v); }
    void u32(std::uint32_t v) { put(v); }
    void i64(std::int64_t v) { put(v); }
    void u64(std::uint64_t v) { put(v); }
    // The double's bits as they are: a NaN's payload and a negative zero survive.
    void f64(double v);
    void bytes(const unsigned char* p, std::size_t n) { m_bytes.insert(m_bytes.end(), p, p + n); }
    void bytes(std::string_view s) { m_bytes.insert(m_bytes.end(), s.begin(), s.end()); }
    // A uint32 byte count, then the bytes.
    void text32(std::string_view s);
    // A uint16 byte count, then the bytes; a text longer than 65,535 bytes is cut there rather
    // than let its count wrap (writers check texts to their widths first).
    void text16(std::string_view s);
    // Overwrites the uint32 at `at`, written before (a count known only at the end).
    void u32At(std::size_t at, std::uint32_t v);

    std::size_t position() const { return m_bytes.size(); }
    const std::vector<unsigned char>& data() const { return m_bytes; }
    std::vector<unsigned char> take() { return std::move(m_bytes); }

private:
    template <typename T>
    void put(T v) {
        const std::size_t at = m_bytes.size();
        m_bytes.resize(at + sizeof v);
        codec::storeLittleEndian(m_bytes.data() + at, v);
    }
    std::vector<unsigned char> m_bytes;
};

// Reads in sequence within [p, p + size). Once a read would run past the end (or a text is
// longer than its caller allows), that read and every later one yields zero or empty and ok()
// stays false, so a caller checks once after reading a whole part and never reads beyond.
class ByteReader {
public:
    ByteReader(const unsigned char* p, std::size_t size) : m_begin(p), m_size(size) {}

    bool ok() const { return m_ok; }
    bool atEnd() const { return m_at == m_size; }
    std::size_t position() const { return m_at; }
    std::size_t remaining() const { return m_size - m_at; }
    // Makes ok() false: for a value read whole that the format refuses.
    void fail() { m_ok = false; }

    std::uint16_t u16() { return get<std::uint16_t>(); }
    std::int32_t i32() { return get<std::int32_t>(); }
    std::uint32_t u32() { return get<std::uint32_t>(); }
    std::int64_t i64() { return get<std::int64_t>(); }
    std::uint64_t u64() { return get<std::uint64_t>(); }
    double f64();
    // The next n bytes, nullptr (and failed) when fewer are left.
    const unsigned char* bytes(std::size_t n) {
        // Inline: the register is decoded whole whenever billed time is shown.
        if (!m_ok || m_size - m_at < n) {
            m_ok = false;
            return nullptr;
        }
        const unsigned char* p = m_begin + m_at;
        m_at += n;
        return p;
    }
    bool skip(std::size_t n) {
        bytes(n);
        return m_ok;
    }
    // A text of a uint32 (text32) or uint16 (text16) byte count; one longer than maxSize fails.
    std::string text32(std::size_t maxSize = SIZE_MAX);
    std::string text16(std::size_t maxSize = SIZE_MAX);

private:
    template <typename T>
    T get() {
        const unsigned char* p = bytes(sizeof(T));
        return p ? codec::loadLittleEndian<T>(p) : T{};
    }
    std::string textOf(std::size_t n, std::size_t maxSize);

    const unsigned char* m_begin;
    std::size_t m_size;
    std::size_t m_at = 0;
    bool m_ok = true;
};

}  // namespace ql
