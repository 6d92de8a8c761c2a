#include "core/tracking/Charges.h"

#include <cstdio>

namespace ql {

std::string durationText(std::int64_t minutes) {
    const char* sign = minutes < 0 ? "-" : "";
    // Magnitude as unsigned so the most negative count does not overflow.
    const std::uint64_t magnitude = minutes < 0 ? 0 - static_cast<std::uint64_t>(minutes) : static_cast<std::uint64_t>(minutes);
    char buffer[48];
    std::snprintf(buffer, sizeof buffer, "%s%02llu:%02llu", sign, static_cast<unsigned long long>(magnitude / 60),
                  static_cast<unsigned long long>(magnitude % 60));
    return buffer;
}

std::string amountText(const std::string& monetarySymbol, double amount) {
    char buffer[400];
    std::snprintf(buffer, sizeof buffer, "%.2f", amount);
    return monetarySymbol + buffer;
}

}  // namespace ql
