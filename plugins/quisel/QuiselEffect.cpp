#include "plugins/quisel/QuiselEffect.h"

#include <cmath>
#include <new>

const ParameterTable<5> QuiselEffect::parameterTable = {
    {{
        // name, unit, value text, program default, initial value
        {" Delay  ", "samples ", ValueText::asInteger, 0.5f, 0.0f},
        {"FeedBack", " amount ", ValueText::asFloat, 0.5f, 0.0f},
        {" Volume ", "   dB   ", ValueText::asDecibels, 0.75f, 0.0f},
        {" freq ", "   fr   ", ValueText::asFloat, 0.5f, 0.5f},
        {" depth ", "   dep   ", ValueText::asFloat, 0.5f, 0.8f},
    }},
    {0, 1, 2, 3, 4},
};

namespace {

// The delay length in whole samples: 40 ms at full scale, like the adding processing's
// longest tap, within the ring.
std::int32_t delaySamplesFor(float value) {
    if (std::isnan(value)) {
        return 0;
    }
    const double samples = std::trunc(static_cast<double>(value) * 1764.0);
    if (samples < 0.0) {
        return 0;
    }
    if (samples > QuiselEffect::kRingSize - 1) {
        return QuiselEffect::kRingSize - 1;
    }
    return static_cast<std::int32_t>(samples);
}

} // namespace

QuiselEffect::QuiselEffect(audioMasterCallback hostCallback)
    : ProgramBankEffect(hostCallback, parameterTable) {
    ring = new (std::nothrow) float[kRingSize];
    if (ring == nullptr) {
        outOfMemory = true;
    }
    finishConstruction();
    suspend();
}

QuiselEffect::~QuiselEffect() {
    delete[] ring;
}

void QuiselEffect::setParameter(std::int32_t index, float value) {
    if (index == delayTime) {
        setDelay(value);
        notifyEditor();
        return;
    }
    ProgramBankEffect::setParameter(index, value);
}

void QuiselEffect::setDelay(float value) {
    storeParameter(delayTime, value);
    // The audio thread places its read position behind the cursor at its next run, so the
    // two threads never write the same position.
    delaySamples.store(delaySamplesFor(value), std::memory_order_relaxed);
}

void QuiselEffect::suspend() {
    if (ring == nullptr) {
        return;
    }
    for (std::int32_t i = 0; i < ringSize; ++i) {
        ring[i] = 0.0f;
    }
}

float QuiselEffect::valueForText(std::int32_t index) {
    if (index == delayTime) {
        return static_cast<float>(delaySamples.load(std::memory_order_relaxed));
    }
    return ProgramBankEffect::valueForText(index);
}
