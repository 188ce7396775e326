// Ombrel: an optional waveshaper and a short feedback delay feed two two-pole resonators,
// one per output, whose frequencies a bouncing sweep pushes in opposite directions.
#pragma once

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

    explicit OmbrelEffect(audioMasterCallback hostCallback);

    void process(float** inputs, float** outputs, std::int32_t sampleFrames) override;
    void processReplacing(float** inputs, float** outputs, std::int32_t sampleFrames) override;
};
