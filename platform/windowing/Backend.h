// What a window system backend provides under the common window code: the input devices, and
// hearing about windows so that it can show them. The headless backend keeps windows in memory
// only and takes its input from the testing interface.
#pragma once

#include "platform/api/User.h"

namespace platform::windowing {

struct Window;

class Backend {
public:
    virtual ~Backend() = default;

    // Key or button state as GetAsyncKeyState reports it: the high bit set while pressed.
    virtual SHORT asyncKeyState(int key) = 0;
    virtual POINT cursorPosition() = 0;

    virtual void windowCreated(Window& /*window*/) {}
    virtual void windowDestroyed(Window& /*window*/) {}
    // Moved, resized, shown, hidden or raised.
    virtual void windowChanged(Window& /*window*/) {}
    // Drawing through a context of the window ended (EndPaint or ReleaseDC).
    virtual void windowDrawn(Window& /*window*/) {}
    // Turns one pending native event into a message; false when there is none.
    virtual bool nextEvent(MSG& /*message*/) { return false; }
};

Backend& backend();

// Whether a parent handle that names no window of ours is a window of the native window system
// (an X11 window id) that a window can be created inside.
bool acceptsNativeParent(HWND parent);

} // namespace platform::windowing
