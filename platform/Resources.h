// Bitmap resources of a library, for builds where the system has no resource section to look
// them up in: each library registers its bitmaps at load, and LoadBitmapA finds them by the
// library's module handle and the resource id.
#pragma once

#include "platform/WinApi.h"

#include <cstddef>

#ifndef _WIN32
// bmpFileData is the content of a BMP file (24 bits per pixel, or 8 with a palette); it is
// copied. Registering the same module and id again replaces the earlier bitmap.
void registerBitmapResource(HINSTANCE module, int id, const unsigned char* bmpFileData,
                            std::size_t size);

// Forgets every bitmap a module registered: a library calls it as it is unloaded, so that a
// host that loads and unloads it many times (plug-in scanners do) does not keep the copies.
void unregisterBitmapResources(HINSTANCE module);
#endif
