// Tarvik: an envelope follower and a triangle oscillator move the cutoff of a four-stage
// resonant low-pass filter, followed by a delay with a full-length tap on the left and a
// half-length tap on the right.
#pragma once

#include <array>

#include "framework/effect/ProgramBankEffect.h"

class TarvikEffect : public ProgramBankEffect<9> {
public:
    enum Parameter : std::int32_t {
        filterFreq,
        filterRes,
        followMix,
        followAttack,
        followRelease,
        fluctuateFreq,
        fluctuateDepth,
        delaySize,
        delayFeedback,
    };

    static const ParameterTable<9> parameterTable;
    // Slots 0 to 44100 are used; the rest keeps every index of a rounded position inside.
    static constexpr std::int32_t kDelayLineSize = 44105;

    // Everything the processing carries from one sample to the next.
    struct SignalState {
        float envelope = 0.0f;
        // Starts below 0, so the first oscillator cycle runs from -2 up to 0.
        float fluctuatePhase = -1.0f;
        std::array<float, 4> stageOut{};
        std::array<float, 4> stageIn{};
        // Always a whole number from 0 to 44100.
        float writePosition = 0.0f;
        std::array<float, kDelayLineSize> delayLine{};
    };

    explicit TarvikEffect(audioMasterCallback hostCallback);

    void process(float** inputs, float** outputs, std::int32_t sampleFrames) override;
    void processReplacing(float** inputs, float** outputs, std::int32_t sampleFrames) override;

    const SignalState& signalState() const { return state; }

private:
    // The two processing operations differ only in a few limits and conditions and in
    // whether they add or store; one body serves both.
    template <bool replacing>
    void run(const float* input, float* left, float* right, std::int32_t sampleFrames);

    SignalState state;
};
