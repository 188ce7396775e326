// Wine as the Windows tests use it: Debian's 64-bit loader called directly, a prefix made by
// the test run, no debug output, and an X server of its own (Xvfb) for the windows.
#pragma once

#include "tests/windows/Processes.h"

#include <string>
#include <vector>

namespace windows_tests {

// What the build found; empty when a tool is missing.
struct WineTools {
    std::string wine64;
    std::string wineserver;
    std::string xvfb;
    std::string xdotool;
};
const WineTools& wineTools();

// Why the Wine tests cannot run on this machine, or empty when they can.
std::string wineUnavailableReason();

// A Windows path for a file of this machine (Wine's drive Z: is the root folder).
std::string windowsPath(const std::string& path);

class WineSession {
public:
    // Starts an X server on a free display and points WINEPREFIX, DISPLAY and WINEDEBUG of
    // this process (and so of every program it starts) at the prefix and the server.
    bool start(const std::string& prefix, std::string& error);
    // Ends the prefix's wineserver, and with it every Windows program still running, then the
    // X server.
    void stop();
    ~WineSession() { stop(); }

    // A Windows program (or one of Wine's own, such as "reg") under wine64.
    ProcessResult run(const std::vector<std::string>& arguments, int timeoutSeconds = 120) const;
    std::vector<std::string> command(const std::vector<std::string>& arguments) const;

    const std::string& display() const { return displayName; }

private:
    int xvfbPid = -1;
    std::string displayName;
    bool started = false;
};

// Makes a fresh prefix: removes any old one, initialises it, and sets the X11 driver's
// Managed value to N, so that windows come and go without a window manager.
bool makePrefix(const std::string& prefix, std::string& error);

} // namespace windows_tests
