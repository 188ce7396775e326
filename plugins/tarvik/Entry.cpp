#include "framework/effect/PluginBitmaps.h"
#include "framework/effect/PluginEntry.h"
#include "plugins/tarvik/TarvikBitmaps.h"
#include "plugins/tarvik/TarvikEditEffect.h"

PLUGIN_EXPORT_ENTRY(TarvikEditEffect)
PLUGIN_BITMAPS_AT_LOAD(registerTarvikBitmaps)
