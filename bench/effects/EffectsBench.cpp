// Cost per sample of each effect's two processing operations on 512-frame blocks, called
// directly on the effect classes. Noise keeps every path busy; an impulse followed by silence
// shows whether decaying state slows the processing down (it must not, by more than 10 %).
#include <benchmark/benchmark.h>

#include <cstdint>
#include <memory>
#include <utility>
#include <vector>

#include "plugins/ombrel/OmbrelEffect.h"
#include "plugins/quisel/QuiselEffect.h"
#include "plugins/tarvik/TarvikEffect.h"

namespace {

constexpr std::int32_t kBlock = 512;
constexpr std::size_t kNoiseLength = 512 * 256;

enum class Signal { noise, impulse };
enum class Call { replacing, adding };

using Settings = std::vector<std::pair<std::int32_t, float>>;

template <typename Effect>
void runEffect(benchmark::State& state, Call call, Signal signal, Settings settings) {
    auto effect = std::make_unique<Effect>(nullptr);
    for (const auto& [index, value] : settings) {
        effect->setParameter(index, value);
    }
    // The noise does not repeat from block to block: a branch predictor learns a pattern of
    // one block, which hides the cost of any branch on the signal.
    std::vector<float> in(signal == Signal::noise ? kNoiseLength : kBlock, 0.0f);
    std::vector<float> left(kBlock, 0.0f), right(kBlock, 0.0f);
    std::uint32_t seed = 12345;
    if (signal == Signal::noise) {
        for (float& s : in) {
            seed = seed * 1664525u + 1013904223u;
            s = static_cast<float>(static_cast<std::int32_t>(seed >> 8) - 8388608) / 8388608.0f;
        }
    } else {
        in[0] = 1.0f;
    }
    float* inputs[1] = {in.data()};
    float* outputs[2] = {left.data(), right.data()};
    bool first = true;
    std::size_t offset = 0;
    for (auto _ : state) {
        inputs[0] = in.data() + offset;
        offset = (offset + kBlock) % in.size();
        if (call == Call::replacing) {
            effect->processReplacing(inputs, outputs, kBlock);
        } else {
            effect->process(inputs, outputs, kBlock);
        }
        benchmark::DoNotOptimize(left.data());
        benchmark::DoNotOptimize(right.data());
        benchmark::ClobberMemory();
        if (first && signal == Signal::impulse) {
            in[0] = 0.0f;
            first = false;
        }
    }
    state.counters["ns_per_sample"] = benchmark::Counter(
        static_cast<double>(kBlock),
        benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

const Settings programZero{};
// Both resonators between 0.2 and 0.5 cycles per sample, moving with the sweep.
const Settings ombrelBothAway{{OmbrelEffect::filterFreq, 1.0f}, {OmbrelEffect::sweepDepth, 0.3f}};

template <typename Effect> void registerAll(const char* name, const char* setting, Settings s) {
    const std::pair<Call, const char*> calls[] = {{Call::replacing, "processReplacing"},
                                                  {Call::adding, "process"}};
    const std::pair<Signal, const char*> signals[] = {{Signal::noise, "noise"},
                                                      {Signal::impulse, "silence"}};
    for (const auto& [call, callName] : calls) {
        for (const auto& [signal, signalName] : signals) {
            const std::string title =
                std::string(name) + "/" + setting + "/" + callName + "/" + signalName;
            benchmark::RegisterBenchmark(
                title.c_str(), [call = call, signal = signal, s](benchmark::State& state) {
                    runEffect<Effect>(state, call, signal, s);
                });
        }
    }
}

} // namespace

int main(int argc, char** argv) {
    registerAll<TarvikEffect>("Tarvik", "program0", programZero);
    registerAll<OmbrelEffect>("Ombrel", "program0", programZero);
    registerAll<OmbrelEffect>("Ombrel", "bothAway", ombrelBothAway);
    registerAll<QuiselEffect>("Quisel", "program0", programZero);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return 1;
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
