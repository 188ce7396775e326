#include "plugins/ombrel/OmbrelEffect.h"

void OmbrelEffect::process(float**, float**, std::int32_t) {}

void OmbrelEffect::processReplacing(float**, float** outputs, std::int32_t sampleFrames) {
    for (std::int32_t i = 0; i < sampleFrames; ++i) {
        outputs[0][i] = 0.0f;
        outputs[1][i] = 0.0f;
    }
}
