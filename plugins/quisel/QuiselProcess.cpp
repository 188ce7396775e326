// Quisel's two signal paths: the adding processing is a modulated three-tap delay over the
// line inside the object, the replacing one a plain feedback delay over the heap ring. Every
// value is a 32-bit float; the tap positions especially must be, since one unit in the last
// place there reads a neighbouring slot.
#include <cmath>

#include "framework/effect/DelayRead.h"
#include "framework/effect/DenormalGuard.h"
#include "framework/effect/ProcessBlock.h"
#include "plugins/quisel/QuiselEffect.h"

namespace {

constexpr float kLastSlot = static_cast<float>(QuiselEffect::kChorusLineSize - 1);

// The slot a tap position reads. A position already wrapped below 0 lies in the line unless
// the oscillator's shift moved it past the end (a negative shift near the end of the line,
// or a depth far outside 0 to 1): such a position is brought back by one line length, and
// one still outside after that is reduced modulo the line length. A position that is not a
// number reads slot 0.
std::int32_t tapSlot(float position) {
    if (position >= 0.0f && position < kLastSlot + 1.0f) {
        return static_cast<std::int32_t>(position);
    }
    float whole = std::fabs(std::trunc(position));
    if (whole <= kLastSlot) {
        return static_cast<std::int32_t>(whole);
    }
    if (!std::isfinite(position)) {
        return 0;
    }
    const float back = position - 44100.0f;
    whole = std::fabs(std::trunc(back));
    if (whole > kLastSlot) {
        whole = std::fabs(std::trunc(std::fmod(back, 44100.0f)));
    }
    return static_cast<std::int32_t>(whole);
}

} // namespace

void QuiselEffect::process(float** inputs, float** outputs, std::int32_t sampleFrames) {
    if (!hasWorkToDo(inputs, outputs, sampleFrames)) {
        return;
    }
    DenormalGuard guard;
    const float* const input = inputs[0];
    float* const left = outputs[0];
    float* const right = outputs[1];

    float phase = chorus.lfoPhase;
    float write = chorus.writePosition;
    std::int32_t writeSlot = static_cast<std::int32_t>(write);
    float* const line = chorus.chorusLine.data();

    for (std::int32_t i = 0; i < sampleFrames; ++i) {
        const float x = input[i];

        phase += liveValue(lfoFreq) / 4410.0f;
        if (phase > 1.0f) {
            phase -= 1.0f;
        }
        float t = 2.0f * phase;
        if (phase > 0.5f) {
            t = 2.0f - 2.0f * phase;
        }
        const float shift = t * (liveValue(lfoDepth) * 44.1f);

        const float term = delayLengthTerm(liveValue(delayTime));
        float full = write - term * 1764.0f - shift;
        float tapLeft = write - term * 0.6f * 1764.0f - shift;
        float tapRight = write - term * 0.4f * 1764.0f - shift;
        if (full < 0.0f) {
            full += 44100.0f;
        }
        if (tapLeft < 0.0f) {
            tapLeft += 44100.0f;
        }
        if (tapRight < 0.0f) {
            tapRight += 44100.0f;
        }

        // The full tap is read before this sample's write, the other two after it.
        const float d = line[tapSlot(full)];
        line[writeSlot] = x + d * liveValue(delayFeedback);
        const float wetLeft = line[tapSlot(tapLeft)];
        const float wetRight = line[tapSlot(tapRight)];

        write = write + 1.0f;
        ++writeSlot;
        if (write > 44100.0f) {
            write = 0.0f;
            writeSlot = 0;
        }

        const float wet = liveValue(mix);
        left[i] += wetLeft * wet + x;
        right[i] += wetRight * wet + x;
    }

    chorus.lfoPhase = phase;
    chorus.writePosition = write;
}

std::int32_t QuiselEffect::runLength(std::int32_t cursor, std::int32_t readPosition,
                                     std::int32_t remaining) {
    const std::int32_t toCursorEnd = kRingSize - cursor;
    const std::int32_t toReadEnd = kRingSize - readPosition;
    if (toCursorEnd < remaining || toReadEnd < remaining) {
        return toCursorEnd < toReadEnd ? toCursorEnd : toReadEnd;
    }
    return remaining;
}

void QuiselEffect::processReplacing(float** inputs, float** outputs, std::int32_t sampleFrames) {
    if (!hasWorkToDo(inputs, outputs, sampleFrames)) {
        return;
    }
    const float* input = inputs[0];
    float* left = outputs[0];
    float* right = outputs[1];
    if (ring == nullptr) {
        // Without its ring the delay has nothing to give.
        for (std::int32_t i = 0; i < sampleFrames; ++i) {
            left[i] = 0.0f;
            right[i] = 0.0f;
        }
        return;
    }
    DenormalGuard guard;

    std::int32_t remaining = sampleFrames;
    while (remaining > 0) {
        // The user-interface thread only publishes the delay length; the read position is
        // placed behind the cursor here, so with no concurrent change it advances exactly
        // as if it had been set when the delay was.
        readPosition = cursor - delaySamples.load(std::memory_order_relaxed);
        if (readPosition < 0) {
            readPosition += ringSize;
        }
        const std::int32_t n = runLength(cursor, readPosition, remaining);

        const float feedback = liveValue(delayFeedback);
        const float wet = liveValue(mix);
        float level = meterLevel.load(std::memory_order_relaxed);
        const float* const from = ring + readPosition;
        float* const to = ring + cursor;
        for (std::int32_t i = 0; i < n; ++i) {
            const float x = input[i];
            const float y = from[i] * wet;
            if (y > level) {
                level = y;
            }
            to[i] = y * feedback + x;
            left[i] = y;
            right[i] = y;
        }
        meterLevel.store(level, std::memory_order_relaxed);

        input += n;
        left += n;
        right += n;
        cursor += n;
        if (cursor >= ringSize) {
            cursor -= ringSize;
        }
        readPosition += n;
        if (readPosition >= ringSize) {
            readPosition -= ringSize;
        }
        remaining -= n;
    }
}
