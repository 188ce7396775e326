// Ombrel with its editor: what the library's entry point makes.
#pragma once

#include "framework/effect/SliderPanelEditEffect.h"
#include "plugins/ombrel/OmbrelEditor.h"
#include "plugins/ombrel/OmbrelEffect.h"

class OmbrelEditEffect : public SliderPanelEditEffect<OmbrelEffect, OmbrelEditor> {
public:
    using SliderPanelEditEffect::SliderPanelEditEffect;
};
