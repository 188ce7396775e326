#pragma once

#include "tools/artwork/Canvas.h"

#include <string>

namespace artwork {

// Writes an 8-bit RGB PNG, each pixel repeated into a zoom x zoom block. No time stamp or
// other varying chunk, so the same picture gives the same file.
bool writePng(const std::string& path, const Canvas& canvas, int zoom = 1);

} // namespace artwork
