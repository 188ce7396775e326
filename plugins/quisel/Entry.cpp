#include "framework/effect/Module.h"
#include "framework/effect/PluginEntry.h"
#include "plugins/quisel/QuiselBitmaps.h"
#include "plugins/quisel/QuiselEditEffect.h"

PLUGIN_EXPORT_ENTRY(QuiselEditEffect)

#ifndef _WIN32
namespace {

// At load, so the bitmaps are there before a host can ask for the editor.
__attribute__((constructor)) void registerBitmaps() {
    registerQuiselBitmaps(static_cast<HINSTANCE>(moduleHandle));
}

} // namespace
#endif
