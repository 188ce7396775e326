// Turning computed coordinates into pixels. Values set from outside are not range-checked, so
// a product can be far beyond what an int holds, or not a number at all.
#pragma once

#include <cstdint>

// Drops the fraction, rounding toward 0; NaN gives 0 and the far ends are held at +-1e9.
inline std::int32_t truncateToPixels(double pixels) {
    if (pixels != pixels) {
        return 0;
    }
    if (pixels < -1.0e9) {
        return -1000000000;
    }
    if (pixels > 1.0e9) {
        return 1000000000;
    }
    return static_cast<std::int32_t>(pixels);
}
