// Tarvik's signal path. Every value is a 32-bit float except the filter's two coefficients,
// which are doubles; where a float meets them the operation runs in double precision and
// the result is narrowed when it is stored. The state lives in locals for the length of a
// block and goes back into the object at its end.
#include <cmath>

#include "framework/effect/DelayRead.h"
#include "framework/effect/DenormalGuard.h"
#include "framework/effect/ProcessBlock.h"
#include "plugins/tarvik/TarvikEffect.h"

template <bool replacing>
void TarvikEffect::run(const float* input, float* left, float* right, std::int32_t sampleFrames) {
    // The follower's two coefficients hold for the whole block; everything else is read
    // afresh at every sample.
    const float attack = liveValue(followAttack);
    const float release = liveValue(followRelease);

    constexpr float envelopeLimit = replacing ? 1.0f : 0.9f;
    constexpr float cutoffLimit = replacing ? 1.0f : 0.9f;

    float envelope = state.envelope;
    float phase = state.fluctuatePhase;
    float out0 = state.stageOut[0], out1 = state.stageOut[1];
    float out2 = state.stageOut[2], out3 = state.stageOut[3];
    float in0 = state.stageIn[0], in1 = state.stageIn[1];
    float in2 = state.stageIn[2], in3 = state.stageIn[3];
    float write = state.writePosition;
    std::int32_t writeSlot = static_cast<std::int32_t>(write);
    float* const line = state.delayLine.data();

    for (std::int32_t i = 0; i < sampleFrames; ++i) {
        const float x = input[i];

        const float magnitude = std::fabs(x);
        const float k = magnitude > envelope ? attack : release;
        envelope = magnitude * (1.0f - k) + envelope * k;
        if (envelope > envelopeLimit) {
            envelope = envelopeLimit;
        } else if (envelope < -envelopeLimit) {
            envelope = -envelopeLimit;
        }

        phase += liveValue(fluctuateFreq) / 441.0f;
        if (phase > 1.0f) {
            phase -= 1.0f;
        }
        float t = 2.0f * phase;
        if (phase > 0.5f) {
            t = 2.0f - 2.0f * phase;
        }

        const float mix = liveValue(followMix);
        const float depth = liveValue(fluctuateDepth);
        float c = liveValue(filterFreq);
        if (replacing || depth > 0.0f) {
            c = c - t * (depth * 0.441f);
        }
        if constexpr (replacing) {
            c = c + mix * envelope;
        } else if (mix > 0.0f) {
            c = c + (mix / 3.0f) * envelope;
        }
        if (c > cutoffLimit) {
            c = cutoffLimit;
        } else if (c < 0.1f) {
            c = 0.1f;
        }

        float q = 4.0f * liveValue(filterRes);
        if (mix > 0.0f) {
            q = q + mix * envelope;
        }
        if (q > 4.0f) {
            q = 4.0f;
        } else if (q < 0.0f) {
            q = 0.0f;
        }

        const double f = 1.16 * c;
        const double fb = q * (1 - 0.15 * f * f);
        const double decay = 1 - f;
        const float u = static_cast<float>((x - fb * out3) * 0.35013 * (f * f) * (f * f));
        out0 = static_cast<float>((u + 0.3f * in0) + decay * out0);
        in0 = u;
        out1 = static_cast<float>((out0 + 0.3f * in1) + decay * out1);
        in1 = out0;
        out2 = static_cast<float>((out1 + 0.3f * in2) + decay * out2);
        in2 = out1;
        out3 = static_cast<float>((out2 + 0.3f * in3) + decay * out3);
        in3 = out2;

        float l = 2.0f * out3;
        float r = l;

        const float size = liveValue(delaySize);
        const float term = delayLengthTerm(size);
        float full = write - term * 22050.0f;
        if (full < 0.0f) {
            full += 44100.0f;
        }
        if (size > 0.0f) {
            l = l + line[slotOf(full)];
        }
        line[writeSlot] = u + l * liveValue(delayFeedback);
        float half = write - term * 0.5f * 22050.0f;
        if (half < 0.0f) {
            half += 44100.0f;
        }
        if (size > 0.0f) {
            r = r + line[slotOf(half)];
        }
        write = write + 1.0f;
        ++writeSlot;
        if (write > 44100.0f) {
            write = 0.0f;
            writeSlot = 0;
        }

        if constexpr (replacing) {
            left[i] = l;
            right[i] = r;
        } else {
            left[i] += l;
            right[i] += r;
        }
    }

    state.envelope = envelope;
    state.fluctuatePhase = phase;
    state.stageOut = {out0, out1, out2, out3};
    state.stageIn = {in0, in1, in2, in3};
    state.writePosition = write;
}

void TarvikEffect::process(float** inputs, float** outputs, std::int32_t sampleFrames) {
    if (!hasWorkToDo(inputs, outputs, sampleFrames)) {
        return;
    }
    DenormalGuard guard;
    run<false>(inputs[0], outputs[0], outputs[1], sampleFrames);
}

void TarvikEffect::processReplacing(float** inputs, float** outputs, std::int32_t sampleFrames) {
    if (!hasWorkToDo(inputs, outputs, sampleFrames)) {
        return;
    }
    DenormalGuard guard;
    run<true>(inputs[0], outputs[0], outputs[1], sampleFrames);
}
