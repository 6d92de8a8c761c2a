#include "core/tracking/Charges.h"

#include "core/text/NumberText.h"

namespace ql {

std::string durationText(std::int64_t minutes) {
    // Magnitude as unsigned so the most negative count does not overflow.
    const std::uint64_t magnitude = minutes < 0 ? 0 - static_cast<std::uint64_t>(minutes) : static_cast<std::uint64_t>(minutes);
    const auto hours = static_cast<std::int64_t>(magnitude / 60);
    const auto rest = static_cast<std::int64_t>(magnitude % 60);
    return (minutes < 0 ? "-" : "") + zeroPaddedText(hours, 2) + ":" + zeroPaddedText(rest, 2);
}

std::string amountText(const std::string& monetarySymbol, double amount) {
    return monetarySymbol + fixed2Text(amount);
}

}  // namespace ql
