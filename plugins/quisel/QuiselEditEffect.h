// Quisel with its editor: what the library's entry point makes.
#pragma once

#include "framework/effect/SliderPanelEditEffect.h"
#include "plugins/quisel/QuiselEditor.h"
#include "plugins/quisel/QuiselEffect.h"

class QuiselEditEffect : public SliderPanelEditEffect<QuiselEffect, QuiselEditor> {
public:
    using SliderPanelEditEffect::SliderPanelEditEffect;
};
