// Keyboard input for tests: keys and characters delivered to the window that has the focus,
// as a message loop with TranslateMessage would deliver them.
#pragma once

#include "platform/WinApi.h"

#include <string>

namespace platform::testing {

// Sends WM_KEYDOWN, the character the key makes if any (Enter '\r', Backspace, Tab, Escape),
// and WM_KEYUP to the focused window. The character and the release go to the same window as
// the press, and are dropped when the press destroyed it. False when no window has the focus.
bool pressKey(int virtualKey);

// Types each character: its key press, the character message and the release, each time to
// the window that has the focus at that moment. Returns the number of characters delivered.
int typeText(const std::string& text);

} // namespace platform::testing
