#include <gtest/gtest.h>

#include <cmath>

#include "tests/effects/EffectHarness.h"

namespace {

using P = TarvikEffect::Parameter;

std::unique_ptr<TarvikEffect> newTarvik() {
    return std::make_unique<TarvikEffect>(nullptr);
}

class TarvikModes : public testing::TestWithParam<Mode> {};
INSTANTIATE_TEST_SUITE_P(Tarvik, TarvikModes, testing::Values(Mode::replace, Mode::add),
                         [](const testing::TestParamInfo<Mode>& info) {
                             return std::string(nameOf(info.param));
                         });

TEST_P(TarvikModes, WithoutDelayBothOutputsAreTwiceTheFilterOutput) {
    auto effect = newTarvik();
    effect->setParameter(P::delaySize, 0.0f);
    Noise noise;
    const std::vector<float> input = noise.block(4000);
    for (std::size_t i = 0; i < input.size(); ++i) {
        const Stereo out = processBlock(*effect, GetParam(), {input[i]});
        const float filtered = 2.0f * effect->signalState().stageOut[3];
        ASSERT_EQ(out.left[0], filtered) << i;
        ASSERT_EQ(out.right[0], filtered) << i;
    }
    // The line was still written all along.
    const auto& line = effect->signalState().delayLine;
    EXPECT_NE(line[100], 0.0f);
    EXPECT_NE(line[3999], 0.0f);
}

struct EchoCase {
    int writeSlot;
    int leftDelay;
    int rightDelay;
};

class TarvikEcho : public testing::TestWithParam<EchoCase> {};

// With the delay at full length a value written to the line comes back 22050 samples later
// on the left and 11025 on the right, one sample later when the read position wraps.
TEST_P(TarvikEcho, ComesBackAfterTheDelayLength) {
    const EchoCase c = GetParam();
    auto effect = newTarvik();
    effect->setParameter(P::delaySize, 1.0f);
    effect->setParameter(P::delayFeedback, 0.0f);
    Noise noise;
    const int total = c.writeSlot + c.leftDelay + 2;
    float written = 0.0f;
    for (int i = 0; i < total; ++i) {
        const Stereo out = processBlock(*effect, Mode::replace, {noise.next()});
        const auto& state = effect->signalState();
        const float filtered = 2.0f * state.stageOut[3];
        if (i == c.writeSlot) {
            written = state.delayLine[static_cast<std::size_t>(c.writeSlot)];
            ASSERT_NE(written, 0.0f);
        }
        if (i == c.writeSlot + c.leftDelay) {
            EXPECT_EQ(out.left[0], filtered + written) << "left at " << i;
        }
        if (i == c.writeSlot + c.rightDelay) {
            EXPECT_EQ(out.right[0], filtered + written) << "right at " << i;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Tarvik, TarvikEcho,
                         testing::Values(EchoCase{0, 22050, 11025}, EchoCase{20000, 22050, 11025},
                                         EchoCase{30000, 22051, 11025},
                                         EchoCase{40000, 22051, 11026}));

struct EnvelopeCase {
    Mode mode;
    float limit;
};

class TarvikEnvelope : public testing::TestWithParam<EnvelopeCase> {};

TEST_P(TarvikEnvelope, StaysWithinItsLimitHoweverLoudTheInput) {
    const EnvelopeCase c = GetParam();
    auto effect = newTarvik();
    // With an attack of 0 the envelope jumps to the input's magnitude.
    effect->setParameter(P::followAttack, 0.0f);
    effect->setParameter(P::followRelease, 0.0f);
    Noise noise;
    float highest = 0.0f;
    for (int i = 0; i < 2000; ++i) {
        const float x = 100.0f * noise.next();
        processBlock(*effect, c.mode, {x});
        const float envelope = effect->signalState().envelope;
        ASSERT_GE(envelope, 0.0f);
        ASSERT_LE(envelope, c.limit);
        if (std::fabs(x) >= c.limit) {
            ASSERT_EQ(envelope, c.limit);
        }
        highest = std::max(highest, envelope);
    }
    EXPECT_EQ(highest, c.limit);
}

INSTANTIATE_TEST_SUITE_P(Tarvik, TarvikEnvelope,
                         testing::Values(EnvelopeCase{Mode::add, 0.9f},
                                         EnvelopeCase{Mode::replace, 1.0f}));

TEST_P(TarvikModes, WithoutFollowMixTheEnvelopeMovesNothing) {
    Noise noise;
    const std::vector<float> input = noise.block(20000, 0.8f);
    Stereo outs[2];
    const float speeds[2] = {0.01f, 0.99f};
    for (int i = 0; i < 2; ++i) {
        auto effect = newTarvik();
        effect->setParameter(P::followMix, 0.0f);
        effect->setParameter(P::followAttack, speeds[i]);
        effect->setParameter(P::followRelease, speeds[1 - i]);
        outs[i] = render(*effect, GetParam(), input);
    }
    EXPECT_EQ(outs[0].left, outs[1].left);
    EXPECT_EQ(outs[0].right, outs[1].right);
}

TEST(Tarvik, OscillatorStartsBelowZeroAndSettlesIntoItsCycle) {
    auto effect = newTarvik();
    effect->setParameter(P::fluctuateFreq, 1.0f);
    // 441 samples of 1 / 441 each take the phase from -1 to about 0.
    for (int i = 0; i < 400; ++i) {
        processBlock(*effect, Mode::replace, {0.0f});
        ASSERT_LT(effect->signalState().fluctuatePhase, 0.0f) << i;
    }
    for (int i = 0; i < 5000; ++i) {
        processBlock(*effect, Mode::replace, {0.0f});
    }
    const float phase = effect->signalState().fluctuatePhase;
    EXPECT_GE(phase, 0.0f);
    EXPECT_LE(phase, 1.0f);
}

} // namespace
