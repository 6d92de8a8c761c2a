#include "core/text/NumberText.h"

#include <array>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstring>
#include <limits>
#include <system_error>

namespace ql {
namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }

bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f'; }

std::size_t skipBlanks(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && isBlank(text[i])) ++i;
    return i;
}

}  // namespace

char* putIntegerText(char* p, std::int64_t value) {
    std::uint64_t magnitude = static_cast<std::uint64_t>(value);
    if (value < 0) {
        *p++ = '-';
        magnitude = 0 - magnitude;  // also right for the lowest value, which has no positive twin
    }
    // The length first, then the digits backwards from the end, two at a time: no copy. The
    // bit length gives the number of digits (log10 2 is about 1233 / 4096) but for one
    // comparison.
    constexpr auto kPowers = [] {
        std::array<std::uint64_t, 20> powers{};
        powers[0] = 1;
        for (std::size_t i = 1; i < powers.size(); ++i) powers[i] = powers[i - 1] * 10;
        return powers;
    }();
    const std::uint64_t odd = magnitude | 1;  // as many digits, and one digit for zero
    const auto guess = static_cast<std::size_t>(std::bit_width(odd) * 1233 >> 12);
    const std::size_t length = guess + (odd >= kPowers[guess] ? 1 : 0);
    char* const end = p + length;
    char* q = end;
    // Most values (times, counts) fit 32 bits, whose division by 100 is the cheaper one.
    for (; magnitude > 0xffffffffu; magnitude /= 100)
        q = putTwoDigitText(q - 2, static_cast<unsigned>(magnitude % 100)) - 2;
    auto low = static_cast<std::uint32_t>(magnitude);
    for (; low >= 100; low /= 100) q = putTwoDigitText(q - 2, low % 100) - 2;
    if (low >= 10)
        putTwoDigitText(q - 2, low);
    else
        q[-1] = static_cast<char>('0' + low);
    return end;
}

std::string fixed2Text(double value) {
    // The largest double has 309 integer digits.
    char buffer[400];
    // to_chars with a precision is defined as printf in the C locale, whatever the process locale.
    const auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, 2);
    if (ec != std::errc()) return {};
    return std::string(buffer, end);
}

std::string shortestDecimalText(double value) {
    if (!std::isfinite(value) || value == 0.0) return "0";
    std::array<char, 400> buffer{};
    const auto [end, ec] = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value, std::chars_format::fixed);
    if (ec != std::errc()) return "0";
    return std::string(buffer.data(), end);
}

std::string centsText(std::int64_t cents) {
    // Unsigned, so that the magnitude of the most negative count is still representable.
    const std::uint64_t magnitude =
        cents < 0 ? std::uint64_t{0} - static_cast<std::uint64_t>(cents) : static_cast<std::uint64_t>(cents);
    const std::uint64_t fraction = magnitude % 100;
    std::string text;
    if (cents < 0) text += '-';
    text += std::to_string(magnitude / 100);
    text += '.';
    text += static_cast<char>('0' + fraction / 10);
    text += static_cast<char>('0' + fraction % 10);
    return text;
}

std::string integerText(std::int64_t value) {
    char buffer[24];
    const auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, value);
    (void)ec;
    return std::string(buffer, end);
}

void appendIntegerText(std::string& out, std::int64_t value) {
    char buffer[kIntegerTextRoom];
    out.append(buffer, static_cast<std::size_t>(putIntegerText(buffer, value) - buffer));
}

std::string zeroPaddedText(std::int64_t value, int digits) {
    std::string text = integerText(value);
    const std::size_t signWidth = value < 0 ? 1 : 0;
    const std::size_t wanted = digits > 0 ? static_cast<std::size_t>(digits) : 0;
    if (text.size() - signWidth < wanted) text.insert(signWidth, wanted - (text.size() - signWidth), '0');
    return text;
}

std::string hexText(std::uint64_t value, int digits) {
    char buffer[24];
    const auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, value, 16);
    (void)ec;
    std::string text(buffer, end);
    if (digits > 0 && text.size() < static_cast<std::size_t>(digits))
        text.insert(0, static_cast<std::size_t>(digits) - text.size(), '0');
    return text;
}

double leadingDouble(std::string_view text) {
    std::size_t i = skipBlanks(text);
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    const std::string_view rest = text.substr(i);
    // from_chars would also take "inf" and "nan", which are no amounts.
    const bool startsNumber = !rest.empty() && (isDigit(rest[0]) || (rest[0] == '.' && rest.size() > 1 && isDigit(rest[1])));
    if (!startsNumber) return 0.0;
    double value = 0.0;
    const auto [end, ec] = std::from_chars(rest.data(), rest.data() + rest.size(), value, std::chars_format::general);
    (void)end;
    if (ec != std::errc() || !std::isfinite(value)) return 0.0;
    return negative ? -value : value;
}

double typedDecimal(std::string_view text) {
    const std::size_t comma = text.find(',');
    if (comma == std::string_view::npos || text.find('.') != std::string_view::npos) return leadingDouble(text);
    std::string pointed(text);
    pointed[comma] = '.';
    return leadingDouble(pointed);
}

std::int64_t leadingLong(std::string_view text) {
    std::size_t i = skipBlanks(text);
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    // Accumulated as a negative number, whose range reaches one further than the positive one.
    constexpr std::int64_t kMin = std::numeric_limits<std::int64_t>::min();
    std::int64_t value = 0;
    bool saturated = false;
    for (; i < text.size() && isDigit(text[i]); ++i) {
        const int digit = text[i] - '0';
        if (value < (kMin + digit) / 10) {
            saturated = true;
            continue;
        }
        value = value * 10 - digit;
    }
    if (negative) return saturated ? kMin : value;
    if (saturated || value == kMin) return std::numeric_limits<std::int64_t>::max();
    return -value;
}

}  // namespace ql
