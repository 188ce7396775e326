// Tarvik's editor: the common slider panel with Tarvik's layout.
#pragma once

#include "framework/effect/SliderPanelEditor.h"

class TarvikEditor : public SliderPanelEditor {
public:
    static const SliderPanelLayout layout;

    explicit TarvikEditor(EffectBase* effect) : SliderPanelEditor(effect, layout) {}
};
