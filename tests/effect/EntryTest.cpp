#include <gtest/gtest.h>

#include "framework/effect/Module.h"
#include "framework/effect/PluginEntry.h"
#include "tests/effect/BareEffect.h"
#include "tests/support/RecordingHost.h"

namespace {

int effectsMade = 0;

EffectBase* makeBareEffect(audioMasterCallback host) {
    ++effectsMade;
    return new BareEffect(host);
}

TEST(Entry, AsksTheHostsVersionFirstWithNoRecord) {
    RecordingHost host;
    AEffect* record = createPluginRecord(host.callback(), makeBareEffect);
    ASSERT_NE(record, nullptr);
    ASSERT_FALSE(host.calls.empty());
    EXPECT_EQ(host.calls[0].opcode, audioMasterVersion);
    EXPECT_EQ(host.calls[0].effect, nullptr);
    EXPECT_EQ(record->dispatcher(record, effClose, 0, 0, nullptr, 0.0f), 1);
}

TEST(Entry, AHostOfVersionZeroGetsNoPlugin) {
    RecordingHost host;
    host.answer(audioMasterVersion, 0);
    effectsMade = 0;
    EXPECT_EQ(createPluginRecord(host.callback(), makeBareEffect), nullptr);
    EXPECT_EQ(effectsMade, 0);
    EXPECT_EQ(createPluginRecord(nullptr, makeBareEffect), nullptr);
}

TEST(Entry, FailedAllocationGivesNoRecord) {
    RecordingHost host;
    EXPECT_EQ(createPluginRecord(host.callback(),
                                 [](audioMasterCallback) -> EffectBase* { return nullptr; }),
              nullptr);
}

TEST(Entry, OutOfMemoryDestroysTheEffectAndGivesNoRecord) {
    RecordingHost host;
    static bool destroyed = false;
    destroyed = false;
    outOfMemory = true;
    AEffect* record = createPluginRecord(host.callback(), [](audioMasterCallback h) -> EffectBase* {
        auto* effect = new BareEffect(h);
        effect->destroyed = &destroyed;
        return effect;
    });
    outOfMemory = false;
    EXPECT_EQ(record, nullptr);
    EXPECT_TRUE(destroyed);
}

} // namespace
