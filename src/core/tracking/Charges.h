#pragma once

#include <cstdint>
#include <string>

// The one rule for worked time and what it costs, used by every panel, report and export.
namespace ql {

// One minute's share of an hourly rate, exactly as every charge has always been computed.
inline constexpr double kHourFractionPerMinute = 0.016666666666666666;

// Whole minutes in a signed second count such as the difference of two times, truncated
// toward zero (59 s -> 0, -61 s -> -1).
constexpr std::int32_t wholeMinutes(std::int64_t seconds) { return static_cast<std::int32_t>(seconds / 60); }

// chargesPerHour x kHourFractionPerMinute x minutes, never rounded.
constexpr double chargeFor(double chargesPerHour, std::int32_t minutes) {
    return chargesPerHour * kHourFractionPerMinute * minutes;
}

// Hours and minutes of a minute count, each with at least two digits, joined by ":"
// (185 -> "03:05", 7380 -> "123:00"). A negative count keeps its sign in front: "-00:01".
std::string durationText(std::int64_t minutes);

// The monetary symbol followed by the amount in "%.2f" form ("$" and 12.345 -> "$12.35").
std::string amountText(const std::string& monetarySymbol, double amount);

}  // namespace ql
