// An editor-equipped effect of one of our plug-ins, a recording host and a host window at
// the screen's origin (window, client and screen coordinates agree), with helpers to open the
// editor, find its controls and drag its sliders.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "framework/effect/SliderPanelEditor.h"
#include "framework/gui/Frame.h"
#include "framework/gui/controls/ValueDisplay.h"
#include "framework/gui/controls/VerticalSlider.h"
#include "platform/testing/Testing.h"
#include "tests/gui/GuiTestSupport.h"
#include "tests/support/RecordingHost.h"
#include "tools/snapshot/EditorPicture.h"

namespace editortest {

using platform::testing::InputState;

inline const snapshot::EditorPlugin& pluginNamed(const std::string& name) {
    for (const snapshot::EditorPlugin& plugin : snapshot::editorPlugins()) {
        if (name == plugin.name) {
            return plugin;
        }
    }
    ADD_FAILURE() << "no plug-in " << name;
    return snapshot::editorPlugins().front();
}

inline InputState pointer(int x, int y, bool left = true, bool alt = false) {
    InputState state;
    state.left = left;
    state.alt = alt;
    state.cursor = {x, y};
    return state;
}

class EditorTest : public ::testing::TestWithParam<std::string> {
protected:
    void SetUp() override {
        platform::testing::resetInput();
        platform::testing::setSleepFree(true);
        effect.reset(pluginNamed(GetParam()).make(host.callback()));
        ASSERT_NE(effect, nullptr);
    }
    void TearDown() override {
        effect.reset();
        platform::testing::resetInput();
    }

    AEffect* record() { return effect->getRecord(); }
    SliderPanelEditor* editor() { return static_cast<SliderPanelEditor*>(effect->getEditor()); }
    std::int32_t parameterCount() { return record()->numParams; }

    std::intptr_t open() {
        return record()->dispatcher(record(), effEditOpen, 0, 0, hostWindow.parent(), 0.0f);
    }
    void close() { record()->dispatcher(record(), effEditClose, 0, 0, nullptr, 0.0f); }
    void idle() { record()->dispatcher(record(), effEditIdle, 0, 0, nullptr, 0.0f); }
    void hostSets(std::int32_t index, float value) {
        record()->setParameter(record(), index, value);
    }

    HWND frameWindow() { return editor()->getFrame()->getWindowHandle(); }
    // The first paint, after which idle passes redraw what changed.
    void paint() { platform::testing::paint(frameWindow()); }

    // Parameters in screen order, from the sliders' positions.
    std::vector<VerticalSlider*> slidersLeftToRight() {
        std::vector<VerticalSlider*> sliders;
        for (std::int32_t p = 0; p < parameterCount(); ++p) {
            sliders.push_back(editor()->getSlider(p));
        }
        std::sort(sliders.begin(), sliders.end(), [](VerticalSlider* a, VerticalSlider* b) {
            return a->getSize().left < b->getSize().left;
        });
        return sliders;
    }
    std::vector<ValueDisplay*> displaysLeftToRight() {
        std::vector<ValueDisplay*> displays;
        for (std::int32_t p = 0; p < parameterCount(); ++p) {
            displays.push_back(editor()->getDisplay(p));
        }
        std::sort(displays.begin(), displays.end(), [](ValueDisplay* a, ValueDisplay* b) {
            return a->getSize().left < b->getSize().left;
        });
        return displays;
    }
    static std::string textOf(ValueDisplay* display) {
        char text[valueTextCapacity];
        display->makeText(text);
        return text;
    }

    // Presses the slider's handle five pixels below its top, then follows the states.
    void dragHandle(VerticalSlider* slider, std::vector<InputState> then) {
        const int x = slider->getSize().left + 5;
        const int y = slider->getHandlePosition() + 5;
        then.insert(then.begin(), pointer(x, y));
        platform::testing::scriptInput(then);
        platform::testing::pressMouse(frameWindow(), x, y);
    }

    std::vector<HostCall> automation() { return host.callsOf(audioMasterAutomate); }

    RecordingHost host;
    // Before the effect, so that the effect (and an editor still open) goes first.
    guitest::HostWindow hostWindow{400, 300};
    std::unique_ptr<EffectBase> effect;
};

inline std::string pluginName(const ::testing::TestParamInfo<std::string>& info) {
    return info.param;
}

} // namespace editortest
