#include "framework/effect/PluginEntry.h"
#include "plugins/ombrel/OmbrelEffect.h"

PLUGIN_EXPORT_ENTRY(OmbrelEffect)
