#include "platform/testing/Testing.h"
#include "platform/headless/HeadlessBackend.h"
#include "platform/kernel/Clock.h"
#include "platform/raster/DeviceContext.h"
#include "platform/windowing/WindowSystem.h"

#include <algorithm>

namespace platform::testing {
namespace {

headless::HeadlessBackend& input() {
    return headless::headlessBackend();
}

Image imageOf(const raster::Surface& surface) {
    Image image;
    image.width = surface.width;
    image.height = surface.height;
    image.pixels = surface.pixels;
    for (auto& p : image.pixels) {
        p &= raster::pixelMask;
    }
    return image;
}

void compose(Image& image, const windowing::Window& window, int ox, int oy) {
    for (const windowing::Window* child : window.children) {
        if (!child->visible()) {
            continue;
        }
        Image picture = windowPicture(windowing::handleOf(const_cast<windowing::Window*>(child)));
        const int cx = ox + child->x, cy = oy + child->y;
        for (int y = 0; y < picture.height; ++y) {
            const int ty = cy + y;
            if (ty < 0 || ty >= image.height) {
                continue;
            }
            for (int x = 0; x < picture.width; ++x) {
                const int tx = cx + x;
                if (tx >= 0 && tx < image.width) {
                    image.pixels[std::size_t(ty) * image.width + tx] = picture.at(x, y);
                }
            }
        }
    }
}

LRESULT sendButton(HWND window, int x, int y, Button button, bool down) {
    const auto& s = input().current();
    WPARAM keys = 0;
    keys |= s.left ? MK_LBUTTON : 0;
    keys |= s.right ? MK_RBUTTON : 0;
    keys |= s.middle ? MK_MBUTTON : 0;
    keys |= s.shift ? MK_SHIFT : 0;
    keys |= s.control ? MK_CONTROL : 0;
    UINT message = 0;
    switch (button) {
    case Button::left:
        message = down ? WM_LBUTTONDOWN : WM_LBUTTONUP;
        break;
    case Button::right:
        message = down ? WM_RBUTTONDOWN : WM_RBUTTONUP;
        break;
    case Button::middle:
        message = down ? WM_MBUTTONDOWN : WM_MBUTTONUP;
        break;
    }
    return SendMessageA(window, message, keys, MAKELPARAM(x, y));
}

} // namespace

COLORREF Image::colorAt(int x, int y) const {
    return raster::colorFromPixel(at(x, y));
}

void setInput(const InputState& state) {
    input().setInput(state);
}

void scriptInput(const std::vector<InputState>& states) {
    input().script(states);
}

InputState currentInput() {
    return input().current();
}

std::size_t remainingInputStates() {
    return input().remaining();
}

std::uint64_t keyStatePolls() {
    return input().keyPolls();
}

std::uint64_t cursorPolls() {
    return input().cursorPolls();
}

void setTickCount(DWORD milliseconds) {
    kernel::setTickCount(milliseconds);
}

void advanceTickCount(DWORD milliseconds) {
    kernel::advanceTickCount(milliseconds);
}

void setSleepFree(bool free) {
    kernel::setSleepFree(free);
}

void setTickStepPerCursorPoll(DWORD milliseconds) {
    input().setTickStepPerCursorPoll(milliseconds);
}

void resetInput() {
    input().reset();
    kernel::useRealClock();
}

LRESULT pressMouse(HWND window, int x, int y, Button button, bool shift, bool control, bool alt) {
    if (!input().scripted()) {
        InputState state;
        POINT screen{x, y};
        ClientToScreen(window, &screen);
        state.cursor = screen;
        state.left = button == Button::left;
        state.right = button == Button::right;
        state.middle = button == Button::middle;
        state.shift = shift;
        state.control = control;
        state.alt = alt;
        input().setInput(state);
    }
    return sendButton(window, x, y, button, true);
}

LRESULT releaseMouse(HWND window, int x, int y, Button button) {
    if (!input().scripted()) {
        InputState state = input().current();
        switch (button) {
        case Button::left:
            state.left = false;
            break;
        case Button::right:
            state.right = false;
            break;
        case Button::middle:
            state.middle = false;
            break;
        }
        input().setInput(state);
    }
    return sendButton(window, x, y, button, false);
}

void paint(HWND window, const RECT* rect) {
    if (!IsWindow(window)) {
        return;
    }
    InvalidateRect(window, rect, TRUE);
    SendMessageA(window, WM_PAINT, 0, 0);
    // Children with update regions of their own, as the message loop would deliver them.
    for (int guard = 0; guard < 1000; ++guard) {
        windowing::Window* pending = windowing::windowNeedingPaint(windowing::findWindow(window));
        if (!pending) {
            break;
        }
        const HWND handle = windowing::handleOf(pending);
        SendMessageA(handle, WM_PAINT, 0, 0);
        if (windowing::Window* still = windowing::findWindow(handle)) {
            windowing::validate(still, nullptr);
        }
    }
}

int pumpMessages(int limit) {
    int delivered = 0;
    MSG message{};
    while (delivered < limit && PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            ++delivered;
            continue;
        }
        DispatchMessageA(&message);
        ++delivered;
        if (message.message == WM_PAINT) {
            // A window procedure that does not validate would be asked again forever.
            if (windowing::Window* w = windowing::findWindow(message.hwnd)) {
                windowing::validate(w, nullptr);
            }
        }
    }
    return delivered;
}

Image windowPicture(HWND handle) {
    windowing::Window* window = windowing::findWindow(handle);
    if (!window) {
        return Image{};
    }
    Image image = imageOf(*window->surface);
    compose(image, *window, 0, 0);
    return image;
}

Image bitmapPixels(HBITMAP bitmap) {
    auto* found = raster::findObjectAs<raster::Bitmap>(bitmap, OBJ_BITMAP);
    return found ? imageOf(found->surface) : Image{};
}

Image contextPixels(HDC dc) {
    raster::DeviceContext* found = raster::findContext(dc);
    if (!found || !found->surface()) {
        return Image{};
    }
    return imageOf(*found->surface());
}

std::vector<HWND> allWindows() {
    std::vector<HWND> handles;
    for (windowing::Window* w : windowing::allWindows()) {
        handles.push_back(windowing::handleOf(w));
    }
    return handles;
}

int liveObjectCount() {
    return raster::liveObjectCount();
}

int liveContextCount() {
    return raster::liveContextCount();
}

} // namespace platform::testing
