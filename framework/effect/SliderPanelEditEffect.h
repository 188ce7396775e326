// An effect with its slider-panel editor: the class a plug-in's entry point makes. It keeps
// the editor's sliders and displays in step with every parameter change, whoever makes it.
#pragma once

#include <cstdint>
#include <new>

#include "framework/effect/GuiEditor.h"
#include "framework/effect/Module.h"
#include "framework/effect/vst2/Interface.h"

template <class Effect, class Editor> class SliderPanelEditEffect : public Effect {
public:
    explicit SliderPanelEditEffect(audioMasterCallback hostCallback) : Effect(hostCallback) {
        this->setUniqueId(fourCharCode("Qmtw"));
        // The editor attaches itself to this effect, which owns it from then on. Without it
        // the entry point hands out no record.
        if (new (std::nothrow) Editor(this) == nullptr) {
            outOfMemory = true;
        }
    }

    void setParameter(std::int32_t index, float value) override {
        Effect::setParameter(index, value);
        if (this->editor != nullptr) {
            static_cast<GuiEditor*>(this->editor)->syncParameter(index, value);
        }
    }
};
