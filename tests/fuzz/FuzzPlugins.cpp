#include "tests/fuzz/FuzzPlugins.h"

#include "framework/effect/PluginEntry.h"
#include "plugins/ombrel/OmbrelEditEffect.h"
#include "plugins/quisel/QuiselEditEffect.h"
#include "plugins/tarvik/TarvikEditEffect.h"

namespace {

template <typename Effect> EffectBase* make(audioMasterCallback host) {
    return new (std::nothrow) Effect(host);
}

} // namespace

AEffect* makeFuzzEffect(std::uint8_t which, audioMasterCallback host) {
    switch (which % 3) {
    case 0:
        return createPluginRecord(host, make<TarvikEditEffect>);
    case 1:
        return createPluginRecord(host, make<OmbrelEditEffect>);
    default:
        return createPluginRecord(host, make<QuiselEditEffect>);
    }
}
