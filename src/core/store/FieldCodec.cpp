#include "core/store/FieldCodec.h"

#include <bit>
#include <cstring>
#include <limits>

namespace ql::codec {

static_assert(sizeof(double) == 8 && std::numeric_limits<double>::is_iec559, "IEEE 754 doubles are required");

namespace {

// Length of the well-formed UTF-8 sequence starting at s[i], or 0 when it is malformed.
std::size_t sequenceLength(std::string_view s, std::size_t i) {
    const auto c = static_cast<unsigned char>(s[i]);
    std::size_t len = 0;
    unsigned char lo = 0x80, hi = 0xBF;
    if (c < 0x80) return 1;
    if (c >= 0xC2 && c <= 0xDF) len = 2;
    else if (c == 0xE0) { len = 3; lo = 0xA0; }
    else if (c >= 0xE1 && c <= 0xEC) len = 3;
    else if (c == 0xED) { len = 3; hi = 0x9F; }
    else if (c >= 0xEE && c <= 0xEF) len = 3;
    else if (c == 0xF0) { len = 4; lo = 0x90; }
    else if (c >= 0xF1 && c <= 0xF3) len = 4;
    else if (c == 0xF4) { len = 4; hi = 0x8F; }
    else return 0;
    if (i + len > s.size()) return 0;
    for (std::size_t k = 1; k < len; ++k) {
        const auto b = static_cast<unsigned char>(s[i + k]);
        const unsigned char min = k == 1 ? lo : 0x80, max = k == 1 ? hi : 0xBF;
        if (b < min || b > max) return 0;
    }
    return len;
}

void appendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

// Windows-1252 code points for 0x80..0x9F; the five unassigned bytes map to their C1 control.
constexpr char32_t kCp1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

}  // namespace

bool isValidUtf8(std::string_view text) {
    for (std::size_t i = 0; i < text.size();) {
        const std::size_t len = sequenceLength(text, i);
        if (len == 0) return false;
        i += len;
    }
    return true;
}

std::string_view utf8Prefix(std::string_view text, std::size_t maxBytes) {
    std::size_t end = 0;
    while (end < text.size()) {
        std::size_t len = sequenceLength(text, end);
        if (len == 0) len = 1;  // a stray byte is its own unit; never split what follows
        if (end + len > maxBytes) break;
        end += len;
    }
    return text.substr(0, end);
}

std::string windows1252ToUtf8(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size() * 2);
    for (const char ch : bytes) {
        const auto c = static_cast<unsigned char>(ch);
        if (c < 0x80) out += ch;
        else if (c < 0xA0) appendUtf8(out, kCp1252High[c - 0x80]);
        else appendUtf8(out, c);
    }
    return out;
}

std::optional<std::string> utf8ToWindows1252(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size());
    for (std::size_t i = 0; i < utf8.size();) {
        const std::size_t len = sequenceLength(utf8, i);
        if (len == 0) return std::nullopt;
        const auto b0 = static_cast<unsigned char>(utf8[i]);
        char32_t cp = b0;
        if (len == 2) cp = ((b0 & 0x1Fu) << 6) | (static_cast<unsigned char>(utf8[i + 1]) & 0x3Fu);
        else if (len == 3)
            cp = ((b0 & 0x0Fu) << 12) | ((static_cast<unsigned char>(utf8[i + 1]) & 0x3Fu) << 6) |
                 (static_cast<unsigned char>(utf8[i + 2]) & 0x3Fu);
        else if (len == 4)
            return std::nullopt;
        i += len;
        if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) {
            out += static_cast<char>(cp);
            continue;
        }
        bool found = false;
        for (std::size_t k = 0; k < 32; ++k) {
            if (kCp1252High[k] == cp) {
                out += static_cast<char>(0x80 + k);
                found = true;
                break;
            }
        }
        if (!found) return std::nullopt;
    }
    return out;
}

std::optional<std::size_t> storedTextSize(std::string_view utf8, std::size_t maxBytes) {
    if (utf8.size() <= maxBytes) return utf8.size();
    const auto eightBit = utf8ToWindows1252(utf8);
    // An 8-bit form that happens to be well-formed UTF-8 would read back as other text.
    if (eightBit && eightBit->size() <= maxBytes && !isValidUtf8(*eightBit)) return eightBit->size();
    return std::nullopt;
}

void putText(unsigned char* record, std::size_t offset, std::size_t width, std::string_view text) {
    // A NUL inside the text would end it early on reading; store only what precedes it.
    text = text.substr(0, text.find('\0'));
    std::string eightBit;
    std::string_view kept = text;
    if (text.size() > width - 1) {
        if (storedTextSize(text, width - 1)) {
            eightBit = *utf8ToWindows1252(text);
            kept = eightBit;
        } else {
            kept = utf8Prefix(text, width - 1);
        }
    }
    std::memcpy(record + offset, kept.data(), kept.size());
    std::memset(record + offset + kept.size(), 0, width - kept.size());
}

void putTextOver(unsigned char* record, std::size_t offset, std::size_t width, std::string_view text) {
    if (getText(record, offset, width) != text) putText(record, offset, width, text);
}

std::string getText(const unsigned char* record, std::size_t offset, std::size_t width) {
    const char* begin = reinterpret_cast<const char*>(record + offset);
    const void* nul = std::memchr(begin, 0, width);
    const std::size_t len = nul ? static_cast<std::size_t>(static_cast<const char*>(nul) - begin) : width;
    const std::string_view raw(begin, len);
    return isValidUtf8(raw) ? std::string(raw) : windows1252ToUtf8(raw);
}

}  // namespace ql::codec
