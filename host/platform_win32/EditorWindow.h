// A plug-in's editor in a real top-level window of its own, as a Windows host shows it: the
// window's client area is the editor's rectangle and the editor's child window lives in it.
#pragma once

#include "host/PluginInstance.h"

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

namespace plughost {

class EditorWindow {
public:
    // Asks the editor for its rectangle, makes a window with that client area, shows it and
    // opens the editor in it. False, with error set to one line, when the plug-in has no
    // editor or any step fails.
    bool open(vsthost::PluginInstance& plugin, std::string& error);
    // effEditClose, once.
    void closeEditor();
    // Closes the editor if it is open, then destroys the window; safe to call twice.
    void close();
    ~EditorWindow() { close(); }

    // Delivers messages and gives the editor idle time, about every 10 ms, for the given
    // time or until stop() returns true.
    template <typename Stop> void run(DWORD milliseconds, Stop stop);
    void runFor(DWORD milliseconds) {
        run(milliseconds, [] { return false; });
    }

    HWND handle() const { return window; }
    int width() const { return clientWidth; }
    int height() const { return clientHeight; }
    // Screen position of the client area's top-left pixel.
    POINT clientOrigin() const;
    // Child windows the editor has in the window now.
    int childWindowCount() const;

    // The client area's pixels as the screen shows them, read through the window's device
    // context into a DIB section, saved as a 24-bit BMP file.
    bool saveClientArea(const std::string& path, std::string& error) const;

private:
    void pumpOnce();

    vsthost::PluginInstance* plugin = nullptr;
    HWND window = nullptr;
    bool editorOpen = false;
    int clientWidth = 0;
    int clientHeight = 0;
};

template <typename Stop> void EditorWindow::run(DWORD milliseconds, Stop stop) {
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < milliseconds && !stop()) {
        pumpOnce();
        Sleep(10);
    }
    pumpOnce();
}

// The top-level windows this process still has, as "class" texts, leaving out those the
// system itself makes for every thread that has windows (input method windows).
std::vector<std::string> remainingWindows();

// Whether the plug-in library's editor window class ("Plugin" and its module handle) is still
// registered.
bool editorClassRegistered(HMODULE module);

} // namespace plughost
