#pragma once

#include <string>
#include <string_view>

// Texts of the records as XML 1.0 may hold them. Records hold what older programs typed (stray
// 8-bit bytes, control characters), and nothing of that may make a written file unreadable.
namespace ql {

// text with every byte that starts no valid UTF-8 character (the bytes of a character XML
// forbids, surrogates, U+FFFE, U+FFFF, one by one) as U+FFFD; other controls as a space; CR LF and a
// lone CR as a line feed; tab and line feed kept. Valid UTF-8 in any case.
std::string xmlText(std::string_view text);

// True when xmlText(text) holds nothing but spaces, tabs and line feeds: read through XPath's
// normalize-space, as the e-invoice rules read names, such a text is no text.
bool isBlankXmlText(std::string_view text);

}  // namespace ql
