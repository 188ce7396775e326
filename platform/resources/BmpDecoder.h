// Reads the pixels of a BMP file: 24 and 32 bits per pixel, and 1, 4 and 8 with a palette;
// rows stored bottom-up or top-down; no compression.
#pragma once

#include "platform/raster/Surface.h"

#include <cstddef>
#include <optional>

namespace platform::resources {

std::optional<raster::Surface> decodeBmp(const unsigned char* data, std::size_t size);

} // namespace platform::resources
