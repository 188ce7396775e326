// Ombrel: an optional waveshaper and a short feedback delay feed two two-pole resonators,
// one per output, whose frequencies a bouncing sweep pushes in opposite directions.
#pragma once

#include <array>
#include <cstdint>

#include "framework/effect/ProgramBankEffect.h"

class OmbrelEffect : public ProgramBankEffect<7> {
public:
    enum Parameter : std::int32_t {
        filterFreq,
        filterRes,
        distDepth,
        sweepRate,
        sweepDepth,
        delayTime,
        delayFeedback,
    };

    static const ParameterTable<7> parameterTable;
    // Slots 0 to 44100 are used; the rest keeps every index of a rounded position inside.
    static constexpr std::int32_t kDelayLineSize = 44105;

    // Everything the processing carries from one sample to the next.
    struct SignalState {
        float sweepPosition = 0.0f;
        bool sweepRising = true;
        // Always a whole number from 0 to 44100.
        float writePosition = 0.0f;
        // Outputs one and two samples ago.
        std::array<float, 2> leftHistory{};
        std::array<float, 2> rightHistory{};
        std::array<float, kDelayLineSize> delayLine{};
    };

    // A resonator's coefficients for one frequency and radius. The cosine is the costly
    // part and the frequency often stays put from one sample to the next (a limited or an
    // unswept resonator), so each resonator keeps the coefficients of its last inputs.
    struct Coefficients {
        std::uint32_t frequencyBits = 0;
        std::uint32_t radiusBits = 0;
        float b1 = 0.0f;
        float g = 1.0f;
        float b2 = -0.0f; // -r * r with r at +0
    };

    explicit OmbrelEffect(audioMasterCallback hostCallback);

    void process(float** inputs, float** outputs, std::int32_t sampleFrames) override;
    void processReplacing(float** inputs, float** outputs, std::int32_t sampleFrames) override;

    const SignalState& signalState() const { return state; }

private:
    template <bool replacing>
    void run(const float* input, float* left, float* right, std::int32_t sampleFrames);

    SignalState state;
    // Start as the coefficients of frequency 0 and radius 0.
    Coefficients leftCoefficients;
    Coefficients rightCoefficients;
};
