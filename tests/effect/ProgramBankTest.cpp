#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <string>
#include <vector>

#include "framework/effect/EditorBase.h"
#include "plugins/ombrel/OmbrelEffect.h"
#include "plugins/quisel/QuiselEffect.h"
#include "plugins/tarvik/TarvikEffect.h"

namespace {

std::string programName(EffectBase& effect) {
    char text[kProgramNameSize + 8];
    std::memset(text, '#', sizeof(text));
    effect.getProgramName(text);
    EXPECT_EQ(text[kProgramNameSize], '#') << "wrote past the program name buffer";
    return text;
}

template <typename Effect> class ProgramBank : public testing::Test {};
using Effects = testing::Types<TarvikEffect, OmbrelEffect, QuiselEffect>;
TYPED_TEST_SUITE(ProgramBank, Effects);

TYPED_TEST(ProgramBank, UntouchedProgramsAreNumbered) {
    TypeParam effect(nullptr);
    EXPECT_EQ(programName(effect), "Init 1");
    for (int program = 0; program < 16; ++program) {
        effect.setProgram(program);
        EXPECT_EQ(programName(effect), "Init " + std::to_string(program + 1));
    }
}

TYPED_TEST(ProgramBank, RenamedProgramsKeepTheirName) {
    TypeParam effect(nullptr);
    effect.setProgram(4);
    const struct {
        const char* given;
        const char* reported;
    } cases[] = {
        {"Warm pad", "Warm pad"},
        {"Init", "Init 5"},
        {"init", "init"},
        {"Init ", "Init "},
        {"", ""},
        {"A name that is far too long for the bank", "A name that is far too "},
        {"exactly twenty-three ch", "exactly twenty-three ch"},
    };
    for (const auto& c : cases) {
        char text[64];
        std::strcpy(text, c.given);
        effect.setProgramName(text);
        EXPECT_EQ(programName(effect), c.reported) << c.given;
    }
    effect.setProgram(5);
    EXPECT_EQ(programName(effect), "Init 6");
}

TYPED_TEST(ProgramBank, ValuesStayWithTheirProgram) {
    TypeParam effect(nullptr);
    effect.setProgram(3);
    effect.setParameter(2, 0.3f);
    effect.setProgram(0);
    EXPECT_NE(effect.getParameter(2), 0.3f);
    effect.setProgram(3);
    EXPECT_EQ(effect.getParameter(2), 0.3f);
}

TYPED_TEST(ProgramBank, ValuesAreStoredUnchangedAndOnlyForParameters) {
    TypeParam effect(nullptr);
    const std::int32_t n = TypeParam::kParameterCount;
    effect.setParameter(1, 1.5f);
    EXPECT_EQ(effect.getParameter(1), 1.5f);
    effect.setParameter(n, 0.9f);
    effect.setParameter(-1, 0.9f);
    EXPECT_EQ(effect.getParameter(n), 0.0f);
    EXPECT_EQ(effect.getParameter(-1), 0.0f);
    for (std::int32_t index = 0; index < n; ++index) {
        EXPECT_NE(effect.getParameter(index), 0.9f);
    }
    char text[16] = "untouched";
    effect.getParameterName(n, text);
    effect.getParameterUnit(n, text);
    effect.getParameterText(n, text);
    EXPECT_STREQ(text, "untouched");
}

TYPED_TEST(ProgramBank, MeterLevelStartsAtZero) {
    TypeParam effect(nullptr);
    EXPECT_EQ(effect.getMeterLevel(), 0.0f);
    EXPECT_EQ(effect.getMeterLevel(), 0.0f);
}

TYPED_TEST(ProgramBank, RecordShapeWithoutEditor) {
    TypeParam effect(nullptr);
    const AEffect* record = effect.getRecord();
    EXPECT_EQ(record->numPrograms, 16);
    EXPECT_EQ(record->numParams, TypeParam::kParameterCount);
    EXPECT_EQ(record->numInputs, 1);
    EXPECT_EQ(record->numOutputs, 2);
    EXPECT_EQ(record->flags, effFlagsHasVu | effFlagsCanReplacing);
    EXPECT_EQ(record->uniqueID, 0x516D7476);
    EXPECT_EQ(effect.dispatcher(effGetChunk, 0, 0, nullptr, 0.0f), 0);
}

class UpdateCounter : public EditorBase {
public:
    using EditorBase::EditorBase;
    void update() override { ++updates; }
    int updates = 0;
};

TYPED_TEST(ProgramBank, EveryParameterChangeAsksTheEditorToRefresh) {
    TypeParam effect(nullptr);
    auto* editor = new UpdateCounter(&effect);
    effect.attachEditor(editor);
    effect.setParameter(TypeParam::kParameterCount, 0.5f);
    editor->idle();
    EXPECT_EQ(editor->updates, 1);
    effect.setProgram(2);
    editor->idle();
    EXPECT_EQ(editor->updates, 2);
}

// Watches the order in which a program switch applies its values.
template <typename Effect> class OrderWatcher : public Effect {
public:
    using Effect::Effect;
    void setParameter(std::int32_t index, float value) override {
        order.push_back(index);
        Effect::setParameter(index, value);
    }
    std::vector<std::int32_t> order;
};

TEST(ProgramBankOrder, ProgramSwitchAppliesValuesInEachEffectsOrder) {
    OrderWatcher<TarvikEffect> tarvik(nullptr);
    tarvik.setProgram(1);
    EXPECT_EQ(tarvik.order, (std::vector<std::int32_t>{0, 4, 1, 2, 7, 8, 6, 5, 3}));
    OrderWatcher<OmbrelEffect> ombrel(nullptr);
    ombrel.setProgram(1);
    EXPECT_EQ(ombrel.order, (std::vector<std::int32_t>{0, 1, 5, 6, 2, 4, 3}));
    OrderWatcher<QuiselEffect> quisel(nullptr);
    quisel.setProgram(1);
    EXPECT_EQ(quisel.order, (std::vector<std::int32_t>{0, 1, 2, 3, 4}));
}

struct TextRow {
    const char* name;
    const char* unit;
    const char* display;
};

template <typename Effect> void expectTexts(const std::vector<TextRow>& rows) {
    Effect effect(nullptr);
    ASSERT_EQ(rows.size(), static_cast<std::size_t>(Effect::kParameterCount));
    for (std::int32_t index = 0; index < Effect::kParameterCount; ++index) {
        SCOPED_TRACE(testing::Message() << "parameter " << index);
        char text[kShortTextSize + 8];
        std::memset(text, '#', sizeof(text));
        effect.getParameterName(index, text);
        EXPECT_STREQ(text, rows[index].name);
        EXPECT_EQ(text[kShortTextSize], '#');
        effect.getParameterUnit(index, text);
        EXPECT_STREQ(text, rows[index].unit);
        EXPECT_EQ(text[kShortTextSize], '#');
        effect.getParameterText(index, text);
        EXPECT_STREQ(text, rows[index].display);
        EXPECT_EQ(text[kShortTextSize], '#');
    }
}

// Unit texts longer than 8 characters end in blanks only, so hosts show the same text.
TEST(ParameterTexts, Tarvik) {
    expectTexts<TarvikEffect>({
        {" Delay  ", "samples ", "0.500000"},
        {"FeedBack", " amount ", "0.500000"},
        {" Volume ", "   dB   ", "-2.49877"},
        {" freq ", "   fr   ", "0.500000"},
        {" depth ", "   dep  ", "0.500000"},
        {" Mfreq ", "  M fr  ", "0.500000"},
        {" Mdepth ", "  M dep ", "0.500000"},
        {" Delay ", "  Delay ", "0.500000"},
        {" D Feed ", "  D Feed", "0.500000"},
    });
}

TEST(ParameterTexts, Ombrel) {
    expectTexts<OmbrelEffect>({
        {" Delay  ", "samples ", "0.500000"},
        {"FeedBack", " amount ", "0.500000"},
        {" freq ", "   fr   ", "0.500000"},
        {" Mfreq ", "  M fr  ", "0.500000"},
        {" Mdepth ", "  M dep ", "0.500000"},
        {" Delay ", "  Delay ", "0.500000"},
        {" D Feed ", "  D Feed", "0.500000"},
    });
}

TEST(ParameterTexts, Quisel) {
    expectTexts<QuiselEffect>({
        {" Delay  ", "samples ", "    882"},
        {"FeedBack", " amount ", "0.500000"},
        {" Volume ", "   dB   ", "-2.49877"},
        {" freq ", "   fr   ", "0.500000"},
        {" depth ", "   dep  ", "0.500000"},
    });
}

TEST(QuiselDelay, DelayLengthInWholeSamplesWithinTheRing) {
    QuiselEffect effect(nullptr);
    const struct {
        float value;
        const char* text;
    } cases[] = {{0.0f, "      0"},  {1.0f, "   1764"},          {0.25f, "    441"},
                 {-1.0f, "      0"}, {std::nanf(""), "      0"}, {1e9f, "  44099"}};
    for (const auto& c : cases) {
        effect.setParameter(QuiselEffect::delayTime, c.value);
        char text[16];
        effect.getParameterText(QuiselEffect::delayTime, text);
        EXPECT_STREQ(text, c.text) << c.value;
        if (!std::isnan(c.value)) {
            EXPECT_EQ(effect.getParameter(QuiselEffect::delayTime), c.value);
        }
    }
}

} // namespace
