// How the two multi-position switches map between values and positions.
#pragma once

#include <cstdint>

// The position a value shows: floor(value * (positions - 1)) for values from 0 to 1, the last
// position from 1 on, the first below the first step. Fewer than 2 positions show position 0.
std::int32_t switchPositionShown(float value, std::int32_t positions);

// The value a press at distance from the switch's leading edge sets, the bands being band
// pixels each: (i - 1) / (positions - 1) for the first i with distance below (or, when
// edgeBelongsToLowerBand, not beyond) trunc(i * band); 1 after the last band.
float switchValueAt(std::int32_t distance, double band, std::int32_t positions,
                    bool edgeBelongsToLowerBand);
