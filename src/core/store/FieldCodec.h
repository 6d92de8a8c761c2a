#pragma once

#include <array>
#include <bit>
#include <cmath>
#include <cstddef>
#include <cstring>
#include <utility>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

static_assert(sizeof(double) == 8, "IEEE 754 doubles are required");

// Field-level encoding shared by every record codec: little-endian integers and doubles
// at exact offsets, and NUL-terminated text in fixed-width fields.
namespace ql::codec {

template <std::size_t N>
constexpr std::array<unsigned char, N> byteswapped(std::array<unsigned char, N> bytes) {
    for (std::size_t i = 0; i < N / 2; ++i) std::swap(bytes[i], bytes[N - 1 - i]);
    return bytes;
}

// Little-endian by definition; on a big-endian host the bytes are swapped.
template <typename T>
inline T loadLittleEndian(const unsigned char* p) {
    T v;
    std::memcpy(&v, p, sizeof v);
    if constexpr (std::endian::native == std::endian::big) v = std::bit_cast<T>(byteswapped(std::bit_cast<std::array<unsigned char, sizeof(T)>>(v)));
    return v;
}

template <typename T>
inline void storeLittleEndian(unsigned char* p, T v) {
    if constexpr (std::endian::native == std::endian::big) v = std::bit_cast<T>(byteswapped(std::bit_cast<std::array<unsigned char, sizeof(T)>>(v)));
    std::memcpy(p, &v, sizeof v);
}

// One field of a record layout: what it holds, where it starts and how many bytes it takes.
// Each record's encoder and decoder take their offsets from one table of these.
struct RecordField {
    const char* name;
    std::size_t offset;
    std::size_t width;
    constexpr std::size_t end() const { return offset + width; }
};

inline void putInt32(unsigned char* record, std::size_t offset, std::int32_t value) {
    storeLittleEndian(record + offset, value);
}
inline std::int32_t getInt32(const unsigned char* record, std::size_t offset) {
    return loadLittleEndian<std::int32_t>(record + offset);
}
inline void putDouble(unsigned char* record, std::size_t offset, double value) {
    storeLittleEndian(record + offset, value);
}
inline double getDouble(const unsigned char* record, std::size_t offset) {
    return loadLittleEndian<double>(record + offset);
}
// putDouble, unless the field already holds value (any NaN counting as the same value): then
// it keeps its bytes, so a rewrite leaves an untouched NaN or negative zero byte for byte.
inline void putDoubleOver(unsigned char* record, std::size_t offset, double value) {
    const double held = getDouble(record, offset);
    if (held == value || (std::isnan(held) && std::isnan(value))) return;
    putDouble(record, offset, value);
}

// Writes text as UTF-8 when it fits in width - 1 bytes, else as Windows-1252 when that form
// fits (see storedTextSize), then a NUL, then zeros to the end of the field. A text that fits
// neither is cut at a character boundary: writers refuse such texts first (textFitsField).
void putText(unsigned char* record, std::size_t offset, std::size_t width, std::string_view text);

// putText, unless the field already reads as text: then it keeps its bytes as they are (an
// 8-bit form, bytes after the NUL), so a rewrite leaves untouched texts byte for byte.
void putTextOver(unsigned char* record, std::size_t offset, std::size_t width, std::string_view text);

// Reads up to the first NUL or the end of the field, never beyond. A field that is not
// valid UTF-8 is taken as Windows-1252, as written by older 8-bit installations.
std::string getText(const unsigned char* record, std::size_t offset, std::size_t width);

// The longest prefix of text that is at most maxBytes long and ends on a UTF-8 character boundary.
std::string_view utf8Prefix(std::string_view text, std::size_t maxBytes);

// True when text is well-formed UTF-8.
bool isValidUtf8(std::string_view text);

// Converts Windows-1252 bytes to UTF-8.
std::string windows1252ToUtf8(std::string_view bytes);

// Converts well-formed UTF-8 to Windows-1252; nullopt when a character has no 8-bit form
// (or the text is not well-formed UTF-8).
std::optional<std::string> utf8ToWindows1252(std::string_view utf8);

// The bytes a typed text (UTF-8) takes in a record field: its UTF-8 length, or its
// Windows-1252 length when only that form fits in maxBytes; nullopt when neither fits.
// Edits use it to refuse input at typing time instead of cutting it on OK.
std::optional<std::size_t> storedTextSize(std::string_view utf8, std::size_t maxBytes);

// True when text can be stored in a field of width bytes (width - 1 bytes and the NUL)
// without cutting, as UTF-8 or else as Windows-1252.
inline bool textFitsField(std::string_view utf8, std::size_t width) {
    return width > 0 && storedTextSize(utf8, width - 1).has_value();
}

}  // namespace ql::codec
