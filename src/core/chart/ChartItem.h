#pragma once

#include <cstdint>
#include <string>

namespace ql {

// A colour as 8-bit red, green and blue.
struct Rgb {
    std::uint8_t r = 0;
    std::uint8_t g = 0;
    std::uint8_t b = 0;

    bool operator==(const Rgb&) const = default;
};

// One bar of the week chart: a time frame of the loaded week.
struct ChartItem {
    std::string name;            // the project's name, "(deleted project N)" for a deleted one,
                                 // "" when the projects file cannot be read
    std::int32_t projectId = -1; // kept so that editing and deleting act on this very frame
    std::int32_t start = 0;      // the frame's start and end, as stored
    std::int32_t end = 0;
    Rgb colour;                  // fill colour of the bar

    bool operator==(const ChartItem&) const = default;
};

}  // namespace ql
