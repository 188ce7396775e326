// The drawing program of the cross-check against Wine: the same source is built against our
// layer and, with MinGW-w64, against the system's headers, and both write what they drew.
#pragma once

#include <cstdio>

// Writes one record per case: "picture <name> <width> <height>" and then the rows as six hex
// digits (RRGGBB) per pixel, or "box <name> <left> <top> <right> <bottom>" for text, whose
// glyph pixels differ between renderers and only the box they occupy is compared.
void drawCrossCheckCases(std::FILE* out);
