#include "core/text/NumberText.h"

#include <charconv>
#include <cmath>
#include <system_error>

namespace ql {
namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }

}  // namespace

double leadingDouble(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t' || text[i] == '\n' || text[i] == '\r' ||
                               text[i] == '\v' || text[i] == '\f'))
        ++i;
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

}  // namespace ql
