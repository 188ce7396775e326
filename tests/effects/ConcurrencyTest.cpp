// The host's user-interface thread sets parameters, switches programs and reads texts and
// the meter while its audio thread processes. Run under ThreadSanitizer (label tsan), the
// test must give no report.
#include <gtest/gtest.h>

#include <atomic>
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

} // namespace
