// For builds where no system message loop serves the editor's window: the host only calls the
// editor's idle, and the idle hands the window system's pending events to the window here.
#pragma once

#include "platform/WinApi.h"

#ifndef _WIN32
// Delivers, without waiting, what the window system has for this window: paint requests,
// button presses, its destruction with the host's window. Nothing for a window of memory only.
void pumpNativeEvents(HWND window);
#endif
