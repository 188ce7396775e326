// Windows, window classes and the message queue, common to all backends. A window has its own
// pixel buffer of its client size; its picture is that buffer with its children drawn in.
#pragma once

#include "platform/api/User.h"
#include "platform/raster/Surface.h"

#include <cstdint>
#include <deque>
#include <memory>
#include <string>
#include <vector>

namespace platform::windowing {

struct WindowClass {
    std::string name; // as registered; compared without regard to case
    HINSTANCE module = nullptr;
    WNDCLASSA description{};
    int windows = 0;
    bool system = false;
};

struct Window {
    WindowClass* windowClass = nullptr;
    WNDPROC procedure = nullptr;
    LONG_PTR userData = 0;
    LONG_PTR id = 0;
    HINSTANCE module = nullptr;
    DWORD style = 0;
    DWORD exStyle = 0;
    std::string text;
    Window* parent = nullptr;
    std::vector<Window*> children; // bottom to top
    int x = 0; // in the parent's client coordinates (the screen's for top-level windows)
    int y = 0;
    std::shared_ptr<raster::Surface> surface;
    bool invalid = false; // the update region is not empty
    RECT update{0, 0, 0, 0};
    bool erasePending = false;
    bool destroying = false;
    // The window of the native window system that this top-level window was created inside
    // (an X11 window id), or 0.
    std::uintptr_t nativeParent = 0;

    int width() const { return surface->width; }
    int height() const { return surface->height; }
    bool visible() const { return (style & WS_VISIBLE) != 0; }
};

Window* findWindow(HWND handle);
inline HWND handleOf(Window* window) {
    return reinterpret_cast<HWND>(window);
}
std::vector<Window*> allWindows();

WindowClass* findClass(const char* name, HINSTANCE module);
ATOM registerClass(const WNDCLASSA& description);
bool unregisterClass(const char* name, HINSTANCE module);

Window* createWindow(DWORD exStyle, const char* className, const char* name, DWORD style, int x,
                     int y, int width, int height, HWND parent, HMENU menu, HINSTANCE module,
                     void* parameter);
bool destroyWindow(Window* window);

// The window's top-left corner in screen coordinates.
POINT screenOrigin(const Window* window);
void invalidate(Window* window, const RECT* rect, bool erase);
void validate(Window* window, const RECT* rect);
void resize(Window* window, int width, int height);
void raise(Window* window);
// The colour the window's background brush paints, for an erase.
COLORREF backgroundColor(const Window* window);

// The posted-message queue.
std::deque<MSG>& messageQueue();
// A window whose update region is not empty, depth first, or none (filtered by window when
// given: that window or its descendants).
Window* windowNeedingPaint(Window* within);

} // namespace platform::windowing
