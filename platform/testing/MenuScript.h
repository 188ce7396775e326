// Popup menus for tests: what the next TrackPopupMenu calls do in place of the user, and what
// the menus they showed looked like.
#pragma once

#include "platform/WinApi.h"

#include <string>
#include <vector>

namespace platform::testing {

// Queues the outcome of the next menu: the item with this command is chosen (a command that
// no enabled text item has closes the menu without a choice).
void scriptMenuChoice(UINT command);
// Queues a menu closed without a choice, as by Escape.
void scriptMenuDismissal();
// Queues a menu closed by a left click at a screen point: the click's press and release are
// posted to the menu's owner.
void scriptMenuDismissalByClick(POINT screenPoint);
// Menus tracked with nothing queued close without a choice.
void clearMenuScript();
std::size_t pendingMenuActions();

struct ShownMenuItem {
    std::string text;
    UINT_PTR command = 0;
    bool separator = false;
    bool checked = false;
    bool disabled = false;
};

struct ShownMenu {
    std::vector<ShownMenuItem> items;
    int x = 0; // screen coordinates of the menu's top-left corner
    int y = 0;
    UINT flags = 0;
    HWND owner = nullptr;
};

// Every menu TrackPopupMenu showed since the last clearShownMenus, in order.
std::vector<ShownMenu> shownMenus();
void clearShownMenus();

// Popup menus created and not yet destroyed.
int liveMenuCount();

} // namespace platform::testing
