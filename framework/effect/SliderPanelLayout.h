// What tells one slider-panel editor from another: which parameter sits where, where the
// rows of sliders and displays are, and how each display shows its parameter. Everything
// else about the editors is common (SliderPanelEditor).
#pragma once

#include <cstdint>

// One column of the panel: a slider over a value display, both for one parameter.
struct SliderPanelColumn {
    std::int32_t parameter;
    // The value the reset gesture (Alt-click) returns the slider to.
    float defaultValue;
    // The display shows the parameter's value multiplied by this.
    float displayScale;
    // The display shows percent ("50%") instead of its own "%2.2f".
    bool percent;
};

struct SliderPanelLayout {
    // Columns from left to right; there is one per parameter of the effect.
    const SliderPanelColumn* columns;
    std::int32_t columnCount;
    // Window rows of the top edges of the sliders and of the displays.
    std::int32_t sliderTop;
    std::int32_t displayTop;
};

// Geometry shared by every layout, for the shipped track (16 pixels wide): columns 34 pixels
// apart, the first slider 31 pixels from the left edge and its display, 30 pixels wide,
// centred under it.
inline constexpr std::int32_t sliderPanelFirstSliderLeft = 31;
inline constexpr std::int32_t sliderPanelFirstDisplayLeft = 23;
inline constexpr std::int32_t sliderPanelColumnGap = 18;
inline constexpr std::int32_t sliderPanelDisplayWidth = 30;
inline constexpr std::int32_t sliderPanelDisplayHeight = 14;

// Resource ids of the three bitmaps every slider-panel plug-in ships.
inline constexpr int bitmapBackground = 128;
inline constexpr int bitmapSliderTrack = 129;
inline constexpr int bitmapSliderHandle = 130;
