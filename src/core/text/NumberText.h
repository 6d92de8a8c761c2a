#pragma once

#include <string_view>

namespace ql {

// The number that the longest numeric prefix of text forms, after leading blanks: an
// optional sign, digits with at most one decimal point, an optional exponent. Always read
// with "." as the decimal point, whatever the locale ("12,50" gives 12.0). 0.0 when there is
// no such prefix or the number does not fit a double; no error is reported.
double leadingDouble(std::string_view text);

}  // namespace ql
