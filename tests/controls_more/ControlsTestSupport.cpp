#include "tests/controls_more/ControlsTestSupport.h"

namespace controlstest {

std::vector<unsigned char> makeBmp(int width, int height, const PixelFunction& pixel) {
    const int rowBytes = (width * 3 + 3) & ~3;
    const std::uint32_t dataSize = std::uint32_t(rowBytes * height);
    const std::uint32_t fileSize = 54 + dataSize;
    std::vector<unsigned char> file(fileSize, 0);
    auto put16 = [&](std::size_t at, std::uint32_t value) {
        file[at] = value & 0xFF;
        file[at + 1] = (value >> 8) & 0xFF;
    };
    auto put32 = [&](std::size_t at, std::uint32_t value) {
        put16(at, value & 0xFFFF);
        put16(at + 2, value >> 16);
    };
    file[0] = 'B';
    file[1] = 'M';
    put32(2, fileSize);
    put32(10, 54);
    put32(14, 40);
    put32(18, std::uint32_t(width));
    put32(22, std::uint32_t(height));
    put16(26, 1);
    put16(28, 24);
    put32(34, dataSize);
    for (int y = 0; y < height; ++y) {
        unsigned char* row = &file[54 + std::size_t(height - 1 - y) * rowBytes];
        for (int x = 0; x < width; ++x) {
            const std::uint32_t rgb = pixel(x, y);
            row[x * 3] = rgb & 0xFF;
            row[x * 3 + 1] = (rgb >> 8) & 0xFF;
            row[x * 3 + 2] = (rgb >> 16) & 0xFF;
        }
    }
    return file;
}

Bitmap* makeBitmap(int id, int width, int height, const PixelFunction& pixel) {
    const std::vector<unsigned char> file = makeBmp(width, height, pixel);
    registerBitmapResource(static_cast<HINSTANCE>(moduleHandle), id, file.data(), file.size());
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
