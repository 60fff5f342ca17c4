#pragma once

// The lights lit in one paint, collected while the elements draw them: where each stands, its
// colour and whether it blinks. Accessible descriptions, colour letters and blink markers read
// this list; none of them looks at the canvas's pixels.

#include "render/color.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

namespace lumaro {

// The four lamp colours, by their short German names.
enum class LampColor : std::uint8_t { Red, Yellow, Green, White };

// "rt", "ge", "gn", "ws".
const char* LampColorLetters(LampColor color);
// "rot", "gelb", "grün", "weiß".
const char* LampColorWord(LampColor color);
// The class of a drawing colour; false for a colour no lamp has.
bool LampColorOf(Color color, LampColor& out);

enum class LightKind : std::uint8_t {
    Lamp,     // one round lamp
    Figure,   // a figure of light points or strokes read as one sign: digits, Zs 1, Zs 6, Zs 13
};

// The signal column an element stands in (50, 150, ... 950): some screens stand a little left of
// their column's mast.
constexpr std::int32_t ColumnOf(std::int32_t x)
{
    return x < 0 ? 50 : x / 100 * 100 + 50;
}

struct LitLight {
    std::int32_t column = 0;
    // Canvas pixels covered, right and bottom exclusive.
    std::int32_t left = 0, top = 0, right = 0, bottom = 0;
    LampColor color = LampColor::White;
    LightKind kind = LightKind::Lamp;
    // Burns in one blink phase and is dark in the other.
    bool blinking = false;
    // Burns in this paint: false only for a blinking light in its dark phase.
    bool burning = true;
};

// A fixed-capacity list, cleared at the start of every paint: collecting allocates nothing.
class LightList {
public:
    // More than any system lights at once (the busiest paint lights fewer than 40).
    static constexpr std::size_t kCapacity = 96;

    void Clear()
    {
        m_size = 0;
        m_overflowed = false;
    }

    // Two rows that light the same lamp make one entry; it blinks only if neither row alone
    // would keep it burning in both phases.
    void Add(const LitLight& light);

    std::span<const LitLight> Lights() const { return {m_lights.data(), m_size}; }
    // Set when a paint lit more than kCapacity lights; the rest were not kept.
    bool Overflowed() const { return m_overflowed; }

private:
    std::array<LitLight, kCapacity> m_lights {};
    std::size_t m_size = 0;
    bool m_overflowed = false;
};

} // namespace lumaro
