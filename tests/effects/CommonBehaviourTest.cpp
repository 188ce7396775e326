// What the three effects' processing has in common: silence, empty calls, block sizes,
// in-place buffers, hostile parameter values and the meter.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <tuple>

#include "tests/effects/EffectHarness.h"

namespace {

using KindAndMode = std::tuple<Kind, Mode>;

std::string caseName(const testing::TestParamInfo<KindAndMode>& info) {
    return std::string(nameOf(std::get<0>(info.param))) + "_" + nameOf(std::get<1>(info.param));
}

class EveryOperation : public testing::TestWithParam<KindAndMode> {
protected:
    Kind kind() const { return std::get<0>(GetParam()); }
    Mode mode() const { return std::get<1>(GetParam()); }
};

INSTANTIATE_TEST_SUITE_P(Effects, EveryOperation,
                         testing::Combine(testing::Values(Kind::tarvik, Kind::ombrel, Kind::quisel),
                                          testing::Values(Mode::replace, Mode::add)),
                         caseName);

TEST_P(EveryOperation, SilenceInGivesSilenceOutWhateverTheParameters) {
    const float settings[] = {0.0f, 0.5f, 1.0f, 1.5f, -0.5f};
    for (float value : settings) {
        auto effect = newEffect(kind());
        for (std::int32_t index = 0; index < parameterCountOf(kind()); ++index) {
            effect->setParameter(index, value);
        }
        const Stereo out = render(*effect, mode(), std::vector<float>(50000, 0.0f));
        for (std::size_t i = 0; i < out.left.size(); ++i) {
            ASSERT_EQ(out.left[i], 0.0f) << "value " << value << " sample " << i;
            ASSERT_EQ(out.right[i], 0.0f) << "value " << value << " sample " << i;
        }
    }
}

TEST_P(EveryOperation, EmptyOrNegativeCallsChangeNothing) {
    auto effect = newEffect(kind());
    auto fresh = newEffect(kind());
    float* none[2] = {nullptr, nullptr};
    std::vector<float> in(8, 0.5f), left(8, 0.25f), right(8, 0.25f);
    float* inputs[1] = {in.data()};
    float* outputs[2] = {left.data(), right.data()};
    for (std::int32_t frames : {0, -1, -512}) {
        if (mode() == Mode::replace) {
            effect->processReplacing(nullptr, nullptr, frames);
            effect->processReplacing(none, none, frames);
            effect->processReplacing(inputs, outputs, frames);
        } else {
            effect->process(nullptr, nullptr, frames);
            effect->process(none, none, frames);
            effect->process(inputs, outputs, frames);
        }
    }
    EXPECT_EQ(left, std::vector<float>(8, 0.25f));
    EXPECT_EQ(right, std::vector<float>(8, 0.25f));

    // The state did not move either: the effect renders as a fresh one does.
    Noise noise;
    const std::vector<float> input = noise.block(3000);
    const Stereo a = render(*effect, mode(), input);
    const Stereo b = render(*fresh, mode(), input);
    EXPECT_EQ(a.left, b.left);
    EXPECT_EQ(a.right, b.right);
}

TEST_P(EveryOperation, BlockSizesDoNotChangeTheResult) {
    Noise noise;
    const std::vector<float> input = noise.block(6000);
    auto whole = newEffect(kind());
    const Stereo expected = render(*whole, mode(), input, input.size());
    for (std::size_t blockSize : {1u, 7u, 64u, 512u}) {
        auto effect = newEffect(kind());
        const Stereo out = render(*effect, mode(), input, blockSize);
        EXPECT_EQ(out.left, expected.left) << "block size " << blockSize;
        EXPECT_EQ(out.right, expected.right) << "block size " << blockSize;
    }
}

TEST_P(EveryOperation, InPlaceBuffersGiveTheSameResult) {
    Noise noise;
    const std::vector<float> input = noise.block(2000);
    const auto frames = static_cast<std::int32_t>(input.size());
    auto call = [this, frames](EffectBase& effect, float* in, float* left, float* right) {
        float* inputs[1] = {in};
        float* outputs[2] = {left, right};
        if (mode() == Mode::replace) {
            effect.processReplacing(inputs, outputs, frames);
        } else {
            effect.process(inputs, outputs, frames);
        }
    };

    // Separate buffers; the adding call starts from a left output that holds the input,
    // which is what it finds when the host hands one buffer as both.
    auto reference = newEffect(kind());
    std::vector<float> in = input;
    std::vector<float> left = mode() == Mode::add ? input : std::vector<float>(input.size());
    std::vector<float> right(input.size(), 0.0f);
    call(*reference, in.data(), left.data(), right.data());

    auto effect = newEffect(kind());
    std::vector<float> shared = input;
    std::vector<float> sharedRight(input.size(), 0.0f);
    call(*effect, shared.data(), shared.data(), sharedRight.data());
    EXPECT_EQ(shared, left);
    EXPECT_EQ(sharedRight, right);
}

// Values a host may send although they make no sense; every read must stay inside its line
// (the address-sanitizer build catches a read outside), and values inside 0 to 1 must still
// behave as before once the host sends them again.
TEST_P(EveryOperation, HostileValuesKeepEveryReadInsideTheLines) {
    const float hostile[] = {std::numeric_limits<float>::infinity(),
                             -std::numeric_limits<float>::infinity(),
                             std::numeric_limits<float>::quiet_NaN(),
                             1e30f,
                             -1e30f,
                             1e6f,
                             -3.0f,
                             44.0f};
    Noise noise;
    const std::vector<float> input = noise.block(2048);
    for (std::int32_t index = 0; index < parameterCountOf(kind()); ++index) {
        for (float value : hostile) {
            auto effect = newEffect(kind());
            effect->setParameter(index, value);
            render(*effect, mode(), input);
            // Long enough to pass the end of every line once.
            for (int i = 0; i < 24; ++i) {
                render(*effect, mode(), input);
            }
        }
    }
    // Every parameter hostile at once.
    for (float value : hostile) {
        auto effect = newEffect(kind());
        for (std::int32_t index = 0; index < parameterCountOf(kind()); ++index) {
            effect->setParameter(index, value);
        }
        for (int i = 0; i < 24; ++i) {
            render(*effect, mode(), input);
        }
    }
}

TEST(Meter, OnlyQuiselsReplacingProcessingRaisesIt) {
    Noise noise;
    const std::vector<float> input = noise.block(50000);
    for (Kind kind : {Kind::tarvik, Kind::ombrel, Kind::quisel}) {
        for (Mode mode : {Mode::replace, Mode::add}) {
            auto effect = newEffect(kind);
            render(*effect, mode, input);
            const bool raises = kind == Kind::quisel && mode == Mode::replace;
            if (raises) {
                EXPECT_GT(effect->getMeterLevel(), 0.0f);
            } else {
                EXPECT_EQ(effect->getMeterLevel(), 0.0f) << nameOf(kind) << " " << nameOf(mode);
            }
            EXPECT_EQ(effect->getMeterLevel(), 0.0f) << "a second call reads 0";
        }
    }
}

} // namespace
