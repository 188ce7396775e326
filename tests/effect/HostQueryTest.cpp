#include <gtest/gtest.h>

#include <functional>

#include "tests/effect/BareEffect.h"
#include "tests/support/RecordingHost.h"

namespace {

// One operation that calls the host: what it sends, and what it gives with the host's
// answer and without a host at all.
struct QueryCase {
    const char* name;
    std::function<std::intptr_t(BareEffect&)> call;
    std::int32_t opcode;
    std::int32_t index;
    std::intptr_t value;
    std::intptr_t hostAnswer;
    std::intptr_t expectedWithHost;
    std::intptr_t expectedWithoutHost;
};

const QueryCase queryCases[] = {
    {"version", [](BareEffect& e) { return e.getHostVersion(); }, audioMasterVersion, 0, 0, 2400,
     2400, 1},
    {"version 0 reads as 1", [](BareEffect& e) { return e.getHostVersion(); }, audioMasterVersion,
     0, 0, 0, 1, 1},
    {"current id", [](BareEffect& e) { return e.getHostCurrentUniqueId(); }, audioMasterCurrentId,
     0, 0, 77, 77, 0},
    {"input connected", [](BareEffect& e) { return std::intptr_t(e.isInputConnected(3)); },
     audioMasterPinConnected, 3, 0, 0, 1, 1},
    {"input not connected", [](BareEffect& e) { return std::intptr_t(e.isInputConnected(0)); },
     audioMasterPinConnected, 0, 0, 1, 0, 1},
    {"output connected", [](BareEffect& e) { return std::intptr_t(e.isOutputConnected(1)); },
     audioMasterPinConnected, 1, 1, 0, 1, 1},
    {"tempo", [](BareEffect& e) { return std::intptr_t(e.askHostTempoAt(500)); },
     audioMasterTempoAt, 0, 500, 120, 120, 0},
    {"resize", [](BareEffect& e) { return std::intptr_t(e.askHostToResizeWindow(300, 200)); },
     audioMasterSizeWindow, 300, 200, 5, 1, 0},
    {"can do",
     [](BareEffect& e) {
         char text[] = "sizeWindow";
         return std::intptr_t(e.askHostCanDo(text));
     },
     audioMasterCanDo, 0, 0, 7, 1, 0},
    {"offline pass", [](BareEffect& e) { return std::intptr_t(e.askHostOfflinePass()); },
     audioMasterOfflineGetCurrentPass, 0, 0, 9, 1, 0},
    {"offline read",
     [](BareEffect& e) { return std::intptr_t(e.hostOfflineRead(nullptr, 4, true)); },
     audioMasterOfflineRead, 1, 4, 1, 1, 0},
    {"offline start",
     [](BareEffect& e) { return std::intptr_t(e.hostOfflineStart(nullptr, 3, 2)); },
     audioMasterOfflineStart, 2, 3, 1, 1, 0},
    {"sample rate is the stored one",
     [](BareEffect& e) { return std::intptr_t(e.refreshSampleRate()); }, audioMasterGetSampleRate,
     0, 0, 96000, 44100, 44100},
    {"block size is the stored one",
     [](BareEffect& e) { return std::intptr_t(e.refreshBlockSize()); }, audioMasterGetBlockSize, 0,
     0, 64, 1024, 1024},
    {"language", [](BareEffect& e) { return std::intptr_t(e.askHostLanguage()); },
     audioMasterGetLanguage, 0, 0, 3, 3, 0},
    {"update display", [](BareEffect& e) { return std::intptr_t(e.tellHostUpdateDisplay()); },
     audioMasterUpdateDisplay, 0, 0, 1, 1, 0},
    {"events sent only on an answer of 1",
     [](BareEffect& e) { return std::intptr_t(e.sendEventsToHost(nullptr)); },
     audioMasterProcessEvents, 0, 0, 2, 0, 0},
};

TEST(HostQueries, SendTheirOpcodeAndInterpretTheAnswer) {
    for (const QueryCase& c : queryCases) {
        SCOPED_TRACE(c.name);
        RecordingHost host;
        host.answer(c.opcode, c.hostAnswer);
        BareEffect effect(host.callback());
        EXPECT_EQ(c.call(effect), c.expectedWithHost);
        ASSERT_EQ(host.calls.size(), 1u);
        const HostCall& call = host.calls[0];
        EXPECT_EQ(call.effect, effect.getRecord());
        EXPECT_EQ(call.opcode, c.opcode);
        EXPECT_EQ(call.index, c.index);
        EXPECT_EQ(call.value, c.value);
    }
}

TEST(HostQueries, WithoutAHostGiveTheirFallbacks) {
    for (const QueryCase& c : queryCases) {
        SCOPED_TRACE(c.name);
        BareEffect effect(nullptr);
        EXPECT_EQ(c.call(effect), c.expectedWithoutHost);
    }
}

class RememberingEffect : public BareEffect {
public:
    using BareEffect::BareEffect;
    void setParameter(std::int32_t index, float value) override {
        lastIndex = index;
        lastValue = value;
    }
    std::int32_t lastIndex = -1;
    float lastValue = 0.0f;
};

TEST(HostQueries, AutomationSetsTheParameterThenTellsTheHost) {
    RecordingHost host;
    RememberingEffect effect(host.callback());
    effect.automateParameter(2, 0.25f);
    EXPECT_EQ(effect.lastIndex, 2);
    EXPECT_EQ(effect.lastValue, 0.25f);
    const auto calls = host.callsOf(audioMasterAutomate);
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].index, 2);
    EXPECT_EQ(calls[0].value, 0);
    EXPECT_EQ(calls[0].opt, 0.25f);

    RememberingEffect alone(nullptr);
    alone.automateParameter(1, 0.5f);
    EXPECT_EQ(alone.lastIndex, 1);
}

} // namespace
