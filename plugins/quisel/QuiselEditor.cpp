#include "plugins/quisel/QuiselEditor.h"

#include "plugins/quisel/QuiselEffect.h"

#include <iterator>

namespace {

// Left to right over the painted labels Delay, FBack, Freq, Depth and Mix.
constexpr SliderPanelColumn columns[] = {
    // parameter, reset value, display scale, percent display
    {QuiselEffect::delayTime, 0.5f, 40.0f, false},   // Delay, 0 to 40
    {QuiselEffect::delayFeedback, 0.5f, 1.0f, true}, // FBack
    {QuiselEffect::lfoFreq, 0.75f, 10.0f, false},    // Freq, 0 to 10
    {QuiselEffect::lfoDepth, 0.75f, 1.0f, true},     // Depth
    {QuiselEffect::mix, 0.75f, 1.0f, true},          // Mix
};

} // namespace

const SliderPanelLayout QuiselEditor::layout = {
    columns, static_cast<std::int32_t>(std::size(columns)), 60, 238};
