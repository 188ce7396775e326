#include "plugins/ombrel/OmbrelEditor.h"

#include "plugins/ombrel/OmbrelEffect.h"

#include <iterator>

namespace {

// Left to right under the painted sections Delay, Dist, Filter and the sweep.
constexpr SliderPanelColumn columns[] = {
    // parameter, reset value, display scale, percent display
    {OmbrelEffect::delayTime, 0.75f, 500.0f, false},  // Delay: Delay, 0 to 500
    {OmbrelEffect::delayFeedback, 0.75f, 1.0f, true}, // Delay: FBack
    {OmbrelEffect::distDepth, 0.75f, 1.0f, true},     // Dist: Depth
    {OmbrelEffect::filterFreq, 0.5f, 1.0f, false},    // Filter: Freq
    {OmbrelEffect::filterRes, 0.5f, 1.0f, true},      // Filter: Res
    {OmbrelEffect::sweepRate, 0.75f, 10.0f, false},   // sweep: Freq, 0 to 10
    {OmbrelEffect::sweepDepth, 0.75f, 1.0f, true},    // sweep: Depth
};

} // namespace

const SliderPanelLayout OmbrelEditor::layout = {
    columns, static_cast<std::int32_t>(std::size(columns)), 79, 255};
