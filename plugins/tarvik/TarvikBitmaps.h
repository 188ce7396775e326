// Tarvik's three editor bitmaps, for builds without a resource section: the build embeds the
// BMP files in the library and generates this function, which registers them.
#pragma once

#include "platform/WinApi.h"

#ifndef _WIN32
// Registers the background (128), the slider track (129) and the slider handle (130) as
// bitmap resources of the module.
void registerTarvikBitmaps(HINSTANCE module);
#endif
