// Where the system has no resource section, a plug-in library registers its bitmaps as it
// is loaded, so they are there before a host can ask for the editor, and forgets them as it
// is unloaded, so a host loading it again and again keeps no copies.
#pragma once

#include "framework/effect/Module.h"
#include "platform/WinApi.h"

#ifdef _WIN32
#define PLUGIN_BITMAPS_AT_LOAD(registerFunction)
#else
#include "platform/Resources.h"

#define PLUGIN_BITMAPS_AT_LOAD(registerFunction)                                                   \
    namespace {                                                                                    \
    __attribute__((constructor)) void registerBitmapsAtLoad() {                                    \
        registerFunction(static_cast<HINSTANCE>(moduleHandle));                                    \
    }                                                                                              \
    __attribute__((destructor)) void unregisterBitmapsAtUnload() {                                 \
        unregisterBitmapResources(static_cast<HINSTANCE>(moduleHandle));                           \
    }                                                                                              \
    }
#endif
