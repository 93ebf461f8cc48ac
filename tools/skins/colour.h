// A straight-alpha colour of 8-bit channels, as colors.txt lists them.
#pragma once

#include <cstdint>

struct Colour {
    std::uint8_t r = 0, g = 0, b = 0, a = 255;

    // The same colour with another opacity, 0..1.
    Colour alpha(double opacity) const { return {r, g, b, static_cast<std::uint8_t>(opacity * 255.0 + 0.5)}; }

    // t of the way from this colour to other, alpha included.
    Colour mix(Colour other, double t) const
    {
        auto lerp = [t](std::uint8_t from, std::uint8_t to) {
            return static_cast<std::uint8_t>(from + (to - from) * t + 0.5);
        };
        return {lerp(r, other.r), lerp(g, other.g), lerp(b, other.b), lerp(a, other.a)};
    }
};

// 0xRRGGBB, opaque.
constexpr Colour rgb(std::uint32_t hex)
{
    return {static_cast<std::uint8_t>(hex >> 16), static_cast<std::uint8_t>(hex >> 8), static_cast<std::uint8_t>(hex),
            255};
}
