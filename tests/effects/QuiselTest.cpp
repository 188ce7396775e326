#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "tests/effects/EffectHarness.h"

namespace {

using P = QuiselEffect::Parameter;

std::unique_ptr<QuiselEffect> newQuisel() {
    return std::make_unique<QuiselEffect>(nullptr);
}

TEST(QuiselAdding, WithoutMixTheDryInputPassesUnchanged) {
    auto effect = newQuisel();
    effect->setParameter(P::mix, 0.0f);
    Noise noise;
    const std::vector<float> input = noise.block(50000);
    const Stereo out = render(*effect, Mode::add, input);
    EXPECT_EQ(out.left, input);
    EXPECT_EQ(out.right, input);
}

TEST(QuiselAdding, WithoutDelayAndDepthAllTapsFallOnTheWrittenSlot) {
    auto effect = newQuisel();
    effect->setParameter(P::delayTime, 0.0f);
    effect->setParameter(P::lfoDepth, 0.0f);
    effect->setParameter(P::delayFeedback, 0.5f);
    effect->setParameter(P::mix, 1.0f);
    Noise noise;
    const std::vector<float> input = noise.block(3 * 44101 + 50);
    const Stereo out = render(*effect, Mode::add, input);
    // The full tap reads what was written 44101 samples earlier; the side taps read the
    // value just written.
    std::vector<float> written(input.size());
    for (std::size_t i = 0; i < input.size(); ++i) {
        const float d = i >= 44101 ? written[i - 44101] : 0.0f;
        written[i] = input[i] + d * 0.5f;
        ASSERT_EQ(out.left[i], written[i] * 1.0f + input[i]) << i;
        ASSERT_EQ(out.right[i], out.left[i]) << i;
    }
}

TEST(QuiselAdding, FirstOscillatorCycleRunsBelowZero) {
    auto effect = newQuisel();
    effect->setParameter(P::lfoFreq, 0.0f);
    render(*effect, Mode::add, std::vector<float>(10000));
    EXPECT_EQ(effect->chorusState().lfoPhase, -1.0f);
    effect->setParameter(P::lfoFreq, 1.0f);
    render(*effect, Mode::add, std::vector<float>(4000));
    EXPECT_LT(effect->chorusState().lfoPhase, 0.0f);
    render(*effect, Mode::add, std::vector<float>(10000));
    EXPECT_GE(effect->chorusState().lfoPhase, 0.0f);
    EXPECT_LE(effect->chorusState().lfoPhase, 1.0f);
}

TEST(QuiselReplacing, CarriesOnlyTheWetSignalOnBothOutputs) {
    Noise noise;
    const std::vector<float> input = noise.block(100000);
    auto dry = newQuisel();
    dry->setParameter(P::mix, 0.0f);
    const Stereo silent = render(*dry, Mode::replace, input);
    EXPECT_EQ(silent.left, std::vector<float>(input.size(), 0.0f));
    EXPECT_EQ(silent.right, silent.left);

    auto wet = newQuisel();
    const Stereo out = render(*wet, Mode::replace, input);
    EXPECT_EQ(out.left, out.right);
    // Program 0's delay is 882 samples: nothing comes out before.
    for (std::size_t i = 0; i < 882; ++i) {
        ASSERT_EQ(out.left[i], 0.0f) << i;
    }
    EXPECT_EQ(out.left[882], input[0] * 0.75f);
}

TEST(QuiselReplacing, WithoutDelayAnImpulseReturnsEveryFullRing) {
    auto effect = newQuisel();
    effect->setParameter(P::delayTime, 0.0f);
    effect->setParameter(P::mix, 0.5f);
    effect->setParameter(P::delayFeedback, 0.5f);
    std::vector<float> input(4 * 44100 + 10, 0.0f);
    input[0] = 1.0f;
    const Stereo out = render(*effect, Mode::replace, input, 441);
    float echo = 1.0f;
    for (std::size_t i = 0; i < input.size(); ++i) {
        if (i > 0 && i % 44100 == 0) {
            echo = echo * 0.5f; // the read, times mix
            ASSERT_EQ(out.left[i], echo) << i;
            echo = echo * 0.5f; // the write, times feedback
        } else {
            ASSERT_EQ(out.left[i], 0.0f) << i;
        }
    }
}

struct DelayCase {
    float value;
    int echoAfter;
};

class QuiselDelayLength : public testing::TestWithParam<DelayCase> {};

TEST_P(QuiselDelayLength, SetsTheRingDelay) {
    const DelayCase c = GetParam();
    auto effect = newQuisel();
    effect->setParameter(P::delayTime, c.value);
    effect->setParameter(P::mix, 1.0f);
    effect->setParameter(P::delayFeedback, 0.0f);
    std::vector<float> input(44200, 0.0f);
    input[0] = 1.0f;
    const Stereo out = render(*effect, Mode::replace, input);
    for (std::size_t i = 0; i < input.size(); ++i) {
        ASSERT_EQ(out.left[i], static_cast<int>(i) == c.echoAfter ? 1.0f : 0.0f) << i;
    }
}

INSTANTIATE_TEST_SUITE_P(Quisel, QuiselDelayLength,
                         testing::Values(DelayCase{0.5f, 882}, DelayCase{1.0f, 1764},
                                         DelayCase{0.25f, 441}, DelayCase{0.0f, 44100},
                                         DelayCase{0.0005f, 44100}, // below one sample
                                         DelayCase{-1.0f, 44100},
                                         DelayCase{std::numeric_limits<float>::quiet_NaN(), 44100},
                                         DelayCase{10.0f, 17640}, DelayCase{1000.0f, 44099}));

struct RunCase {
    std::int32_t cursor;
    std::int32_t readPosition;
    std::int32_t remaining;
    std::int32_t run;
};

class QuiselRuns : public testing::TestWithParam<RunCase> {};

TEST_P(QuiselRuns, NeverPassTheEndOfTheRing) {
    const RunCase c = GetParam();
    EXPECT_EQ(QuiselEffect::runLength(c.cursor, c.readPosition, c.remaining), c.run);
}

// 1000 samples from cursor 43600 and read position 43800: runs of 300, 200 and 500.
INSTANTIATE_TEST_SUITE_P(Quisel, QuiselRuns,
                         testing::Values(RunCase{43600, 43800, 1000, 300},
                                         RunCase{43900, 0, 700, 200}, RunCase{0, 200, 500, 500},
                                         RunCase{0, 0, 512, 512}, RunCase{43588, 200, 512, 512},
                                         RunCase{43589, 200, 512, 511},
                                         RunCase{200, 44099, 512, 1}));

TEST(QuiselReplacing, BlockAcrossTheRingEndLandsOnTheRightPositions) {
    auto effect = newQuisel();
    // 43900 samples behind the cursor is 200 ahead of it.
    const float value = 43900.5f / 1764.0f;
    effect->setParameter(P::delayTime, value);
    Noise noise;
    render(*effect, Mode::replace, noise.block(43600));
    EXPECT_EQ(effect->ringCursor(), 43600);
    EXPECT_EQ(effect->ringReadPosition(), 43800);
    render(*effect, Mode::replace, noise.block(1000), 1000);
    EXPECT_EQ(effect->ringCursor(), 500);
    EXPECT_EQ(effect->ringReadPosition(), 700);
}

TEST(Quisel, SuspendStopsTheRingsEchoesButNotTheChorus) {
    Noise noise;
    const std::vector<float> burst = noise.block(1000);
    const std::vector<float> silence(50000, 0.0f);

    auto ring = newQuisel();
    render(*ring, Mode::replace, burst);
    ring->suspend();
    const Stereo after = render(*ring, Mode::replace, silence);
    EXPECT_EQ(after.left, silence);

    auto chorus = newQuisel();
    auto untouched = newQuisel();
    render(*chorus, Mode::add, burst);
    render(*untouched, Mode::add, burst);
    chorus->suspend();
    const Stereo a = render(*chorus, Mode::add, silence);
    const Stereo b = render(*untouched, Mode::add, silence);
    EXPECT_EQ(a.left, b.left);
    EXPECT_NE(a.left, silence);
}

TEST(QuiselMeter, HoldsTheLargestPositiveOutputUntilRead) {
    auto effect = newQuisel();
    effect->setParameter(P::delayTime, 0.01f); // 17 samples
    effect->setParameter(P::mix, 1.0f);
    effect->setParameter(P::delayFeedback, 0.0f);
    std::vector<float> input(100, 0.0f);
    input[0] = 0.25f;
    input[10] = 0.75f;
    input[20] = -2.0f;
    render(*effect, Mode::replace, input, 32);
    EXPECT_EQ(effect->getMeterLevel(), 0.75f);
    EXPECT_EQ(effect->getMeterLevel(), 0.0f);

    // Negative output never raises it.
    effect->setParameter(P::mix, -1.0f);
    std::vector<float> positive(100, 0.0f);
    positive[0] = 0.5f;
    render(*effect, Mode::replace, positive);
    EXPECT_EQ(effect->getMeterLevel(), 0.0f);
}

TEST(QuiselMeter, StaysZeroWhileOnlyTheChorusRuns) {
    auto effect = newQuisel();
    Noise noise;
    render(*effect, Mode::add, noise.block(50000));
    EXPECT_EQ(effect->getMeterLevel(), 0.0f);
}

} // namespace
