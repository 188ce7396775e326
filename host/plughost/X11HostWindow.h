// The host's side of an editor on Linux: a top-level X11 window to open the editor in, what the
// server shows in it, and the windows the plug-in left in it. Only Xlib, never the plug-in's
// own libraries.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct _XDisplay;

namespace plughost {

// Pixels as 0x00RRGGBB, rows from the top.
struct Picture {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels;

    std::uint32_t at(int x, int y) const { return pixels[std::size_t(y) * std::size_t(width) + x]; }
    bool operator==(const Picture&) const = default;
};

bool savePng(const Picture& picture, const std::string& path, std::string& error);

class X11HostWindow {
public:
    X11HostWindow() = default;
    ~X11HostWindow();
    X11HostWindow(const X11HostWindow&) = delete;
    X11HostWindow& operator=(const X11HostWindow&) = delete;

    // Connects to the server that DISPLAY names; false (with a one-line reason) without one.
    bool connect(std::string& error);
    // A mapped top-level window of that size at that place on the root window, filled with
    // background; waits until the server shows it.
    bool create(int x, int y, int width, int height, std::uint32_t background, std::string& error);

    // The window id, as a host hands it to effEditOpen.
    unsigned long id() const { return window; }
    _XDisplay* display() const { return connection; }

    // The windows inside ours on the server now (the editor's, while it is open).
    int childCount();
    // What the server shows in the window now; false when the window cannot be read.
    bool grab(Picture& picture);
    // Destroys the window on the server (the editor's window goes with it).
    void destroyWindow();
    // Reads and drops this connection's pending events.
    void drainEvents();

private:
    _XDisplay* connection = nullptr;
    unsigned long window = 0;
};

} // namespace plughost
