// The host's user-interface thread sets parameters, switches programs and reads texts and
// the meter while its audio thread processes. Run under ThreadSanitizer (label tsan), the
// test must give no report.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

#include "tests/effects/EffectHarness.h"

namespace {

class Concurrency : public testing::TestWithParam<Kind> {};

TEST_P(Concurrency, ProcessingWhileTheUserInterfaceChangesParametersAndPrograms) {
    const Kind kind = GetParam();
    auto effect = newEffect(kind);
    std::atomic<bool> running{true};
    std::atomic<int> blocksDone{0};

    std::thread audio([&] {
        Noise noise;
        std::vector<float> in = noise.block(256), left(256), right(256);
        float* inputs[1] = {in.data()};
        float* outputs[2] = {left.data(), right.data()};
        while (running.load(std::memory_order_relaxed)) {
            effect->processReplacing(inputs, outputs, 256);
            effect->process(inputs, outputs, 256);
            effect->processReplacing(inputs, outputs, 100);
            blocksDone.fetch_add(1, std::memory_order_relaxed);
        }
    });

    Noise values;
    char text[64];
    const std::int32_t count = parameterCountOf(kind);
    for (int step = 0; step < 20000; ++step) {
        const auto index = static_cast<std::int32_t>((values.next() + 1.0f) * 0.5f * count);
        effect->setParameter(index < count ? index : count - 1, values.next() + 1.0f);
        if (step % 50 == 0) {
            effect->setProgram(step / 50 % 16);
        }
        effect->getParameter(index % count);
        effect->getParameterText(index % count, text);
        effect->getMeterLevel();
        effect->getProgramName(text);
        if (step % 1000 == 0) {
            // Give the audio thread a chance on a loaded machine.
            std::this_thread::yield();
        }
    }
    // Make sure the two really overlapped.
    while (blocksDone.load(std::memory_order_relaxed) < 50) {
        effect->setParameter(0, values.next());
        std::this_thread::yield();
    }
    running.store(false);
    audio.join();
    EXPECT_GE(blocksDone.load(), 50);
}

INSTANTIATE_TEST_SUITE_P(Effects, Concurrency,
                         testing::Values(Kind::tarvik, Kind::ombrel, Kind::quisel),
                         [](const testing::TestParamInfo<Kind>& info) {
                             return std::string(nameOf(info.param));
                         });

// One long block on the audio thread while the user-interface thread changes a value part-way
// through it. Returns the block's output; the change is made a few milliseconds in.
Stereo blockWithChangeDuring(TarvikEffect& effect, const std::vector<float>& input,
                             std::int32_t index, float value) {
    // Everything is in place before the audio thread starts, so that the change lands in
    // the processing and not in the preparation.
    std::vector<float> in = input;
    Stereo out{std::vector<float>(input.size(), 0.0f), std::vector<float>(input.size(), 0.0f)};
    float* inputs[1] = {in.data()};
    float* outputs[2] = {out.left.data(), out.right.data()};
    std::atomic<bool> started{false};
    std::thread audio([&] {
        started.store(true);
        effect.processReplacing(inputs, outputs, static_cast<std::int32_t>(in.size()));
    });
    while (!started.load()) {
        std::this_thread::yield();
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
    effect.setParameter(index, value);
    audio.join();
    return out;
}

Stereo renderWhole(const std::vector<float>& input, std::int32_t index, float value) {
    TarvikEffect effect(nullptr);
    effect.setParameter(index, value);
    return processBlock(effect, Mode::replace, input);
}

constexpr std::size_t kLongBlock = 1 << 21;

// The follower's coefficients are read once per block: a change part-way through a block
// leaves the whole block as it would have been without it.
TEST(ReadingPoints, FollowerCoefficientsHoldForTheWholeBlock) {
    Noise noise;
    const std::vector<float> input = noise.block(kLongBlock);
    const Stereo before = renderWhole(input, TarvikEffect::followAttack, 0.5f);
    const Stereo after = renderWhole(input, TarvikEffect::followAttack, 0.05f);
    ASSERT_NE(before.left, after.left);

    auto effect = std::make_unique<TarvikEffect>(nullptr);
    const Stereo out = blockWithChangeDuring(*effect, input, TarvikEffect::followAttack, 0.05f);
    // Had the change come before the block began, the whole block shows it.
    RecordProperty("changeSeenFromBlockStart", out.left == after.left ? "yes" : "no");
    EXPECT_TRUE(out.left == before.left || out.left == after.left);
}

// Every other value is read at every sample: the block follows the old value up to some
// sample and the new one from there on.
TEST(ReadingPoints, CutoffFollowsTheLiveValueWithinTheBlock) {
    Noise noise;
    const std::vector<float> input = noise.block(kLongBlock);
    const Stereo before = renderWhole(input, TarvikEffect::filterFreq, 0.5f);

    auto effect = std::make_unique<TarvikEffect>(nullptr);
    const Stereo out = blockWithChangeDuring(*effect, input, TarvikEffect::filterFreq, 0.2f);
    std::size_t k = 0;
    while (k < input.size() && out.left[k] == before.left[k]) {
        ++k;
    }
    if (k == input.size()) {
        GTEST_SKIP() << "the change came after the block";
    }
    RecordProperty("changedAtSample", static_cast<int>(k));
    // The same block processed in two calls, the value changed between them at sample k.
    TarvikEffect split(nullptr);
    const std::vector<float> head(input.begin(), input.begin() + static_cast<std::ptrdiff_t>(k));
    const std::vector<float> tail(input.begin() + static_cast<std::ptrdiff_t>(k), input.end());
    Stereo expected = processBlock(split, Mode::replace, head);
    split.setParameter(TarvikEffect::filterFreq, 0.2f);
    const Stereo rest = processBlock(split, Mode::replace, tail);
    expected.left.insert(expected.left.end(), rest.left.begin(), rest.left.end());
    EXPECT_EQ(out.left, expected.left) << "changed at sample " << k;
}

} // namespace
