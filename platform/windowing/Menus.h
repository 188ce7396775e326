// Popup menus of the window system, and what the headless menu loop does in place of a user:
// TrackPopupMenu takes the next scripted action (choose a command, or close without a
// choice, optionally by a click that reaches the owner) and records what it showed.
#pragma once

#include "platform/api/Menu.h"
#include "platform/api/User.h"

#include <deque>
#include <string>
#include <vector>

namespace platform::windowing {

struct MenuItem {
    UINT flags = 0;
    UINT_PTR command = 0; // the submenu's handle for MF_POPUP items
    std::string text;
};

struct Menu {
    std::vector<MenuItem> items;
};

Menu* findMenu(HMENU handle);
int liveMenuCount();

// What TrackPopupMenu does in place of the user, one action per call.
struct MenuAction {
    enum class Kind { choose, dismiss, dismissByClick };
    Kind kind = Kind::dismiss;
    UINT command = 0;  // for choose
    POINT click{0, 0}; // for dismissByClick, screen coordinates
};
std::deque<MenuAction>& menuScript();

// A menu as TrackPopupMenu showed it.
struct ShownMenu {
    std::vector<MenuItem> items;
    int x = 0;
    int y = 0;
    UINT flags = 0;
    HWND owner = nullptr;
};
std::vector<ShownMenu>& shownMenus();

} // namespace platform::windowing
