#include "framework/gui/controls/SwitchPosition.h"

#include "framework/gui/controls/PixelMath.h"

std::int32_t switchPositionShown(float value, std::int32_t positions) {
    if (positions < 2) {
        return 0;
    }
    const double step = 1.0 / (positions - 1);
    for (std::int32_t i = 1; i <= positions - 1; ++i) {
        if (i * step > value) {
            return i - 1;
        }
    }
    return positions - 1;
}

float switchValueAt(std::int32_t distance, double band, std::int32_t positions,
                    bool edgeBelongsToLowerBand) {
    for (std::int32_t i = 1; i <= positions - 1; ++i) {
        const std::int32_t edge = truncateToPixels(i * band);
        if (edgeBelongsToLowerBand ? distance <= edge : distance < edge) {
            return static_cast<float>(static_cast<double>(i - 1) / (positions - 1));
        }
    }
    return 1.0f;
}
