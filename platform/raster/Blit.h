// Block transfers between contexts with the ternary raster operations, converting between colour
// and one-bit pixels on the way.
#pragma once

#include "platform/raster/DeviceContext.h"

namespace platform::raster {

// True when the operation reads the source or the pattern.
bool ropUsesSource(DWORD rop);
bool ropUsesPattern(DWORD rop);

// dst may equal src; source may be null when the operation does not read it.
bool blit(DeviceContext& destination, int x, int y, int width, int height, DeviceContext* source,
          int xSource, int ySource, DWORD rop);

} // namespace platform::raster
