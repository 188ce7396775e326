#include "tests/fuzz/FuzzPlugins.h"

#include "framework/effect/PluginEntry.h"
#include "plugins/ombrel/OmbrelEffect.h"
#include "plugins/quisel/QuiselEffect.h"
#include "plugins/tarvik/TarvikEffect.h"

namespace {

template <typename Effect> EffectBase* make(audioMasterCallback host) {
    return new (std::nothrow) Effect(host);
}

} // namespace

AEffect* makeFuzzEffect(std::uint8_t which, audioMasterCallback host) {
    switch (which % 3) {
    case 0:
        return createPluginRecord(host, make<TarvikEffect>);
    case 1:
        return createPluginRecord(host, make<OmbrelEffect>);
    default:
        return createPluginRecord(host, make<QuiselEffect>);
    }
}
