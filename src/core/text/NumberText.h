#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

// Numbers to text and back, the same bytes under every locale (the GUI process runs with the
// user's LC_NUMERIC, under which printf writes "427,50"). Every specified "%.2f", "%d" and
// "%.2d" text goes through these.
namespace ql {

// "%.2f" in the C locale: two decimals, "." as the point, no grouping, a '-' before negative
// values (also before a negative value that rounds to zero: "-0.00"); "inf" and "nan" as printf.
std::string fixed2Text(double value);

// value in plain decimal notation (no exponent), the shortest text that reads back as the same
// double, the same bytes in every locale: 85.5 -> "85.5", 1e21 -> "1000000000000000000000";
// "0" for zero (either sign), infinities and NaN.
std::string shortestDecimalText(double value);

// A count of cents as a decimal with two places, a '-' before a negative count: 123450 ->
// "1234.50", -105 -> "-1.05"; every int64 value, the most negative too.
std::string centsText(std::int64_t cents);

// "%d" / "%ld": decimal digits with a leading '-' when negative.
std::string integerText(std::int64_t value);
// The same added to the end of out, without a temporary string (for lines written by the million).
void appendIntegerText(std::string& out, std::int64_t value);
// The same written at p, which has room for kIntegerTextRoom characters; returns the end. For
// writers that make a row at a time in a buffer of their own.
inline constexpr std::size_t kIntegerTextRoom = 20;
char* putIntegerText(char* p, std::int64_t value);

namespace detail {
// "00" to "99" one after another: a pair of digits per look-up, no division per digit.
inline constexpr auto kDigitPairs = [] {
    std::array<char, 200> pairs{};
    for (std::size_t n = 0; n < 100; ++n) {
        pairs[2 * n] = static_cast<char>('0' + n / 10);
        pairs[2 * n + 1] = static_cast<char>('0' + n % 10);
    }
    return pairs;
}();
}  // namespace detail

// n (0..99) as two digits at p, "07" for 7; returns the end. Inline: texts of many rows are
// made of these.
inline char* putTwoDigitText(char* p, unsigned n) {
    std::memcpy(p, &detail::kDigitPairs[2 * n], 2);
    return p + 2;
}

// "%.Nd" / "%.Nld" with N = digits: at least that many digits, zeros in front, the sign
// before them (5, 2 -> "05"; 123, 2 -> "123"; -5, 2 -> "-05").
std::string zeroPaddedText(std::int64_t value, int digits);

// "%.Nx" with N = digits: lower-case hexadecimal digits, at least that many, zeros in front
// (255, 2 -> "ff"; 10, 2 -> "0a"; 4096, 2 -> "1000").
std::string hexText(std::uint64_t value, int digits);

// The number that the longest numeric prefix of text forms, after leading blanks: an
// optional sign, digits with at most one decimal point, an optional exponent. Always read
// with "." as the decimal point, whatever the locale ("12,50" gives 12.0). 0.0 when there is
// no such prefix or the number does not fit a double; no error is reported.
double leadingDouble(std::string_view text);

// A rate or an amount as a user types it into a field: leadingDouble, except that in a text
// without a point the first comma is read as the decimal point ("19,5" gives 19.5, as users of
// a decimal comma write it; "1,234.50" stays 1.0: grouping is not read).
double typedDecimal(std::string_view text);

// strtol(text, nullptr, 10): leading blanks, an optional sign, then decimal digits up to the
// first other character; 0 without digits; beyond the 64-bit range the nearest end of it.
std::int64_t leadingLong(std::string_view text);

}  // namespace ql
