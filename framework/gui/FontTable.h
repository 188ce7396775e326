// The seven fonts a draw context can select, by id.
#pragma once

#include <cstdint>

inline constexpr std::int32_t fontBold = 0;
inline constexpr std::int32_t fontLarge = 1;
inline constexpr std::int32_t fontMedium = 2;
inline constexpr std::int32_t fontNormal = 3;
inline constexpr std::int32_t fontSmall = 4;
inline constexpr std::int32_t fontTiny = 5;
inline constexpr std::int32_t fontSymbol = 6;
inline constexpr std::int32_t fontCount = 7;

struct FontDescription {
    const char* face;
    std::int32_t size; // character height in pixels
    std::int32_t weight;
    std::uint8_t pitchAndFamily;
};

// The font to create for an id and a size: ids outside the table mean fontBold, and a size
// of 0 means the font's own size.
FontDescription lookupFont(std::int32_t id, std::int32_t size);
