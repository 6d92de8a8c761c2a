#pragma once

#include "core/chart/ChartItem.h"

#include <cstdint>
#include <random>
#include <string>
#include <unordered_map>

namespace ql {

// Hands out bar colours by project name: the twelve fixed colours to the first twelve
// distinct names, then random colours from a generator seeded at construction and at
// every reset, so the same items always get the same colours.
class ChartPalette {
public:
    static constexpr std::uint32_t kDefaultSeed = 1996;

    explicit ChartPalette(std::uint32_t seed = kDefaultSeed);

    // The colour of name: the one it got first, else the next colour (counting it).
    Rgb colourFor(const std::string& name);
    // The colour name got, if it got one.
    const Rgb* find(const std::string& name) const;
    // Colours handed out since construction or the last reset.
    int counter() const { return m_counter; }
    // Forgets every name, sets the counter to 0 and reseeds the generator.
    void reset();

    // The fixed colour number counter (0..11).
    static Rgb fixedColour(int counter);
    static constexpr int kFixedColours = 12;

private:
    Rgb nextColour();

    std::uint32_t m_seed;
    std::mt19937 m_random;
    int m_counter = 0;
    std::unordered_map<std::string, Rgb> m_byName;
};

}  // namespace ql
