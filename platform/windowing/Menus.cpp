// Popup menus over the window system. The menu loop of TrackPopupMenu runs no user interface:
// it takes its outcome from the script the testing interface fills, and a call without a
// scripted action closes the menu as Escape would, so nothing ever waits.
#include "platform/windowing/Menus.h"
#include "platform/api/Kernel.h"
#include "platform/windowing/WindowSystem.h"

#include <algorithm>
#include <unordered_set>

namespace platform::windowing {
namespace {

std::unordered_set<Menu*>& liveMenus() {
    static std::unordered_set<Menu*> menus;
    return menus;
}

HMENU handleOfMenu(Menu* menu) {
    return reinterpret_cast<HMENU>(menu);
}

void destroyMenu(Menu* menu) {
    for (const MenuItem& item : menu->items) {
        if (item.flags & MF_POPUP) {
            if (Menu* submenu = findMenu(reinterpret_cast<HMENU>(item.command))) {
                destroyMenu(submenu);
            }
        }
    }
    liveMenus().erase(menu);
    delete menu;
}

bool choosable(const Menu& menu, UINT command) {
    return std::any_of(menu.items.begin(), menu.items.end(), [&](const MenuItem& item) {
        return !(item.flags & (MF_SEPARATOR | MF_POPUP | MF_GRAYED | MF_DISABLED)) &&
               UINT(item.command) == command;
    });
}

} // namespace

Menu* findMenu(HMENU handle) {
    auto* menu = reinterpret_cast<Menu*>(handle);
    return liveMenus().count(menu) ? menu : nullptr;
}

int liveMenuCount() {
    return int(liveMenus().size());
}

std::deque<MenuAction>& menuScript() {
    static std::deque<MenuAction> script;
    return script;
}

std::vector<ShownMenu>& shownMenus() {
    static std::vector<ShownMenu> shown;
    return shown;
}

} // namespace platform::windowing

using namespace platform::windowing;

HMENU CreatePopupMenu() {
    auto* menu = new Menu;
    liveMenus().insert(menu);
    return handleOfMenu(menu);
}

BOOL AppendMenuA(HMENU handle, UINT flags, UINT_PTR idNewItem, LPCSTR text) {
    Menu* menu = findMenu(handle);
    if (!menu) {
        SetLastError(1401); // not a menu
        return FALSE;
    }
    MenuItem item;
    item.flags = flags;
    item.command = idNewItem;
    if (!(flags & MF_SEPARATOR) && text) {
        item.text = text;
    }
    menu->items.push_back(item);
    return TRUE;
}

BOOL DestroyMenu(HMENU handle) {
    Menu* menu = findMenu(handle);
    if (!menu) {
        SetLastError(1401);
        return FALSE;
    }
    destroyMenu(menu);
    return TRUE;
}

BOOL IsMenu(HMENU handle) {
    return findMenu(handle) ? TRUE : FALSE;
}

int GetMenuItemCount(HMENU handle) {
    Menu* menu = findMenu(handle);
    return menu ? int(menu->items.size()) : -1;
}

BOOL TrackPopupMenu(HMENU handle, UINT flags, int x, int y, int, HWND owner, const RECT*) {
    Menu* menu = findMenu(handle);
    if (!menu || !findWindow(owner)) {
        SetLastError(menu ? ERROR_INVALID_WINDOW_HANDLE : 1401);
        return FALSE;
    }
    ShownMenu shown;
    shown.items = menu->items;
    shown.x = x;
    shown.y = y;
    shown.flags = flags;
    shown.owner = owner;
    shownMenus().push_back(shown);

    MenuAction action;
    if (!menuScript().empty()) {
        action = menuScript().front();
        menuScript().pop_front();
    }
    const bool notify = !(flags & TPM_NONOTIFY);
    if (notify) {
        SendMessageA(owner, WM_ENTERMENULOOP, TRUE, 0);
    }
    UINT chosen = 0;
    bool hasChoice = false;
    if (action.kind == MenuAction::Kind::choose && choosable(*menu, action.command)) {
        chosen = action.command;
        hasChoice = true;
    } else if (action.kind == MenuAction::Kind::dismissByClick) {
        // The click that closes the menu stays in the queue for the window under it.
        POINT client = action.click;
        ScreenToClient(owner, &client);
        const LPARAM where = MAKELPARAM(client.x, client.y);
        PostMessageA(owner, WM_LBUTTONDOWN, MK_LBUTTON, where);
        PostMessageA(owner, WM_LBUTTONUP, 0, where);
    }
    if (notify) {
        SendMessageA(owner, WM_EXITMENULOOP, TRUE, 0);
    }
    if (flags & TPM_RETURNCMD) {
        return hasChoice ? BOOL(chosen) : FALSE;
    }
    if (hasChoice && findWindow(owner)) {
        PostMessageA(owner, WM_COMMAND, MAKEWPARAM(chosen, 0), 0);
    }
    return TRUE;
}
