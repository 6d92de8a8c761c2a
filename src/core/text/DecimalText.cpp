#include "core/text/DecimalText.h"

#include <charconv>
#include <cmath>
#include <system_error>

namespace ql {

std::string decimalText(double value, int decimals) {
    // to_chars never looks at the locale; it rounds exactly as printf in the "C" locale.
    if (std::isnan(value)) return std::signbit(value) ? "-nan" : "nan";
    if (std::isinf(value)) return value < 0 ? "-inf" : "inf";
    char buffer[400];
    const auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, decimals);
    if (ec != std::errc()) return {};
    return std::string(buffer, end);
}

}  // namespace ql
