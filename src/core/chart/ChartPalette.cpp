#include "core/chart/ChartPalette.h"

#include <array>

namespace ql {

namespace {

constexpr std::array<Rgb, ChartPalette::kFixedColours> kFixed{{
    {255, 0, 0}, {0, 255, 0}, {0, 0, 255}, {192, 192, 192}, {128, 128, 128}, {255, 255, 0},
    {0, 255, 255}, {255, 0, 255}, {255, 255, 128}, {0, 255, 128}, {255, 0, 128}, {0, 0, 0},
}};

}  // namespace

ChartPalette::ChartPalette(std::uint32_t seed) : m_seed(seed), m_random(seed) {}

Rgb ChartPalette::fixedColour(int counter) { return kFixed.at(static_cast<std::size_t>(counter)); }

Rgb ChartPalette::colourFor(const std::string& name) {
    const auto it = m_byName.find(name);
    if (it != m_byName.end()) return it->second;
    const Rgb colour = nextColour();
    m_byName.emplace(name, colour);
    return colour;
}

const Rgb* ChartPalette::find(const std::string& name) const {
    const auto it = m_byName.find(name);
    return it == m_byName.end() ? nullptr : &it->second;
}

void ChartPalette::reset() {
    m_byName.clear();
    m_counter = 0;
    m_random.seed(m_seed);
}

Rgb ChartPalette::nextColour() {
    const int n = m_counter++;
    if (n < kFixedColours) return kFixed[static_cast<std::size_t>(n)];
    // Each channel is a number in 0..32767 divided by 128, drawn red, green, blue in turn.
    auto channel = [this] { return static_cast<std::uint8_t>((m_random() >> 17) / 128); };
    const std::uint8_t r = channel();
    const std::uint8_t g = channel();
    const std::uint8_t b = channel();
    return {r, g, b};
}

}  // namespace ql
