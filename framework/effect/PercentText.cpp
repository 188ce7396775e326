#include "framework/effect/PercentText.h"

#include <cmath>
#include <cstdio>

void percentText(float value, char* text) {
    // In double precision, so that the float nearest 0.29 reads 28%, not 29%.
    const double percent = static_cast<double>(value) * 100.0;
    // A value from outside (host automation is not range-checked) must not reach an
    // undefined conversion: NaN reads 0%, values beyond the integer range read its ends.
    int whole = 0;
    if (std::isnan(percent)) {
        whole = 0;
    } else if (percent >= 2147483647.0) {
        whole = 2147483647;
    } else if (percent <= -2147483648.0) {
        whole = -2147483647 - 1;
    } else {
        whole = static_cast<int>(percent);
    }
    std::snprintf(text, 16, "%d%%", whole);
}
