#include "platform/x11/ErrorTrap.h"

namespace platform::x11 {
namespace {

// All of this is touched by the user-interface thread only, as all of our X calls are.
int trapDepth = 0;
Display* trappedDisplay = nullptr;
XErrorHandler previousErrorHandler = nullptr;
XIOErrorHandler previousIoHandler = nullptr;
unsigned long errorCount = 0;

Display* watchedDisplay = nullptr;
bool watchedConnectionLost = false;

int onError(Display* display, XErrorEvent* event) {
    if (display == trappedDisplay || (watchedDisplay != nullptr && display == watchedDisplay)) {
        ++errorCount;
        return 0;
    }
    // Another connection of the process: its owner's handler decides.
    return previousErrorHandler != nullptr ? previousErrorHandler(display, event) : 0;
}

int onIoError(Display* display) {
    if (display == watchedDisplay) {
        watchedConnectionLost = true;
        return 0;
    }
    return previousIoHandler != nullptr ? previousIoHandler(display) : 0;
}

void onIoErrorExit(Display* display, void*) {
    // Returning here, instead of exiting, leaves the connection marked dead for Xlib; we make
    // no further calls on it but closing it.
    if (display == watchedDisplay) {
        watchedConnectionLost = true;
    }
}

} // namespace

ErrorTrap::ErrorTrap(Display* display) : display(display), firstErrorCount(errorCount) {
    if (trapDepth++ == 0) {
        trappedDisplay = display;
        previousErrorHandler = XSetErrorHandler(onError);
        previousIoHandler = XSetIOErrorHandler(onIoError);
    }
}

ErrorTrap::~ErrorTrap() {
    if (--trapDepth == 0) {
        XSetErrorHandler(previousErrorHandler);
        XSetIOErrorHandler(previousIoHandler);
        previousErrorHandler = nullptr;
        previousIoHandler = nullptr;
        trappedDisplay = nullptr;
    }
}

bool ErrorTrap::succeeded() {
    if (display != nullptr && !connectionLost(display)) {
        XSync(display, False);
    }
    return errorCount == firstErrorCount && !connectionLost(display);
}

int ErrorTrap::errors() const {
    return static_cast<int>(errorCount - firstErrorCount);
}

void watchConnection(Display* display) {
    watchedDisplay = display;
    watchedConnectionLost = false;
    XSetIOErrorExitHandler(display, onIoErrorExit, nullptr);
}

bool connectionLost(Display* display) {
    return display == watchedDisplay && watchedConnectionLost;
}

void forgetConnection(Display* display) {
    if (display == watchedDisplay) {
        watchedDisplay = nullptr;
        watchedConnectionLost = false;
    }
}

} // namespace platform::x11
