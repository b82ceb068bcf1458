#pragma once
#include <cstdint>

// A 32-bit RGBA colour whose bytes in memory order are red, green, blue,
// alpha: read as a little-endian integer, 0xFF0000FF is opaque red.
// Compared as a whole word, exactly like a decoded pixel.
struct Color {
    uint32_t value = 0;

    constexpr Color() = default;
    constexpr explicit Color(uint32_t v) : value(v) {}
    static constexpr Color FromBytes(uint8_t r, uint8_t g, uint8_t b, uint8_t a) {
        return Color(uint32_t(r) | uint32_t(g) << 8 | uint32_t(b) << 16 | uint32_t(a) << 24);
    }
    constexpr uint8_t R() const { return uint8_t(value); }
    constexpr uint8_t G() const { return uint8_t(value >> 8); }
    constexpr uint8_t B() const { return uint8_t(value >> 16); }
    constexpr uint8_t A() const { return uint8_t(value >> 24); }
    constexpr bool operator==(Color o) const { return value == o.value; }
    constexpr bool operator!=(Color o) const { return value != o.value; }
};

namespace Colors {
constexpr Color White{0xFFFFFFFFu};
constexpr Color Black{0xFF000000u};
constexpr Color Red{0xFF0000FFu};
constexpr Color Magenta{0xFFFF00FFu};
constexpr Color Yellow{0xFF00FFFFu};
constexpr Color Blue{0xFFFF0000u};
}
