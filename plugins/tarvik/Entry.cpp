#include "framework/effect/PluginEntry.h"
#include "plugins/tarvik/TarvikEffect.h"

PLUGIN_EXPORT_ENTRY(TarvikEffect)
