#include "core/text/XmlText.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>

namespace ql {
namespace {

void appendUtf8(std::string& out, std::uint32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

}  // namespace

std::string xmlText(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    for (std::size_t i = 0; i < text.size();) {
        const unsigned char c = byte(i);
        if (c < 0x80) {
            if (c == '\r') {
                out += '\n';
                i += (i + 1 < text.size() && text[i + 1] == '\n') ? 2 : 1;
                continue;
            }
            out += (c < 0x20 && c != '\t' && c != '\n') || c == 0x7F ? ' ' : static_cast<char>(c);
            ++i;
            continue;
        }
        const std::size_t length = c >= 0xF0 ? 4 : c >= 0xE0 ? 3 : c >= 0xC0 ? 2 : 0;
        std::uint32_t cp = length == 4 ? c & 0x07u : length == 3 ? c & 0x0Fu : c & 0x1Fu;
        bool valid = length > 0 && c <= 0xF4 && i + length <= text.size();
        for (std::size_t k = 1; valid && k < length; ++k) {
            valid = (byte(i + k) & 0xC0) == 0x80;
            cp = (cp << 6) | (byte(i + k) & 0x3Fu);
        }
        const std::uint32_t least = length == 4 ? 0x10000 : length == 3 ? 0x800 : 0x80;
        valid = valid && cp >= least && cp <= 0x10FFFF && !(cp >= 0xD800 && cp <= 0xDFFF) && cp != 0xFFFE &&
                cp != 0xFFFF;
        appendUtf8(out, valid ? cp : 0xFFFD);
        i += valid ? length : 1;
    }
    return out;
}

bool isBlankXmlText(std::string_view text) {
    const std::string written = xmlText(text);
    return std::all_of(written.begin(), written.end(), [](char c) { return c == ' ' || c == '\t' || c == '\n'; });
}

}  // namespace ql
