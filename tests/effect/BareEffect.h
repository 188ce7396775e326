// The smallest concrete effect: the framework's defaults, with a few hooks the tests watch.
#pragma once

#include "framework/effect/ExtendedEffect.h"

class BareEffect : public ExtendedEffect {
public:
    explicit BareEffect(audioMasterCallback host, std::int32_t programs = 16,
                        std::int32_t parameters = 4)
        : ExtendedEffect(host, programs, parameters) {}
    ~BareEffect() override {
        if (destroyed != nullptr) {
            *destroyed = true;
        }
    }

    void process(float**, float**, std::int32_t) override {}
    void suspend() override { ++suspendCount; }
    void resume() override { ++resumeCount; }
    float getMeterLevel() override { return meter; }

    using EffectBase::blockSize;
    using EffectBase::currentProgram;
    using EffectBase::sampleRate;

    int suspendCount = 0;
    int resumeCount = 0;
    float meter = 0.0f;
    bool* destroyed = nullptr;
};
