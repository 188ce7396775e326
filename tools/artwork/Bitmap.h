#pragma once

#include "tools/artwork/Canvas.h"

#include <cstdint>
#include <string>
#include <vector>

namespace artwork {

// Windows device-independent bitmap files: BITMAPFILEHEADER, BITMAPINFOHEADER, uncompressed
// (BI_RGB), rows bottom-up and padded to four bytes.

// 24 bits per pixel.
std::vector<std::uint8_t> encodeBmp24(const Canvas& canvas);

// 8 bits per pixel with a 256-entry palette of the picture's own colours, sorted, unused
// entries black. Empty when the picture has more than 256 colours.
std::vector<std::uint8_t> encodeBmp8(const Canvas& canvas);

bool writeFile(const std::string& path, const std::vector<std::uint8_t>& bytes);

} // namespace artwork
