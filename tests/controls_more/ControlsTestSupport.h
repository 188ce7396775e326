// Fixtures of the control tests: bitmaps made on the spot whose every pixel tells where in the
// bitmap it came from, a frame in a headless host window with a drawing context on it, a
// listener that records what it hears, and scripted drags.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "framework/effect/Module.h"
#include "framework/gui/Bitmap.h"
#include "framework/gui/DrawContext.h"
#include "framework/gui/Frame.h"
#include "framework/gui/controls/Control.h"
#include "framework/gui/controls/ControlListener.h"
#include "platform/Resources.h"
#include "platform/WinApi.h"
#include "platform/testing/Testing.h"
#include "tests/gui/GuiTestSupport.h"

namespace controlstest {

using platform::testing::Image;
using platform::testing::InputState;
// The toolkit tests' BMP writer.
using guitest::makeBmp;
using guitest::PixelFunction;

// Registers a bitmap resource of this library and loads it; the caller releases it.
Bitmap* makeBitmap(int id, int width, int height, const PixelFunction& pixel);

// A bitmap whose pixel (x, y) has the colour y * 256 + x, so that a pixel on the screen tells
// the source offset it was copied from (see sourceOf).
Bitmap* makeCoordinateBitmap(int id, int width, int height);
inline Point sourceOf(std::uint32_t pixel) {
    return Point(std::int32_t(pixel & 0xFF), std::int32_t(pixel >> 8));
}

// What a listener heard: the control's value at each call.
class RecordingListener : public ControlListener {
public:
    void valueChanged(DrawContext&, Control* control) override {
        values.push_back(control->getValue());
        if (onChange) {
            onChange(control);
        }
    }
    std::vector<float> values;
    std::function<void(Control*)> onChange;
};

// One input state with the left button held at a point (window and screen coordinates are the
// same: the host window sits at the screen's origin).
InputState held(const Point& where, bool shift = false, bool control = false, bool alt = false);
InputState released(const Point& where);

// A 300 by 200 frame in a host window at the screen's origin, with a drawing context on the
// frame's window. Sleep is free, so tracking loops run at once.
class ControlsTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Attaches the control to the frame, which then destroys it.
    template <class T> T* attach(T* control) {
        frame->attachView(control);
        return control;
    }
    // Scripts a drag along the points with the left button (and the modifiers) held and a
    // release at the last point, then presses at the first point.
    void drag(Control& control, const std::vector<Point>& path, bool shift = false,
              bool controlKey = false);
    // A press whose button is already released when the control first looks.
    void click(Control& control, const Point& where);

    Image picture() const;
    // The source offset of the pixel drawn at a window position (coordinate bitmaps only).
    Point shownAt(int x, int y) const { return sourceOf(picture().at(x, y)); }

    HWND hostWindow = nullptr;
    Frame* frame = nullptr;
    HDC deviceContext = nullptr;
    std::unique_ptr<DrawContext> context;
    RecordingListener listener;
};

} // namespace controlstest
