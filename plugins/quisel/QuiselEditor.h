// Quisel's editor: the common slider panel with Quisel's layout.
#pragma once

#include "framework/effect/SliderPanelEditor.h"

class QuiselEditor : public SliderPanelEditor {
public:
    static const SliderPanelLayout layout;

    explicit QuiselEditor(EffectBase* effect) : SliderPanelEditor(effect, layout) {}
};
