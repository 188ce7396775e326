// What every processing call checks before it touches a sample: frames to do, and the one
// input and two outputs our effects use.
#pragma once

#include <cstdint>

inline bool hasWorkToDo(float** inputs, float** outputs, std::int32_t sampleFrames) {
    return sampleFrames > 0 && inputs != nullptr && outputs != nullptr && inputs[0] != nullptr &&
           outputs[0] != nullptr && outputs[1] != nullptr;
}
