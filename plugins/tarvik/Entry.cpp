#include "framework/effect/Module.h"
#include "framework/effect/PluginEntry.h"
#include "plugins/tarvik/TarvikBitmaps.h"
#include "plugins/tarvik/TarvikEditEffect.h"

PLUGIN_EXPORT_ENTRY(TarvikEditEffect)

#ifndef _WIN32
namespace {

// At load, so the bitmaps are there before a host can ask for the editor.
__attribute__((constructor)) void registerBitmaps() {
    registerTarvikBitmaps(static_cast<HINSTANCE>(moduleHandle));
}

} // namespace
#endif
