// A pixel buffer: 32-bit colour (0x00RRGGBB) or one bit per pixel. One-bit pixels are kept one
// word each, 0 or 0xFFFFFF, so that the bitwise raster operations treat both kinds alike.
#pragma once

#include "platform/api/Types.h"

#include <cstdint>
#include <vector>

namespace platform::raster {

constexpr std::uint32_t monoZero = 0x000000;
constexpr std::uint32_t monoOne = 0xFFFFFF;
constexpr std::uint32_t pixelMask = 0xFFFFFF;

inline std::uint32_t pixelFromColor(COLORREF color) {
    return ((color & 0xFF) << 16) | (color & 0xFF00) | ((color >> 16) & 0xFF);
}

inline COLORREF colorFromPixel(std::uint32_t pixel) {
    return ((pixel & 0xFF) << 16) | (pixel & 0xFF00) | ((pixel >> 16) & 0xFF);
}

// The one-bit value that a colour becomes when drawn on a monochrome surface: the nearer of
// black and white.
inline std::uint32_t monoFromColor(COLORREF color) {
    const int r = GetRValue(color), g = GetGValue(color), b = GetBValue(color);
    const int toBlack = r * r + g * g + b * b;
    const int toWhite = (255 - r) * (255 - r) + (255 - g) * (255 - g) + (255 - b) * (255 - b);
    return toWhite < toBlack ? monoOne : monoZero;
}

struct Surface {
    int width = 0;
    int height = 0;
    int bitsPerPixel = 32;
    std::vector<std::uint32_t> pixels;

    Surface() = default;
    Surface(int width, int height, int bitsPerPixel, std::uint32_t fill = 0);

    bool mono() const { return bitsPerPixel == 1; }
    std::uint32_t* row(int y) { return pixels.data() + std::size_t(y) * std::size_t(width); }
    const std::uint32_t* row(int y) const {
        return pixels.data() + std::size_t(y) * std::size_t(width);
    }
    // The device value of a colour on this surface.
    std::uint32_t deviceValue(COLORREF color) const {
        return mono() ? monoFromColor(color) : pixelFromColor(color);
    }
    // Resizes, keeping the pixels that stay inside and filling new ones.
    void resize(int newWidth, int newHeight, std::uint32_t fill);
};

} // namespace platform::raster
