#include <gtest/gtest.h>

#include <cmath>

#include "tests/effects/EffectHarness.h"

namespace {

using P = OmbrelEffect::Parameter;

// A radius of 0 makes each resonator pass its input unchanged (gain 1, no history), and no
// feedback leaves the line's slot as it was written: the output is twice what the shaper
// and the delay made of the input.
std::unique_ptr<OmbrelEffect> transparentOmbrel(float delayTime) {
    auto effect = std::make_unique<OmbrelEffect>(nullptr);
    effect->setParameter(P::filterRes, 0.0f);
    effect->setParameter(P::delayFeedback, 0.0f);
    effect->setParameter(P::delayTime, delayTime);
    return effect;
}

struct ShaperCase {
    float drive;
    float input;
    float shaped;
};

class OmbrelShaper : public testing::TestWithParam<ShaperCase> {};

TEST_P(OmbrelShaper, ShapesAndLimits) {
    const ShaperCase c = GetParam();
    for (Mode mode : {Mode::replace, Mode::add}) {
        auto effect = transparentOmbrel(0.0f);
        effect->setParameter(P::distDepth, c.drive);
        const Stereo out = processBlock(*effect, mode, {c.input});
        EXPECT_FLOAT_EQ(out.left[0], 2.0f * c.shaped) << nameOf(mode);
        EXPECT_EQ(out.left[0], out.right[0]);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Ombrel, OmbrelShaper,
    testing::Values(ShaperCase{0.5f, 0.1f, 0.990099f}, // k x / (x x + 1) with k = 10
                    ShaperCase{0.5f, -0.1f, -0.990099f}, ShaperCase{0.5f, 0.5f, 1.0f}, // 4, limited
                    ShaperCase{0.5f, -0.5f, -1.0f}, ShaperCase{0.5f, 1.0f, 1.0f}, // n = 1: 11 / 11
                    ShaperCase{0.5f, 0.0f, 0.0f},
                    ShaperCase{0.01f, 0.5f, 0.08f}, // k = 0.2: 0.1 / 1.25
                    ShaperCase{0.01f, 3.0f, 1.0f},  // n = 3: 9.6 / 7.6, limited
                    ShaperCase{0.0f, 2.5f, 2.5f},   // off: not limited either
                    ShaperCase{-1.0f, -4.0f, -4.0f}));

TEST(OmbrelShaper, ExactValuesOfTheIntegerMagnitudeForm) {
    auto effect = transparentOmbrel(0.0f);
    effect->setParameter(P::distDepth, 0.01f);
    const Stereo out = processBlock(*effect, Mode::replace, {2.5f, -1.5f});
    const float k = 20.0f * 0.01f;
    // n = 2 and n = 1: about 0.973 and -0.735, inside the limits.
    EXPECT_EQ(out.left[0], 2.0f * (((2.0f + k) * 2.5f) / (2.0f * (k - 1.0f) + 6.25f + 1.0f)));
    EXPECT_EQ(out.left[1], 2.0f * (((1.0f + k) * -1.5f) / (1.0f * (k - 1.0f) + 2.25f + 1.0f)));
}

struct DelayCase {
    float delayTime;
    int writeSlot;
    std::vector<int> delays; // after how many samples the impulse comes out
};

class OmbrelDelay : public testing::TestWithParam<DelayCase> {};

TEST_P(OmbrelDelay, ImpulseComesBackAfterTheDelayLength) {
    const DelayCase c = GetParam();
    auto effect = transparentOmbrel(c.delayTime);
    effect->setParameter(P::distDepth, 0.0f);
    render(*effect, Mode::replace, std::vector<float>(static_cast<std::size_t>(c.writeSlot)));
    std::vector<float> input(3000, 0.0f);
    input[0] = 1.0f;
    const Stereo out = render(*effect, Mode::replace, input);
    std::vector<int> found;
    for (std::size_t i = 0; i < out.left.size(); ++i) {
        ASSERT_EQ(out.left[i], out.right[i]);
        if (out.left[i] != 0.0f) {
            EXPECT_EQ(out.left[i], 2.0f);
            found.push_back(static_cast<int>(i));
        }
    }
    EXPECT_EQ(found, c.delays);
}

// The line is written around 44101 slots while a read position that wraps moves by 44100:
// a wrapping read lies one sample further back, the slot before the wrap is read twice and
// the line's last slot never.
INSTANTIATE_TEST_SUITE_P(
    Ombrel, OmbrelDelay,
    testing::Values(DelayCase{0.0f, 0, {0}}, DelayCase{0.0f, 44100, {0}},
                    DelayCase{1.0f, 0, {1764}}, DelayCase{1.0f, 42335, {1764}},
                    DelayCase{1.0f, 42336, {1764, 1765}}, DelayCase{1.0f, 42337, {1765}},
                    DelayCase{1.0f, 44000, {1765}}, DelayCase{1.0f, 44100, {}},
                    DelayCase{0.5f, 100, {882}},
                    // Half a sample truncates to the slot before.
                    DelayCase{0.5f / 1764.0f, 7, {1}},
                    // Beyond 1 the read stays as far back as at 1, below 0 as at 0.
                    DelayCase{3.0f, 0, {1764}}, DelayCase{-2.0f, 5, {0}}));

TEST(Ombrel, WithoutSweepRateTheSweepStaysAtZero) {
    auto effect = std::make_unique<OmbrelEffect>(nullptr);
    effect->setParameter(P::sweepRate, 0.0f);
    Noise noise;
    render(*effect, Mode::replace, noise.block(20000));
    EXPECT_EQ(effect->signalState().sweepPosition, 0.0f);
    EXPECT_TRUE(effect->signalState().sweepRising);
}

TEST(Ombrel, SweepBouncesBetweenZeroAndOne) {
    auto effect = std::make_unique<OmbrelEffect>(nullptr);
    effect->setParameter(P::sweepRate, 1.0f);
    float lowest = 0.0f, highest = 0.0f;
    bool turned = false;
    for (int i = 0; i < 2500; ++i) {
        processBlock(*effect, Mode::replace, {0.0f});
        const auto& state = effect->signalState();
        lowest = std::min(lowest, state.sweepPosition);
        highest = std::max(highest, state.sweepPosition);
        turned = turned || !state.sweepRising;
    }
    EXPECT_TRUE(turned);
    // The step comes after the bounce test, so the position overshoots by up to one step.
    EXPECT_GT(highest, 1.0f);
    EXPECT_LE(highest, 1.0f + 2.0f / 1000.0f);
    EXPECT_GE(lowest, -2.0f / 1000.0f);
}

TEST(Ombrel, WithoutSweepDepthBothOutputsAreEqual) {
    for (Mode mode : {Mode::replace, Mode::add}) {
        auto effect = std::make_unique<OmbrelEffect>(nullptr);
        effect->setParameter(P::sweepDepth, 0.0f);
        effect->setParameter(P::filterFreq, 0.3f);
        effect->setParameter(P::filterRes, 0.8f);
        Noise noise;
        const Stereo out = render(*effect, mode, noise.block(10000));
        EXPECT_EQ(out.left, out.right);
    }
}

TEST(Ombrel, ResonatorGainIsOneAtItsPoleFrequency) {
    // A sine at the resonators' frequency comes out at twice its level once settled.
    auto effect = std::make_unique<OmbrelEffect>(nullptr);
    effect->setParameter(P::sweepDepth, 0.0f);
    effect->setParameter(P::filterFreq, 0.1f); // 0.05 cycles per sample
    effect->setParameter(P::filterRes, 0.5f);
    effect->setParameter(P::distDepth, 0.0f);
    effect->setParameter(P::delayTime, 0.0f);
    effect->setParameter(P::delayFeedback, 0.0f);
    std::vector<float> input(4000);
    for (std::size_t i = 0; i < input.size(); ++i) {
        input[i] = 0.25f * static_cast<float>(std::sin(0.05 * 6.283185307179586 * i));
    }
    const Stereo out = render(*effect, Mode::replace, input);
    float peak = 0.0f;
    for (std::size_t i = 2000; i < out.left.size(); ++i) {
        peak = std::max(peak, std::fabs(out.left[i]));
    }
    // Sampled at 20 points a cycle the peak may fall up to 1.3 % short of the top.
    EXPECT_GT(peak, 0.49f);
    EXPECT_LT(peak, 0.502f);
}

} // namespace
