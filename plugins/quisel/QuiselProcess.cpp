#include "plugins/quisel/QuiselEffect.h"

void QuiselEffect::process(float**, float**, std::int32_t) {}

void QuiselEffect::processReplacing(float**, float** outputs, std::int32_t sampleFrames) {
    for (std::int32_t i = 0; i < sampleFrames; ++i) {
        outputs[0][i] = 0.0f;
        outputs[1][i] = 0.0f;
    }
}
