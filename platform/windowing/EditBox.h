// The window procedure of the system class "EDIT": a single-line box that takes its text from
// key and character messages while it has the focus.
#pragma once

#include "platform/api/User.h"

namespace platform::windowing {

LRESULT CALLBACK editBoxProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

} // namespace platform::windowing
