// An RGB colour with an alpha byte that is carried along but never drawn, and the toolkit's
// named colours.
#pragma once

#include <cstdint>

struct Color {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;
    std::uint8_t alpha = 0;

    // Alpha takes no part: two colours that look the same are the same colour.
    constexpr bool operator!=(const Color& other) const {
        return red != other.red || green != other.green || blue != other.blue;
    }
    constexpr bool operator==(const Color& other) const { return !(*this != other); }
};

// The colour as the operating system takes it: red + green * 256 + blue * 65536.
constexpr std::uint32_t systemColor(Color color) {
    return std::uint32_t(color.red) | (std::uint32_t(color.green) << 8) |
           (std::uint32_t(color.blue) << 16);
}

// The key colour of masked bitmap drawing. It has the value of colorWhite; code that means
// "leave these pixels out" names this one.
inline constexpr Color colorTransparent{255, 255, 255, 0};
inline constexpr Color colorBlack{0, 0, 0, 0};
inline constexpr Color colorWhite{255, 255, 255, 0};
inline constexpr Color colorGrey{127, 127, 127, 0};
inline constexpr Color colorRed{255, 0, 0, 0};
inline constexpr Color colorGreen{0, 255, 0, 0};
inline constexpr Color colorBlue{0, 0, 255, 0};
inline constexpr Color colorYellow{255, 255, 0, 0};
inline constexpr Color colorMagenta{255, 0, 255, 0};
inline constexpr Color colorCyan{0, 255, 255, 0};
