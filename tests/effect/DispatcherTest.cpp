#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

#include "framework/effect/EditorBase.h"
#include "tests/effect/BareEffect.h"
#include "tests/support/RecordingHost.h"

namespace {

std::intptr_t dispatch(AEffect* record, std::int32_t opcode, std::int32_t index = 0,
                       std::intptr_t value = 0, void* ptr = nullptr, float opt = 0.0f) {
    return record->dispatcher(record, opcode, index, value, ptr, opt);
}

struct OpcodeCase {
    std::int32_t opcode;
    std::int32_t index;
    std::intptr_t value;
    std::intptr_t expected;
};

// What a host sees from an effect that keeps every default.
const OpcodeCase defaultAnswers[] = {
    {effIdentify, 0, 0, 0x4E764566},
    {effIdentify, 7, -3, 0x4E764566},
    {effGetVstVersion, 0, 0, 2},
    {effGetPlugCategory, 0, 0, 0},
    {effKeysRequired, 0, 0, 1},
    {effCanBeAutomated, 0, 0, 1},
    {effCanBeAutomated, 999, 0, 1},
    {effGetNumProgramCategories, 0, 0, 1},
    {effConnectInput, 0, 1, 1},
    {effConnectOutput, 1, 0, 1},
    {effGetChunk, 0, 0, 0},
    {effSetChunk, 0, 0, 0},
    {effGetTailSize, 0, 0, 0},
    {effEditGetRect, 0, 0, 0},
    {effEditOpen, 0, 0, 0},
    {effGetProgram, 0, 0, 0},
    {59, 0, 0, 0},
    {-1, 0, 0, 0},
    {1000, 0, 0, 0},
};

TEST(Dispatcher, DefaultAnswers) {
    BareEffect effect(nullptr);
    for (const OpcodeCase& c : defaultAnswers) {
        SCOPED_TRACE(testing::Message() << "opcode " << c.opcode);
        char scratch[64] = {};
        void* chunk = nullptr;
        void* ptr = c.opcode == effGetChunk ? static_cast<void*>(&chunk) : scratch;
        EXPECT_EQ(dispatch(effect.getRecord(), c.opcode, c.index, c.value, ptr), c.expected);
    }
}

TEST(Dispatcher, TextQueriesLeaveTheTextOfTheDefaultsAlone) {
    BareEffect effect(nullptr);
    for (std::int32_t opcode :
         {effGetEffectName, effGetVendorString, effGetProductString, effGetErrorText, effCanDo}) {
        char text[64] = "untouched";
        EXPECT_EQ(dispatch(effect.getRecord(), opcode, 0, 0, text), 0);
        EXPECT_STREQ(text, "untouched");
    }
}

TEST(Dispatcher, NullTextPointersAreIgnored) {
    BareEffect effect(nullptr);
    for (std::int32_t opcode : {effSetProgramName, effGetProgramName, effGetParamLabel,
                                effGetParamDisplay, effGetParamName, effEditGetRect}) {
        EXPECT_EQ(dispatch(effect.getRecord(), opcode, 0, 0, nullptr), 0);
    }
}

TEST(Dispatcher, MeterLevelIsScaledAndTruncated) {
    BareEffect effect(nullptr);
    const struct {
        float level;
        std::intptr_t expected;
    } cases[] = {{0.5f, 16383},   {1.0f, 32767},      {0.0f, 0},
                 {-0.5f, -16383}, {std::nanf(""), 0}, {1e30f, 2147483647}};
    for (const auto& c : cases) {
        effect.meter = c.level;
        EXPECT_EQ(dispatch(effect.getRecord(), effGetVu), c.expected) << c.level;
    }
}

TEST(Dispatcher, MainsChangedSuspendsOnZeroAndResumesOtherwise) {
    BareEffect effect(nullptr);
    dispatch(effect.getRecord(), effMainsChanged, 0, 0);
    dispatch(effect.getRecord(), effMainsChanged, 0, 1);
    dispatch(effect.getRecord(), effMainsChanged, 0, -1);
    EXPECT_EQ(effect.suspendCount, 1);
    EXPECT_EQ(effect.resumeCount, 2);
}

TEST(Dispatcher, SetProgramIgnoresNumbersOutsideTheBank) {
    BareEffect effect(nullptr);
    const struct {
        std::intptr_t program;
        std::int32_t expected;
    } cases[] = {{3, 3}, {16, 3}, {-1, 3}, {15, 15}, {1 << 20, 15}, {0, 0}};
    for (const auto& c : cases) {
        EXPECT_EQ(dispatch(effect.getRecord(), effSetProgram, 0, c.program), 0);
        EXPECT_EQ(effect.currentProgram, c.expected) << c.program;
    }
}

TEST(Dispatcher, SampleRateAndBlockSize) {
    BareEffect effect(nullptr);
    EXPECT_EQ(effect.sampleRate, 44100.0f);
    EXPECT_EQ(effect.blockSize, 1024);
    dispatch(effect.getRecord(), effSetSampleRate, 0, 0, nullptr, 48000.0f);
    dispatch(effect.getRecord(), effSetBlockSize, 0, 256);
    EXPECT_EQ(effect.sampleRate, 48000.0f);
    EXPECT_EQ(effect.blockSize, 256);
    EXPECT_EQ(dispatch(effect.getRecord(), effSetBlockSizeAndSampleRate, 0, 512, nullptr, 96000.0f),
              1);
    EXPECT_EQ(effect.blockSize, 512);
    EXPECT_EQ(effect.sampleRate, 96000.0f);
}

TEST(Dispatcher, SynthFlagChangesTheCategory) {
    BareEffect effect(nullptr);
    effect.setIsSynth(true);
    EXPECT_EQ(dispatch(effect.getRecord(), effGetPlugCategory), 2);
    effect.setIsSynth(false);
    EXPECT_EQ(dispatch(effect.getRecord(), effGetPlugCategory), 0);
}

class CountingEditor : public EditorBase {
public:
    CountingEditor(EffectBase* effect, bool* destroyed)
        : EditorBase(effect), destroyed(destroyed) {}
    ~CountingEditor() override { *destroyed = true; }
    void update() override { ++updates; }
    std::int32_t open(void* parent) override {
        EditorBase::open(parent);
        return 7;
    }
    int updates = 0;
    bool* destroyed;
};

TEST(Dispatcher, CloseReturnsOneAndDestroysEffectAndEditor) {
    bool effectGone = false;
    bool editorGone = false;
    auto* effect = new BareEffect(nullptr);
    effect->destroyed = &effectGone;
    effect->attachEditor(new CountingEditor(effect, &editorGone));
    AEffect* record = effect->getRecord();
    EXPECT_EQ(record->flags & effFlagsHasEditor, effFlagsHasEditor);
    EXPECT_EQ(dispatch(record, effClose), 1);
    EXPECT_TRUE(effectGone);
    EXPECT_TRUE(editorGone);
}

TEST(Dispatcher, EditorOpcodesReachTheEditor) {
    bool editorGone = false;
    BareEffect effect(nullptr);
    auto* editor = new CountingEditor(&effect, &editorGone);
    effect.attachEditor(editor);
    int parent = 0;
    EXPECT_EQ(dispatch(effect.getRecord(), effEditOpen, 0, 0, &parent), 7);
    editor->postUpdate();
    editor->postUpdate();
    dispatch(effect.getRecord(), effEditIdle);
    dispatch(effect.getRecord(), effEditIdle);
    EXPECT_EQ(editor->updates, 1);
    ERect* rect = reinterpret_cast<ERect*>(0x1234);
    EXPECT_EQ(dispatch(effect.getRecord(), effEditGetRect, 0, 0, &rect), 0);
    EXPECT_EQ(rect, reinterpret_cast<ERect*>(0x1234));
    effect.attachEditor(nullptr);
    EXPECT_EQ(effect.getRecord()->flags & effFlagsHasEditor, 0);
    delete editor;
}

TEST(Record, FreshRecordValues) {
    BareEffect effect(nullptr, 16, 7);
    const AEffect* record = effect.getRecord();
    EXPECT_EQ(record->magic, 0x56737450);
    EXPECT_EQ(record->numPrograms, 16);
    EXPECT_EQ(record->numParams, 7);
    EXPECT_EQ(record->numInputs, 1);
    EXPECT_EQ(record->numOutputs, 2);
    EXPECT_EQ(record->flags, 0);
    EXPECT_EQ(record->uniqueID, 0x4E6F4566);
    EXPECT_EQ(record->version, 1);
    EXPECT_EQ(record->ioRatio, 1.0f);
    EXPECT_EQ(record->initialDelay, 0);
    EXPECT_EQ(record->object, &effect);
    EXPECT_EQ(record->user, nullptr);
    for (char c : record->future) {
        EXPECT_EQ(c, 0);
    }
}

TEST(Record, FlagSettersSetAndClearTheirBits) {
    BareEffect effect(nullptr);
    using Setter = void (BareEffect::*)(bool);
    const struct {
        Setter setter;
        std::int32_t bit;
    } cases[] = {
        {&BareEffect::setHasClip, 2},
        {&BareEffect::setHasMeter, 4},
        {&BareEffect::setCanMono, 8},
        {&BareEffect::setCanReplace, 16},
        {&BareEffect::setProgramsAreChunks, 32},
        {&BareEffect::setIsSynth, 256},
        {&BareEffect::setNoSoundInStop, 512},
        {&BareEffect::setAsyncOperation, 1024},
        {&BareEffect::setExternalBuffer, 2048},
    };
    for (const auto& c : cases) {
        (effect.*c.setter)(true);
        EXPECT_EQ(effect.getRecord()->flags, c.bit);
        (effect.*c.setter)(false);
        EXPECT_EQ(effect.getRecord()->flags, 0);
    }
}

} // namespace
