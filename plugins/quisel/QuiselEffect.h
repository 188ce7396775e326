// Quisel: its adding processing is a modulated multi-tap delay with feedback and the dry
// signal mixed in; its replacing processing is a plain feedback delay over a separate ring,
// and only that one reports a level to the host's meter.
#pragma once

#include <atomic>

#include "framework/effect/ProgramBankEffect.h"

class QuiselEffect : public ProgramBankEffect<5> {
public:
    enum Parameter : std::int32_t {
        delayTime,
        delayFeedback,
        mix,
        lfoFreq,
        lfoDepth,
    };

    static const ParameterTable<5> parameterTable;
    static constexpr std::int32_t kRingSize = 44100;

    explicit QuiselEffect(audioMasterCallback hostCallback);
    ~QuiselEffect() override;

    void setParameter(std::int32_t index, float value) override;
    void suspend() override;
    void process(float** inputs, float** outputs, std::int32_t sampleFrames) override;
    void processReplacing(float** inputs, float** outputs, std::int32_t sampleFrames) override;

    // Sets the delay length of both processing operations.
    void setDelay(float value);

protected:
    float valueForText(std::int32_t index) override;

private:
    // The delay line of the replacing processing, on the heap.
    std::int32_t ringSize = kRingSize;
    float* ring = nullptr;
    std::int32_t cursor = 0;
    std::int32_t readPosition = 0;
    // Set by the user-interface thread, read by the audio thread at the start of a run.
    std::atomic<std::int32_t> delaySamples{0};
};
