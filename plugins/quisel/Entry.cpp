#include "framework/effect/PluginEntry.h"
#include "plugins/quisel/QuiselEffect.h"

PLUGIN_EXPORT_ENTRY(QuiselEffect)
