#include "framework/effect/PluginBitmaps.h"
#include "framework/effect/PluginEntry.h"
#include "plugins/ombrel/OmbrelBitmaps.h"
#include "plugins/ombrel/OmbrelEditEffect.h"

PLUGIN_EXPORT_ENTRY(OmbrelEditEffect)
PLUGIN_BITMAPS_AT_LOAD(registerOmbrelBitmaps)
