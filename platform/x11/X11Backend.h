// The X11 backend: a window created inside an X11 window id (what a Linux host hands to the
// editor) becomes a real X11 child window of it. Its pixel buffer is put on screen after each
// drawing; the editor's idle reads the pending X events without waiting and turns them into
// paint and button messages; the button, modifier and cursor state come from the server.
//
// One connection per loaded library, opened when the first window asks for an X11 parent and
// closed when the last such window is gone. No X error reaches the host's handlers, and a
// parent destroyed by the host takes our window with it as the system would (WM_DESTROY).
#pragma once

#include "platform/windowing/Backend.h"
#include "platform/windowing/WindowSystem.h"

#include <chrono>
#include <cstdint>
#include <deque>
#include <vector>

struct _XDisplay;

namespace platform::x11 {

class X11Backend : public windowing::Backend {
public:
    SHORT asyncKeyState(int key) override;
    POINT cursorPosition() override;
    void windowCreated(windowing::Window& window) override;
    void windowDestroyed(windowing::Window& window) override;
    void windowChanged(windowing::Window& window) override;
    void windowDrawn(windowing::Window& window) override;
    bool nextEvent(MSG& message) override;

    // Whether the value names a window of the X server (opening the connection on first use).
    bool acceptsParent(std::uintptr_t parent);
    // Whether the window, or the window it lies in, is one of ours inside an X11 parent.
    bool hosts(const windowing::Window& window) const;
    // There are windows inside X11 parents: the input devices are the server's.
    bool active() const { return !hosted.empty(); }
    // Reads the pending X events without waiting and delivers what they mean: paints, button
    // presses and releases, the destruction of windows whose parent went. Inside a message that
    // an earlier pump delivered (a drag's idle), only paints and destructions are delivered;
    // presses wait for the outer pump.
    void pump();

    bool connected() const { return display != nullptr; }

private:
    struct Hosted {
        windowing::Window* window = nullptr;
        unsigned long id = 0;     // our X window
        unsigned long parent = 0; // the host's
        void* gc = nullptr;
        POINT parentOrigin{0, 0}; // the parent's top-left corner on the root window
        bool gone = false;        // destroyed by the server with its parent
        // What the server was last given, so that an idle that drew nothing new sends nothing.
        std::vector<std::uint32_t> shown;
        bool exposed = true; // the server lost the window's content
        std::chrono::steady_clock::time_point putTime{};
    };

    bool connect();
    void closeIfUnused();
    Hosted* find(const windowing::Window* window);
    const Hosted* find(const windowing::Window* window) const;
    Hosted* findById(unsigned long id);
    void readEvents();
    void queueButton(Hosted& hosted, bool press, unsigned button, unsigned state, int x, int y,
                     int rootX, int rootY);
    void destroyGoneWindows();
    void paintInvalidWindows();
    // Puts the window's picture on the server when it differs from what the server shows.
    void put(Hosted& hosted);
    const std::uint32_t* pixelsFor(Hosted& hosted, int& width, int& height);
    void queryPointer();

    _XDisplay* display = nullptr;
    unsigned long root = 0;
    void* visual = nullptr;
    int depth = 0;
    unsigned altMask = 0;
    std::vector<Hosted> hosted;
    std::deque<MSG> pending;
    int pumpDepth = 0;
    // The window of the press being delivered: a drag inside it draws without ending its
    // drawing, so the cursor polls put its picture now and then.
    HWND pressed = nullptr;
    std::vector<std::uint32_t> picture;   // a window composed with its children
    std::vector<std::uint32_t> converted; // pixels in the visual's format when it is not ours

    // The last pointer query, reused for a moment so that one button-state poll (six key
    // queries) costs one round trip and sees one coherent state.
    std::chrono::steady_clock::time_point queried{};
    bool queriedOnce = false;
    unsigned pointerMask = 0;
    POINT pointerRoot{0, 0};
};

X11Backend& x11Backend();

} // namespace platform::x11
