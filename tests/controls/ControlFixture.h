// What the control tests share: a frame in a host window at the screen's origin (so window,
// client and screen coordinates agree), a listener that behaves like the editors' one, and
// the input script helpers.
#pragma once

#include <gtest/gtest.h>

#include <vector>

#include "framework/gui/DrawContext.h"
#include "framework/gui/Frame.h"
#include "framework/gui/controls/Control.h"
#include "framework/gui/controls/ControlListener.h"
#include "platform/testing/Testing.h"
#include "tests/gui/GuiTestSupport.h"

namespace controltest {

using platform::testing::InputState;

// Records every value it hears of and repaints the control at once, as the editors do.
class RedrawingListener : public ControlListener {
public:
    void valueChanged(DrawContext& context, Control* control) override {
        values.push_back(control->getValue());
        control->drawIfChanged(context);
    }
    std::vector<float> values;
};

inline InputState leftAt(int x, int y, bool shift = false) {
    InputState state;
    state.left = true;
    state.shift = shift;
    state.cursor = {x, y};
    return state;
}

inline InputState releasedAt(int x, int y) {
    InputState state;
    state.cursor = {x, y};
    return state;
}

// A frame of 400 by 300 in a host window at (0, 0); the test's controls are attached to it.
class FrameTest : public ::testing::Test {
protected:
    void SetUp() override {
        platform::testing::resetInput();
        platform::testing::setSleepFree(true);
        frame = new Frame(Rect(0, 0, 400, 300), host.parent(), nullptr);
    }
    void TearDown() override {
        delete frame;
        platform::testing::resetInput();
    }

    HWND window() const { return frame->getWindowHandle(); }
    platform::testing::Image picture() const { return platform::testing::windowPicture(window()); }
    // Draws the control into the frame's window, as a paint or an idle pass would.
    void drawNow(Control& control) {
        HDC dc = GetDC(window());
        {
            DrawContext context(frame, dc, window());
            control.draw(context);
        }
        ReleaseDC(window(), dc);
    }
    // Presses the left button at the point with the input script running: the first state is
    // the one of the press.
    void drag(const std::vector<InputState>& states) {
        platform::testing::scriptInput(states);
        const POINT& at = states.front().cursor;
        platform::testing::pressMouse(window(), at.x, at.y);
    }

    guitest::HostWindow host{400, 300};
    Frame* frame = nullptr;
};

} // namespace controltest
