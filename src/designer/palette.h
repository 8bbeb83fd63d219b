#pragma once
// The colours the screen designer paints with, as palette indices of its raster. The view turns
// them into screen colours when it copies the raster.

#include <cstdint>

namespace panolcd {

enum class Colour : std::uint8_t {
    White,
    Black,
    Red,
    Yellow,
    Green,
    DarkGreen,
    Cyan,
    Blue,
    Silver,
    Grey,
    Magenta,
    Count
};

struct Rgb {
    std::uint8_t r = 0, g = 0, b = 0;
};

Rgb RgbOf(Colour colour);

constexpr std::uint8_t Index(Colour colour) {
    return static_cast<std::uint8_t>(colour);
}

} // namespace panolcd
