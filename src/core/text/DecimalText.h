#pragma once

#include <string>

namespace ql {

// value written as printf's "%.<decimals>f" does in the "C" locale (point as the decimal
// separator, no grouping), whatever locale the process runs under: 6.0 and 2 give "6.00".
std::string decimalText(double value, int decimals = 2);

}  // namespace ql
