// Tarvik: an envelope follower and a triangle oscillator move the cutoff of a four-stage
// resonant low-pass filter, followed by a delay with a full-length tap on the left and a
// half-length tap on the right.
#pragma once

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

    explicit TarvikEffect(audioMasterCallback hostCallback);

    void process(float** inputs, float** outputs, std::int32_t sampleFrames) override;
    void processReplacing(float** inputs, float** outputs, std::int32_t sampleFrames) override;
};
