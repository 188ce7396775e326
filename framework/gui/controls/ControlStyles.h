// Style bits of the controls. Each control reads only the bits that concern it and ignores
// the others, so one style value can be handed around unchanged.
#pragma once

#include <cstdint>

// Value display: the text drawn a second time, one pixel right and down, in the shadow colour.
inline constexpr std::int32_t styleShadowText = 4;
// Horizontal slider drawing: value 0 at the left end (else at the right end).
inline constexpr std::int32_t styleOriginLeft = 8;
// Horizontal slider dragging: the value is measured from the right end (else from the left).
inline constexpr std::int32_t styleOriginRight = 16;
// Vertical slider drawing: value 0 at the top (else at the bottom).
inline constexpr std::int32_t styleOriginTop = 32;
// Vertical slider dragging: the value is measured from the bottom (else from the top).
inline constexpr std::int32_t styleOriginBottom = 64;
// Value display edges: top and left in the background colour, bottom and right in the border
// colour, and no plain border. Wins over style3DOut when both are set.
inline constexpr std::int32_t style3DIn = 128;
// Value display edges: top and left in the border colour, bottom and right in the background
// colour, and no plain border.
inline constexpr std::int32_t style3DOut = 256;
