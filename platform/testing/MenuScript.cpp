#include "platform/testing/MenuScript.h"
#include "platform/windowing/Menus.h"

namespace platform::testing {

namespace windowing = platform::windowing;

void scriptMenuChoice(UINT command) {
    windowing::MenuAction action;
    action.kind = windowing::MenuAction::Kind::choose;
    action.command = command;
    windowing::menuScript().push_back(action);
}

void scriptMenuDismissal() {
    windowing::menuScript().push_back(windowing::MenuAction{});
}

void scriptMenuDismissalByClick(POINT screenPoint) {
    windowing::MenuAction action;
    action.kind = windowing::MenuAction::Kind::dismissByClick;
    action.click = screenPoint;
    windowing::menuScript().push_back(action);
}

void clearMenuScript() {
    windowing::menuScript().clear();
}

std::size_t pendingMenuActions() {
    return windowing::menuScript().size();
}

std::vector<ShownMenu> shownMenus() {
    std::vector<ShownMenu> result;
    for (const windowing::ShownMenu& shown : windowing::shownMenus()) {
        ShownMenu menu;
        menu.x = shown.x;
        menu.y = shown.y;
        menu.flags = shown.flags;
        menu.owner = shown.owner;
        for (const windowing::MenuItem& item : shown.items) {
            ShownMenuItem seen;
            seen.text = item.text;
            seen.command = item.command;
            seen.separator = (item.flags & MF_SEPARATOR) != 0;
            seen.checked = (item.flags & MF_CHECKED) != 0;
            seen.disabled = (item.flags & (MF_GRAYED | MF_DISABLED)) != 0;
            menu.items.push_back(seen);
        }
        result.push_back(menu);
    }
    return result;
}

void clearShownMenus() {
    windowing::shownMenus().clear();
}

int liveMenuCount() {
    return windowing::liveMenuCount();
}

} // namespace platform::testing
