#include "framework/gui/controls/TextField.h"

#include <cstdio>
#include <cstring>

#include "framework/effect/Module.h"
#include "framework/gui/DrawContext.h"
#include "framework/gui/FontTable.h"
#include "framework/gui/Frame.h"
#include "framework/gui/controls/MouseTracking.h"


namespace {

// The procedure the edit boxes had before a text field took them over. All boxes are of the
// one system class, so whichever box stored it, the value is the same.
WNDPROC savedEditProcedure = nullptr;

constexpr DWORD editBoxStyle = WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL | ES_CENTER;

void copyText(char (&target)[TextField::textCapacity], const char* source) {
    std::strncpy(target, source != nullptr ? source : "", TextField::textCapacity - 1);
    target[TextField::textCapacity - 1] = 0;
}

} // namespace

TextField::TextField(const Rect& size, ControlListener* listener, std::int32_t tag,
                     const char* text, Bitmap* background, std::int32_t style)
    : ValueDisplay(size, background, style) {
    this->listener = listener;
    this->tag = tag;
    copyText(this->text, text);
}

TextField::~TextField() {
    closeBox();
}

void TextField::setText(const char* newText) {
    if (newText == nullptr) {
        return;
    }
    copyText(text, newText);
    drawnValue = value == 0.0f ? 1.0f : 0.0f;
}

void TextField::getText(char* buffer) {
    if (buffer != nullptr) {
        std::memcpy(buffer, text, textCapacity);
    }
}

void TextField::setTextConverter(TextConverter converter) {
    textConverter = converter;
}

void TextField::draw(DrawContext& context) {
    char shown[textCapacity];
    if (textConverter != nullptr) {
        shown[0] = 0;
        textConverter(text, shown);
        shown[textCapacity - 1] = 0;
    } else {
        std::snprintf(shown, sizeof(shown), "%s", text);
    }
    drawValueText(context, shown, nullptr);
}

void TextField::onMouseDown(DrawContext& context, const Point&) {
    if (!acceptsMouse() || context.getButtonState() != buttonLeft || frame == nullptr ||
        frame->getEditingView() == this) {
        return;
    }
    frame->setEditingView(this);
    beginEditing();
}

void TextField::beginEditing() {
    if (frame == nullptr || editWindow != nullptr) {
        return;
    }
    editWindow = CreateWindowExA(0, "EDIT", text, editBoxStyle, size.left, size.top,
                                 size.width() + 1, size.height() + 1, frame->getWindowHandle(),
                                 nullptr, static_cast<HINSTANCE>(moduleHandle), nullptr);
    if (editWindow == nullptr) {
        // Nothing is open, so nothing may stay marked as editing.
        if (frame->getEditingView() == this) {
            frame->setEditingView(nullptr);
        }
        return;
    }

    const FontDescription description = lookupFont(getFontId(), 0);
    LOGFONTA font{};
    font.lfHeight = -description.size;
    font.lfWeight = 400;
    font.lfCharSet = 0;
    font.lfOutPrecision = 1;
    font.lfClipPrecision = 2;
    font.lfQuality = 0;
    font.lfPitchAndFamily = 0x22;
    std::strncpy(font.lfFaceName, description.face, sizeof(font.lfFaceName) - 1);
    editFont = CreateFontIndirectA(&font);

    SetWindowLongPtrA(editWindow, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    SendMessageA(editWindow, WM_SETFONT, reinterpret_cast<WPARAM>(editFont), 1);
    SendMessageA(editWindow, EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, 0);
    SetFocus(editWindow);
    savedEditProcedure = reinterpret_cast<WNDPROC>(SetWindowLongPtrA(
        editWindow, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&TextField::editProcedure)));
}

void TextField::closeBox() {
    if (editWindow == nullptr) {
        return;
    }
    // Handles are cleared and the box forgets this control before it is destroyed: destroying
    // the focused box makes it lose the focus, and that must not close it a second time.
    HWND box = editWindow;
    HFONT font = editFont;
    editWindow = nullptr;
    editFont = nullptr;
    SetWindowLongPtrA(box, GWLP_USERDATA, 0);
    DestroyWindow(box);
    if (font != nullptr) {
        DeleteObject(font);
    }
}

void TextField::endEditing() {
    if (editWindow == nullptr) {
        return;
    }
    char before[textCapacity];
    std::memcpy(before, text, textCapacity);
    GetWindowTextA(editWindow, text, textCapacity - 1);
    closeBox();
    if (frame == nullptr) {
        return;
    }
    frame->setEditingView(nullptr);

    HWND window = frame->getWindowHandle();
    HDC dc = GetDC(window);
    {
        DrawContext context(frame, dc, window);
        if (std::strcmp(before, text) != 0) {
            tellListener(context, *this);
        }
        draw(context);
    }
    ReleaseDC(window, dc);
}

LRESULT CALLBACK TextField::editProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    const WNDPROC next = savedEditProcedure;
    if (message == WM_KILLFOCUS || (message == WM_KEYDOWN && wParam == VK_RETURN)) {
        auto* field = reinterpret_cast<TextField*>(GetWindowLongPtrA(window, GWLP_USERDATA));
        if (field != nullptr) {
            Frame* owner = field->getFrame();
            field->endEditing();
            if (owner != nullptr) {
                owner->setEditingView(nullptr);
            }
        }
    }
    // Enter has just destroyed the box: nothing is left to pass the message to.
    if (!IsWindow(window)) {
        return 0;
    }
    return CallWindowProcA(next, window, message, wParam, lParam);
}

