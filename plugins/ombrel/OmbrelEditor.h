// Ombrel's editor: the common slider panel with Ombrel's layout.
#pragma once

#include "framework/effect/SliderPanelEditor.h"

class OmbrelEditor : public SliderPanelEditor {
public:
    static const SliderPanelLayout layout;

    explicit OmbrelEditor(EffectBase* effect) : SliderPanelEditor(effect, layout) {}
};
