#include "core/text/XmlText.h"

#include <gtest/gtest.h>

#include <string>

namespace ql {
namespace {

TEST(XmlText, KeepsValidTextAndMendsWhatXmlCannotHold) {
    const std::string replacement = "\xEF\xBF\xBD";  // U+FFFD
    const struct {
        const char* name;
        std::string in, out;
    } cases[] = {
        {"plain", "Müller & Söhne <GmbH>", "Müller & Söhne <GmbH>"},
        {"four-byte character", "Café 🎨", "Café 🎨"},
        {"tab and line feed kept", "a\tb\nc", "a\tb\nc"},
        {"CR LF to one line feed", "a\r\nb", "a\nb"},
        {"lone CR to a line feed", "a\rb\r", "a\nb\n"},
        {"CR CR LF", "a\r\r\nb", "a\n\nb"},
        {"control characters to spaces", std::string("a\x01") + '\0' + "b\x1F\x7F", "a  b  "},
        {"Windows-1252 byte", "M\xFCller", "M" + replacement + "ller"},
        {"continuation byte alone", "a\x80z", "a" + replacement + "z"},
        {"sequence cut at the end", "ab\xE2\x82", "ab" + replacement + replacement},
        {"overlong slash", "\xC0\xAF", replacement + replacement},
        {"overlong three bytes", "\xE0\x80\xAF", replacement + replacement + replacement},
        // A forbidden character is mended byte by byte, as a stray byte is.
        {"surrogate", "\xED\xA0\x80", replacement + replacement + replacement},
        {"U+FFFE", "\xEF\xBF\xBE", replacement + replacement + replacement},
        {"U+FFFF after a letter", "a\xEF\xBF\xBF", "a" + replacement + replacement + replacement},
        {"beyond U+10FFFF", "\xF4\x90\x80\x80", replacement + replacement + replacement + replacement},
        {"largest code point kept", "\xF4\x8F\xBF\xBF", "\xF4\x8F\xBF\xBF"},
        {"lead byte F5", "\xF5\x80\x80\x80", replacement + replacement + replacement + replacement},
    };
    for (const auto& c : cases) EXPECT_EQ(xmlText(c.in), c.out) << c.name;
}

TEST(XmlText, BlankIsWhatHoldsNothingButWhiteSpaceOnceWritten) {
    const struct {
        std::string text;
        bool blank;
    } cases[] = {
        {"", true},        {" \t\n", true},  {"\r\n", true}, {std::string("\x01\x1F", 2), true},
        {"a", false},      {" a ", false},   {"\x80", false},  // U+FFFD is a character
        {"\xC2\xA0", false},                                    // no-break space is not XML white space
    };
    for (const auto& c : cases) EXPECT_EQ(isBlankXmlText(c.text), c.blank) << '"' << c.text << '"';
}

}  // namespace
}  // namespace ql
