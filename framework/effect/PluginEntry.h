// What a plug-in library's exported entry does, for any effect class.
#pragma once

#include <new>

#include "framework/effect/EffectBase.h"

using EffectFactory = EffectBase* (*)(audioMasterCallback hostCallback);

// Asks the host for its version (an answer of 0 means no plug-in), makes the effect, and
// hands out its record; null when the effect or its editor could not be made.
AEffect* createPluginRecord(audioMasterCallback hostCallback, EffectFactory makeEffect);

// Exports the library's entry under both names hosts look for. GCC will not compile a
// C++ function called main that returns a pointer, so the function has another name and
// the linker gives it the name main (an assembler label here; the .def file on Windows).
#if defined(_WIN32)
#define PLUGIN_EXPORT_ENTRY(EffectClass)                                                           \
    extern "C" __declspec(dllexport) AEffect* VST_CALL VSTPluginMain(audioMasterCallback host) {   \
        return createPluginRecord(host, [](audioMasterCallback h) -> EffectBase* {                 \
            return new (std::nothrow) EffectClass(h);                                              \
        });                                                                                        \
    }
#else
#define PLUGIN_EXPORT_ENTRY(EffectClass)                                                           \
    extern "C" __attribute__((visibility("default"))) AEffect* VSTPluginMain(                      \
        audioMasterCallback host) {                                                                \
        return createPluginRecord(host, [](audioMasterCallback h) -> EffectBase* {                 \
            return new (std::nothrow) EffectClass(h);                                              \
        });                                                                                        \
    }                                                                                              \
    extern "C" __attribute__((visibility("default"), alias("VSTPluginMain"))) AEffect*             \
    pluginMainAlias(audioMasterCallback host) __asm__("main");
#endif
