// Quisel: its adding processing is a modulated multi-tap delay with feedback and the dry
// signal mixed in; its replacing processing is a plain feedback delay over a separate ring,
// and only that one reports a level to the host's meter.
#pragma once

#include <array>
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
    // Slots 0 to 44100 are written; the rest keeps every index of a rounded tap inside.
    static constexpr std::int32_t kChorusLineSize = 44105;

    // What the adding processing carries from one sample to the next.
    struct ChorusState {
        // Starts below 0, so the first oscillator cycle runs from -2 up to 0.
        float lfoPhase = -1.0f;
        // Always a whole number from 0 to 44100.
        float writePosition = 0.0f;
        std::array<float, kChorusLineSize> chorusLine{};
    };

    explicit QuiselEffect(audioMasterCallback hostCallback);
    ~QuiselEffect() override;

    void setParameter(std::int32_t index, float value) override;
    void suspend() override;
    void process(float** inputs, float** outputs, std::int32_t sampleFrames) override;
    void processReplacing(float** inputs, float** outputs, std::int32_t sampleFrames) override;

    // Sets the delay length of both processing operations.
    void setDelay(float value);

    // How many samples of the remaining ones the replacing processing takes in one run
    // from these positions: a run never passes the end of the ring with either of them.
    static std::int32_t runLength(std::int32_t cursor, std::int32_t readPosition,
                                  std::int32_t remaining);

    const ChorusState& chorusState() const { return chorus; }
    const float* ringData() const { return ring; }
    std::int32_t ringCursor() const { return cursor; }
    std::int32_t ringReadPosition() const { return readPosition; }

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

    ChorusState chorus;
};
