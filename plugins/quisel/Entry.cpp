#include "framework/effect/PluginBitmaps.h"
#include "framework/effect/PluginEntry.h"
#include "plugins/quisel/QuiselBitmaps.h"
#include "plugins/quisel/QuiselEditEffect.h"

PLUGIN_EXPORT_ENTRY(QuiselEditEffect)
PLUGIN_BITMAPS_AT_LOAD(registerQuiselBitmaps)
