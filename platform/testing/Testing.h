// What tests and tools use to drive the headless window system and to look at what was drawn.
// Not part of Windows builds.
#pragma once

#include "platform/WinApi.h"

#include <cstdint>
#include <string>
#include <vector>

namespace platform::testing {

// One moment of the input devices as polls see it.
struct InputState {
    bool left = false;
    bool middle = false;
    bool right = false;
    bool shift = false;
    bool control = false;
    bool alt = false;
    POINT cursor{0, 0}; // screen coordinates
};

// Sets the state that every poll reports from now on (and drops any script).
void setInput(const InputState& state);

// Scripts successive states: polls see states[0] until the first GetCursorPos call; each
// GetCursorPos call moves on to the next state and reports its cursor, so a tracking loop that
// reads the cursor and then the buttons sees one state per pass. The last state stays.
// An empty script is the same as setInput with all released at (0, 0).
void scriptInput(const std::vector<InputState>& states);

// The state polls see now, and how many states of the script are still ahead of it.
InputState currentInput();
std::size_t remainingInputStates();

// Number of GetAsyncKeyState and GetCursorPos calls since the last reset.
std::uint64_t keyStatePolls();
std::uint64_t cursorPolls();

// The tick count: once set, GetTickCount reports this value, which only moves when a test moves
// it, when Sleep is free (it then advances by the time slept), or by tickStepPerCursorPoll.
void setTickCount(DWORD milliseconds);
void advanceTickCount(DWORD milliseconds);
// Sleep returns at once (and advances a set tick count by the time asked).
void setSleepFree(bool free);
// Each GetCursorPos call advances a set tick count by this many milliseconds (0 by default), so
// that idle throttles run during a scripted drag.
void setTickStepPerCursorPoll(DWORD milliseconds);

// Back to the defaults: all released at (0, 0), the real tick count, real Sleep, no step.
void resetInput();

// Mouse presses: sets the input so that polls see the button held at that point (shift, control
// and alt as given) unless a script is running, then sends the button-down message with that
// point (client coordinates of the window) to the window's procedure. Returns its result.
enum class Button { left, right, middle };
LRESULT pressMouse(HWND window, int x, int y, Button button = Button::left, bool shift = false,
                   bool control = false, bool alt = false);
// Sends the button-up message and marks the button released (unless a script is running).
LRESULT releaseMouse(HWND window, int x, int y, Button button = Button::left);

// Paint requests: invalidates the rectangle (the whole client area when none is given) and
// delivers WM_PAINT to the window at once, then to its children with update regions.
void paint(HWND window, const RECT* rect = nullptr);
// Delivers every posted message and every pending paint, as a message loop would, until none is
// left (or the limit of messages is reached). Returns the number of messages delivered.
int pumpMessages(int limit = 10000);

// Pixels as 0x00RRGGBB, rows from the top.
struct Image {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels;

    std::uint32_t at(int x, int y) const { return pixels[std::size_t(y) * width + x]; }
    // The same pixel as the Windows colour value 0x00BBGGRR.
    COLORREF colorAt(int x, int y) const;
};

// The window's picture: its own pixels with its visible children drawn in at their positions.
Image windowPicture(HWND window);
// A bitmap's pixels; a one-bit bitmap gives 0x000000 for 0 and 0xFFFFFF for 1.
Image bitmapPixels(HBITMAP bitmap);
// The pixels of what a device context draws on (its selected bitmap or its window).
Image contextPixels(HDC dc);

bool savePng(const Image& image, const std::string& path);

// All windows that exist now, and the number of live drawing objects and device contexts
// (stock objects not counted), to check that code releases what it creates.
std::vector<HWND> allWindows();
int liveObjectCount();
int liveContextCount();

} // namespace platform::testing
