#include "plugins/tarvik/TarvikEditor.h"

#include "plugins/tarvik/TarvikEffect.h"

#include <iterator>

namespace {

// Left to right under the painted sections Filter, Follow, Fluctuate and Delay.
constexpr SliderPanelColumn columns[] = {
    // parameter, reset value, display scale, percent display
    {TarvikEffect::filterFreq, 0.5f, 1.0f, false},      // Filter: Freq
    {TarvikEffect::filterRes, 0.5f, 1.0f, true},        // Filter: Res
    {TarvikEffect::followAttack, 0.75f, 1.0f, true},    // Follow: Atac
    {TarvikEffect::followRelease, 0.75f, 1.0f, true},   // Follow: Rel
    {TarvikEffect::followMix, 0.75f, 1.0f, true},       // Follow: Mix
    {TarvikEffect::fluctuateFreq, 0.75f, 10.0f, false}, // Fluctuate: Freq, 0 to 10
    {TarvikEffect::fluctuateDepth, 0.75f, 1.0f, true},  // Fluctuate: Depth
    {TarvikEffect::delaySize, 0.75f, 500.0f, false},    // Delay: Size, 0 to 500
    {TarvikEffect::delayFeedback, 0.75f, 1.0f, true},   // Delay: F-Back
};

} // namespace

const SliderPanelLayout TarvikEditor::layout = {
    columns, static_cast<std::int32_t>(std::size(columns)), 79, 255};
