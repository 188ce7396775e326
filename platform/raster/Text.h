// Text output: measuring and drawing runs of ANSI text with a context's font, and the layout of
// DrawTextA.
#pragma once

#include "platform/raster/DeviceContext.h"
#include "platform/raster/FontFaces.h"

namespace platform::raster {

FontFace& faceOf(DeviceContext& dc);

SIZE measureText(FontFace& face, const char* text, int length);

// Draws a run with its cell's top-left corner at (x, y): glyphs in the text colour and, in
// opaque mode, the cell in the background colour; only inside clip (when given). The character
// at underlineIndex (if any) is underlined.
void drawTextRun(DeviceContext& dc, int x, int y, const char* text, int length, const RECT* clip,
                 int underlineIndex = -1);

int drawText(DeviceContext& dc, const char* text, int length, RECT* rect, UINT format);

} // namespace platform::raster
