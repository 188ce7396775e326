#include "tests/controls_more/ControlsTestSupport.h"

namespace controlstest {

Bitmap* makeBitmap(int id, int width, int height, const PixelFunction& pixel) {
    guitest::registerBitmap(id, width, height, pixel);
    return new Bitmap(id);
}

Bitmap* makeCoordinateBitmap(int id, int width, int height) {
    return makeBitmap(id, width, height,
                      [](int x, int y) { return std::uint32_t(y) * 256 + std::uint32_t(x); });
}

InputState held(const Point& where, bool shift, bool control, bool alt) {
    InputState state;
    state.left = true;
    state.shift = shift;
    state.control = control;
    state.alt = alt;
    state.cursor = POINT{where.h, where.v};
    return state;
}

InputState released(const Point& where) {
    InputState state;
    state.cursor = POINT{where.h, where.v};
    return state;
}

void ControlsTest::SetUp() {
    platform::testing::resetInput();
    platform::testing::setSleepFree(true);
    static bool registered = false;
    if (!registered) {
        WNDCLASSA windowClass{};
        windowClass.lpfnWndProc = &DefWindowProcA;
        windowClass.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
        windowClass.lpszClassName = "ControlsTestHost";
        registered = RegisterClassA(&windowClass) != 0;
    }
    hostWindow = CreateWindowExA(0, "ControlsTestHost", "Host", WS_POPUP | WS_VISIBLE, 0, 0, 300,
                                 200, nullptr, nullptr, nullptr, nullptr);
    frame = new Frame(Rect(0, 0, 300, 200), hostWindow, nullptr);
    deviceContext = GetDC(frame->getWindowHandle());
    context = std::make_unique<DrawContext>(frame, deviceContext, frame->getWindowHandle());
}

void ControlsTest::TearDown() {
    context.reset();
    ReleaseDC(frame->getWindowHandle(), deviceContext);
    delete frame;
    DestroyWindow(hostWindow);
    platform::testing::resetInput();
}

void ControlsTest::drag(Control& control, const std::vector<Point>& path, bool shift,
                        bool controlKey) {
    std::vector<InputState> states;
    for (const Point& where : path) {
        states.push_back(held(where, shift, controlKey));
    }
    states.push_back(released(path.back()));
    platform::testing::scriptInput(states);
    control.onMouseDown(*context, path.front());
}

void ControlsTest::click(Control& control, const Point& where) {
    platform::testing::setInput(released(where));
    control.onMouseDown(*context, where);
}

Image ControlsTest::picture() const {
    return platform::testing::windowPicture(frame->getWindowHandle());
}

} // namespace controlstest
