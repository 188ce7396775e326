#include "framework/gui/controls/ChoiceMenu.h"

#include <cstdio>
#include <cstring>
#include <new>

#include "framework/gui/Bitmap.h"
#include "framework/gui/DrawContext.h"
#include "framework/gui/Frame.h"
#include "framework/gui/controls/MouseTracking.h"


namespace {

bool isSeparator(const char* text) {
    return std::strcmp(text, "-") == 0;
}

} // namespace

ChoiceMenu::ChoiceMenu(const Rect& size, ControlListener* listener, std::int32_t tag,
                       Bitmap* background, Bitmap* openBackground, std::int32_t style)
    : ValueDisplay(size, background, style), openBackground(openBackground) {
    if (openBackground != nullptr) {
        openBackground->addRef();
    }
    this->listener = listener;
    this->tag = tag;
}

ChoiceMenu::~ChoiceMenu() {
    removeAllEntries();
    if (openBackground != nullptr) {
        openBackground->release();
    }
}

bool ChoiceMenu::addEntry(const char* text, std::int32_t index) {
    if (entryCount == maximumEntries || index > entryCount) {
        return false;
    }
    char* buffer = new (std::nothrow) char[entryCapacity];
    if (buffer == nullptr) {
        return false;
    }
    std::strncpy(buffer, text != nullptr ? text : "", entryCapacity - 1);
    buffer[entryCapacity - 1] = 0;

    std::int32_t slot = entryCount;
    if (index >= 0) {
        for (std::int32_t i = entryCount; i > index; --i) {
            entries[i] = entries[i - 1];
        }
        slot = index;
        if (currentEntry >= index) {
            ++currentEntry; // the same text stays current
        }
    }
    entries[slot] = buffer;
    ++entryCount;
    if (currentEntry < 0) {
        currentEntry = 0;
    }
    return true;
}

std::int32_t ChoiceMenu::getCurrentEntry(char* buffer) {
    if (currentEntry < 0) {
        return -1;
    }
    if (buffer != nullptr) {
        std::memcpy(buffer, entries[currentEntry], entryCapacity);
    }
    return currentEntry;
}

bool ChoiceMenu::setCurrentEntry(std::int32_t index) {
    if (index < 0 || index >= entryCount || isSeparator(entries[index])) {
        return false;
    }
    currentEntry = index;
    drawnValue = value == 0.0f ? 1.0f : 0.0f;
    return true;
}

bool ChoiceMenu::getEntry(std::int32_t index, char* buffer) {
    if (index < 0 || index >= entryCount) {
        return false;
    }
    if (buffer != nullptr) {
        std::memcpy(buffer, entries[index], entryCapacity);
    }
    return true;
}

bool ChoiceMenu::removeEntry(std::int32_t index) {
    if (index < 0 || index >= entryCount) {
        return false;
    }
    delete[] entries[index];
    for (std::int32_t i = index; i < entryCount - 1; ++i) {
        entries[i] = entries[i + 1];
    }
    if (currentEntry >= index) {
        --currentEntry;
    }
    entries[entryCount - 1] = nullptr;
    --entryCount;
    if (entryCount == 0) {
        currentEntry = -1;
    }
    return true;
}

bool ChoiceMenu::removeAllEntries() {
    for (std::int32_t i = 0; i < entryCount; ++i) {
        delete[] entries[i];
        entries[i] = nullptr;
    }
    entryCount = 0;
    currentEntry = -1;
    return true;
}

std::int32_t ChoiceMenu::getEntryCount() {
    return entryCount;
}

const char* ChoiceMenu::currentText() const {
    return currentEntry >= 0 && currentEntry < entryCount ? entries[currentEntry] : "";
}

void ChoiceMenu::draw(DrawContext& context) {
    char shown[entryCapacity];
    std::snprintf(shown, sizeof(shown), "%s", currentText());
    drawValueText(context, shown, nullptr);
}

void ChoiceMenu::onMouseDown(DrawContext& context, const Point&) {
    if (!acceptsMouse() || context.getButtonState() != buttonLeft || frame == nullptr) {
        return;
    }
    if (openBackground != nullptr) {
        drawValueText(context, currentText(), openBackground);
    }
    frame->setEditingView(this);
    beginEditing();
}

void ChoiceMenu::endEditing() {
    openMenu = nullptr;
}

void ChoiceMenu::beginEditing() {
    if (frame == nullptr) {
        return;
    }
    HWND window = frame->getWindowHandle();
    std::int32_t chosen = -1;
    RECT frameRect{0, 0, 0, 0};
    GetWindowRect(window, &frameRect);

    HMENU menu = CreatePopupMenu();
    openMenu = menu;
    for (std::int32_t i = 0; i < entryCount; ++i) {
        if (isSeparator(entries[i])) {
            AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
        } else {
            const bool marked = (getStyle() & styleMarkCurrent) != 0 && i == currentEntry;
            AppendMenuA(menu, marked ? MF_CHECKED : 0, UINT_PTR(i), entries[i]);
        }
    }
    const int x = frameRect.left + size.left;
    const int y = frameRect.top + ((getStyle() & styleOpenAtTop) != 0 ? size.top : size.bottom);
    MSG message{};
    if (TrackPopupMenu(menu, 0, x, y, 0, window, nullptr) != 0) {
        if (PeekMessageA(&message, window, WM_COMMAND, WM_COMMAND, PM_REMOVE) &&
            HIWORD(message.wParam) == 0) {
            chosen = LOWORD(message.wParam);
        }
    }
    // The click that closed the menu must not reach the frame afterwards.
    PeekMessageA(&message, window, WM_LBUTTONDOWN, WM_MBUTTONUP, PM_REMOVE);
    PeekMessageA(&message, window, WM_LBUTTONDOWN, WM_MBUTTONUP, PM_REMOVE);
    DestroyMenu(menu);
    openMenu = nullptr;
    frame->setEditingView(nullptr);

    // A command that no entry stands for (posted by someone else) is no choice.
    if (chosen >= entryCount) {
        chosen = -1;
    }
    if (chosen == -1 && openBackground == nullptr) {
        return;
    }
    HDC dc = GetDC(window);
    {
        DrawContext context(frame, dc, window);
        if (chosen != -1) {
            currentEntry = chosen;
            tellListener(context, *this);
        }
        draw(context);
    }
    ReleaseDC(window, dc);
}

