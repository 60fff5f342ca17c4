#pragma once

// Colours as 0x00BBGGRR and the named colours of the scene.

#include <cstdint>

namespace lumaro {

// A colour as the window system stores it: 0x00BBGGRR, red in the low byte.
using Color = std::uint32_t;
// The bits a colour uses; the top byte of a Color is ignored wherever it is drawn or written.
constexpr Color kColorMask = 0xFFFFFF;

constexpr Color Rgb(int r, int g, int b)
{
    return static_cast<Color>(r) | (static_cast<Color>(g) << 8) | (static_cast<Color>(b) << 16);
}

constexpr Color clBlack = 0x000000;
constexpr Color clWhite = 0xFFFFFF;
constexpr Color clRed = 0x0000FF;
constexpr Color clYellow = 0x00FFFF;
constexpr Color clGreen = 0x008000;
constexpr Color clGray = 0x808080;
constexpr Color clMedGray = 0xA4A0A0;
constexpr Color clSkyBlue = 0xF0CAA6;
constexpr Color clLampGreen = Rgb(144, 238, 144);
constexpr Color clNightBlue = Rgb(0, 0, 139);
constexpr Color clWindowText = clBlack;

} // namespace lumaro
