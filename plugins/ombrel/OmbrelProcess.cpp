// Ombrel's signal path. Every value is a 32-bit float except the resonators' cosine and
// square root, which run in double precision on a double argument, and the input gain, a
// double product narrowed when it is stored. The state lives in locals for the length of a
// block and goes back into the object at its end.
#include <bit>
#include <cmath>
#if defined(__SSE__) || defined(_M_X64)
#include <xmmintrin.h>
#endif

#include "framework/effect/DelayRead.h"
#include "framework/effect/DenormalGuard.h"
#include "framework/effect/ProcessBlock.h"
#include "plugins/ombrel/OmbrelEffect.h"

namespace {

// x above 1 becomes 1, below -1 becomes -1; NaN stays. Most shaped samples lie beyond 1 on
// one side or the other, in an order no branch predictor can follow, so on x86 this is a
// minimum and a maximum instruction (each passes its second operand through when unordered).
float limitToUnit(float x) {
#if defined(__SSE__) || defined(_M_X64)
    const __m128 limited =
        _mm_min_ss(_mm_set_ss(1.0f), _mm_max_ss(_mm_set_ss(-1.0f), _mm_set_ss(x)));
    return _mm_cvtss_f32(limited);
#else
    if (x > 1.0f) {
        return 1.0f;
    }
    return x < -1.0f ? -1.0f : x;
#endif
}

float limitFrequency(float c) {
    if (c > 1.0f) {
        return 1.0f;
    }
    if (c < 0.0f) {
        return 0.0f;
    }
    return c;
}

// The coefficients for a frequency c (cycles per sample) and a radius r, from the cache
// when both are bit for bit the last ones.
const OmbrelEffect::Coefficients& coefficientsFor(OmbrelEffect::Coefficients& cache, float c,
                                                  float r) {
    const std::uint32_t cBits = std::bit_cast<std::uint32_t>(c);
    const std::uint32_t rBits = std::bit_cast<std::uint32_t>(r);
    if (cBits != cache.frequencyBits || rBits != cache.radiusBits) {
        const float cs = static_cast<float>(std::cos(c * 6.28318530718));
        cache.frequencyBits = cBits;
        cache.radiusBits = rBits;
        cache.b1 = 2.0f * r * cs;
        cache.g = static_cast<float>(
            (1.0f - r) * std::sqrt(static_cast<double>(r * (r - 4.0f * cs * cs + 2.0f) + 1.0f)));
        cache.b2 = -r * r;
    }
    return cache;
}

} // namespace

template <bool replacing>
void OmbrelEffect::run(const float* input, float* left, float* right, std::int32_t sampleFrames) {
    // Each chunk runs in two passes. The first reads the live values of each sample, moves
    // the sweep and works out both resonators' coefficients, where the two cosines are; the
    // second runs the shaper, the delay and the resonators, whose recursion then has no
    // library call in between to spill its registers around.
    constexpr std::int32_t kChunk = 64;
    struct Sample {
        Coefficients left;
        Coefficients right;
        float drive;
        float delay;
        float feedback;
    };
    Sample plan[kChunk];

    float position = state.sweepPosition;
    bool rising = state.sweepRising;
    float write = state.writePosition;
    std::int32_t writeSlot = static_cast<std::int32_t>(write);
    float left1 = state.leftHistory[0], left2 = state.leftHistory[1];
    float right1 = state.rightHistory[0], right2 = state.rightHistory[1];
    float* const line = state.delayLine.data();
    Coefficients leftCache = leftCoefficients;
    Coefficients rightCache = rightCoefficients;

    for (std::int32_t start = 0; start < sampleFrames; start += kChunk) {
        const std::int32_t count = sampleFrames - start < kChunk ? sampleFrames - start : kChunk;

        for (std::int32_t i = 0; i < count; ++i) {
            // The bounce test comes before the step, so the position may overshoot by one
            // step.
            if (position > 1.0f) {
                position = 1.0f;
                rising = false;
            } else if (position < 0.0f) {
                position = 0.0f;
                rising = true;
            }
            const float step = liveValue(sweepRate) / 1000.0f;
            if (rising) {
                position += step;
            } else {
                position -= step;
            }

            const float half = liveValue(filterFreq) / 2.0f;
            const float depth = liveValue(sweepDepth);
            const float cLeft = limitFrequency(half - depth * position);
            const float cRight = limitFrequency(half - (1.0f - position) * depth);
            float r = liveValue(filterRes);
            if (r > 0.9f) {
                r = 0.9f;
            }
            Sample& sample = plan[i];
            sample.left = coefficientsFor(leftCache, cLeft, r);
            sample.right = coefficientsFor(rightCache, cRight, r);
            sample.drive = liveValue(distDepth);
            sample.delay = delayLengthTerm(liveValue(delayTime)) * 1764.0f;
            sample.feedback = liveValue(delayFeedback);
        }

        for (std::int32_t i = 0; i < count; ++i) {
            const Sample& sample = plan[i];
            float x = input[start + i];

            if (sample.drive > 0.0f) {
                const float k = 20.0f * sample.drive;
                // The integer magnitude: 0 for every input strictly between -1 and 1.
                const float n = std::fabs(x) < 1.0f ? 0.0f : std::fabs(std::trunc(x));
                x = ((n + k) * x) / (n * (k - 1.0f) + x * x + 1.0f);
                x = limitToUnit(x);
            }

            float read = write - sample.delay;
            if (read < 0.0f) {
                read += 44100.0f;
            }
            // The read follows the write, so with no delay the input passes through.
            line[writeSlot] = x;
            x = line[slotOf(read)];
            line[writeSlot] = line[writeSlot] + x * sample.feedback;
            write = write + 1.0f;
            ++writeSlot;
            if (write > 44100.0f) {
                write = 0.0f;
                writeSlot = 0;
            }

            const Coefficients& lc = sample.left;
            const float yLeft = lc.g * x + lc.b1 * left1 + lc.b2 * left2;
            left2 = left1;
            left1 = yLeft;
            const Coefficients& rc = sample.right;
            const float yRight = rc.g * x + rc.b1 * right1 + rc.b2 * right2;
            right2 = right1;
            right1 = yRight;

            if constexpr (replacing) {
                left[start + i] = 2.0f * yLeft;
                right[start + i] = 2.0f * yRight;
            } else {
                left[start + i] += 2.0f * yLeft;
                right[start + i] += 2.0f * yRight;
            }
        }
    }

    state.sweepPosition = position;
    state.sweepRising = rising;
    state.writePosition = write;
    state.leftHistory = {left1, left2};
    state.rightHistory = {right1, right2};
    leftCoefficients = leftCache;
    rightCoefficients = rightCache;
}

void OmbrelEffect::process(float** inputs, float** outputs, std::int32_t sampleFrames) {
    if (!hasWorkToDo(inputs, outputs, sampleFrames)) {
        return;
    }
    DenormalGuard guard;
    run<false>(inputs[0], outputs[0], outputs[1], sampleFrames);
}

void OmbrelEffect::processReplacing(float** inputs, float** outputs, std::int32_t sampleFrames) {
    if (!hasWorkToDo(inputs, outputs, sampleFrames)) {
        return;
    }
    DenormalGuard guard;
    run<true>(inputs[0], outputs[0], outputs[1], sampleFrames);
}
