// How the effects turn a delay parameter and a read position into a slot of their lines.
#pragma once

#include <cstdint>

// The delay-length term of a read position uses the parameter within 0 to 1 (NaN as 0), so
// that no host value can move a read outside the line; values inside 0 to 1 pass unchanged.
inline float delayLengthTerm(float value) {
    if (!(value > 0.0f)) {
        return 0.0f;
    }
    return value < 1.0f ? value : 1.0f;
}

// The slot of a read position already known to lie from 0 to the line's end: its whole part.
inline std::int32_t slotOf(float position) {
    return static_cast<std::int32_t>(position);
}
