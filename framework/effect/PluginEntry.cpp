#include "framework/effect/PluginEntry.h"

#include "framework/effect/Module.h"

bool outOfMemory = false;

#if defined(_WIN32)
#include "platform/WinApi.h"

void* moduleHandle = nullptr;

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD, LPVOID) {
    moduleHandle = instance;
    return 1;
}
#else
namespace {
// Any address inside this library's own data is unique to the loaded library.
char moduleIdentity;
} // namespace

// Set by the loader's relocation before any constructor of the library runs, so that code
// run at load (the registration of the library's bitmaps) can already use it.
void* moduleHandle = &moduleIdentity;
#endif

AEffect* createPluginRecord(audioMasterCallback hostCallback, EffectFactory makeEffect) {
    if (hostCallback == nullptr ||
        hostCallback(nullptr, audioMasterVersion, 0, 0, nullptr, 0.0f) == 0) {
        return nullptr;
    }
    EffectBase* effect = makeEffect(hostCallback);
    if (effect == nullptr) {
        return nullptr;
    }
    if (outOfMemory) {
        delete effect;
        return nullptr;
    }
    return effect->getRecord();
}
