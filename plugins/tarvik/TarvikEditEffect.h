// Tarvik with its editor: what the library's entry point makes.
#pragma once

#include "framework/effect/SliderPanelEditEffect.h"
#include "plugins/tarvik/TarvikEditor.h"
#include "plugins/tarvik/TarvikEffect.h"

class TarvikEditEffect : public SliderPanelEditEffect<TarvikEffect, TarvikEditor> {
public:
    using SliderPanelEditEffect::SliderPanelEditEffect;
};
