#include "framework/effect/Module.h"
#include "framework/effect/PluginEntry.h"
#include "plugins/ombrel/OmbrelBitmaps.h"
#include "plugins/ombrel/OmbrelEditEffect.h"

PLUGIN_EXPORT_ENTRY(OmbrelEditEffect)

#ifndef _WIN32
namespace {

// At load, so the bitmaps are there before a host can ask for the editor.
__attribute__((constructor)) void registerBitmaps() {
    registerOmbrelBitmaps(static_cast<HINSTANCE>(moduleHandle));
}

} // namespace
#endif
