#include "platform/raster/Surface.h"

#include <algorithm>

namespace platform::raster {

Surface::Surface(int w, int h, int bpp, std::uint32_t fill)
    : width(std::max(w, 0)), height(std::max(h, 0)), bitsPerPixel(bpp),
      pixels(std::size_t(width) * std::size_t(height), fill) {}

void Surface::resize(int newWidth, int newHeight, std::uint32_t fill) {
    newWidth = std::max(newWidth, 0);
    newHeight = std::max(newHeight, 0);
    std::vector<std::uint32_t> next(std::size_t(newWidth) * std::size_t(newHeight), fill);
    const int w = std::min(width, newWidth), h = std::min(height, newHeight);
    for (int y = 0; y < h; ++y) {
        std::copy_n(row(y), w, next.data() + std::size_t(y) * std::size_t(newWidth));
    }
    pixels.swap(next);
    width = newWidth;
    height = newHeight;
}

} // namespace platform::raster
