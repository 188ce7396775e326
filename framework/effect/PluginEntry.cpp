#include "framework/effect/PluginEntry.h"

#include "framework/effect/Module.h"

void* moduleHandle = nullptr;
bool outOfMemory = false;

#if defined(_WIN32)
#include "platform/WinApi.h"

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD, LPVOID) {
    moduleHandle = instance;
    return 1;
}
#else
namespace {
// Any address inside this library's own data is unique to the loaded library.
char moduleIdentity;

__attribute__((constructor)) void recordModuleHandle() {
    moduleHandle = &moduleIdentity;
}
} // namespace
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
