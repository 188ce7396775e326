// Keeps X errors of our own connection away from whatever handler the host process installed
// (Xlib's default one ends the process). Every call on our connection runs inside a trap: the
// handlers are ours only while the trap lives, so nothing of this library stays installed in
// Xlib after the library is unloaded, and errors of the host's own connections still reach the
// host's handler.
#pragma once

#include <X11/Xlib.h>

namespace platform::x11 {

class ErrorTrap {
public:
    explicit ErrorTrap(Display* display);
    ~ErrorTrap();
    ErrorTrap(const ErrorTrap&) = delete;
    ErrorTrap& operator=(const ErrorTrap&) = delete;

    // Waits until the server has handled every request made so far; true when none of the
    // requests made since the trap was set failed.
    bool succeeded();
    // Errors seen since the trap was set, without waiting for the server.
    int errors() const;

private:
    Display* display;
    unsigned long firstErrorCount;
};

// Marks the connection as usable from now on: a lost connection (the server ended) then no
// longer ends the process, it only makes connectionLost true.
void watchConnection(Display* display);
bool connectionLost(Display* display);
void forgetConnection(Display* display);

} // namespace platform::x11
