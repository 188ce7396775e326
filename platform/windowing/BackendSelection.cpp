// Which backend serves what. Windows of memory only (every test and tool) have the headless
// backend; a window created inside a window of the X server has the X11 backend, which then
// also reports the input devices. Builds without X11 have the headless backend alone.
#include "platform/NativeEvents.h"
#include "platform/headless/HeadlessBackend.h"
#include "platform/windowing/Backend.h"
#include "platform/windowing/WindowSystem.h"
#ifdef QMT_HAVE_X11
#include "platform/x11/X11Backend.h"
#endif

namespace platform::windowing {
namespace {

#ifdef QMT_HAVE_X11
class SelectingBackend : public Backend {
public:
    SHORT asyncKeyState(int key) override { return input().asyncKeyState(key); }
    POINT cursorPosition() override { return input().cursorPosition(); }
    void windowCreated(Window& window) override {
        (window.nativeParent != 0 ? native() : headless()).windowCreated(window);
    }
    void windowDestroyed(Window& window) override { of(window).windowDestroyed(window); }
    void windowChanged(Window& window) override { of(window).windowChanged(window); }
    void windowDrawn(Window& window) override { of(window).windowDrawn(window); }
    bool nextEvent(MSG& message) override {
        return (native().connected() && native().nextEvent(message)) ||
               headless().nextEvent(message);
    }

private:
    static x11::X11Backend& native() { return x11::x11Backend(); }
    static Backend& headless() { return headless::headlessBackend(); }
    static Backend& input() {
        return native().active() ? static_cast<Backend&>(native()) : headless();
    }
    static Backend& of(const Window& window) {
        return native().active() && native().hosts(window) ? static_cast<Backend&>(native())
                                                           : headless();
    }
};
#endif

} // namespace

Backend& backend() {
#ifdef QMT_HAVE_X11
    static SelectingBackend selecting;
    return selecting;
#else
    return headless::headlessBackend();
#endif
}

bool acceptsNativeParent(HWND parent) {
#ifdef QMT_HAVE_X11
    return x11::x11Backend().acceptsParent(reinterpret_cast<std::uintptr_t>(parent));
#else
    (void)parent;
    return false;
#endif
}

} // namespace platform::windowing

void pumpNativeEvents(HWND window) {
#ifdef QMT_HAVE_X11
    using namespace platform::windowing;
    Window* found = findWindow(window);
    if (found != nullptr && platform::x11::x11Backend().hosts(*found)) {
        platform::x11::x11Backend().pump();
    }
#else
    (void)window;
#endif
}
