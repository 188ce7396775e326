// The single-line edit box. Its text is the window's text (WM_SETTEXT and WM_GETTEXT go to the
// default procedure); this file keeps the caret, the selection, the font and the margins, and
// turns key and character messages into edits.
#include "platform/windowing/EditBox.h"
#include "platform/api/Edit.h"
#include "platform/api/Gdi.h"
#include "platform/windowing/WindowSystem.h"

#include <algorithm>
#include <map>
#include <string>

namespace platform::windowing {
namespace {

struct EditState {
    std::size_t caret = 0;
    std::size_t anchor = 0; // the selection runs from anchor to caret
    HFONT font = nullptr;   // not owned: the sender keeps it alive
    int leftMargin = 1;
    int rightMargin = 1;
    std::size_t limit = 30000;
    bool focused = false;
};

std::map<HWND, EditState>& states() {
    static std::map<HWND, EditState> table;
    return table;
}

EditState* stateOf(HWND window) {
    auto found = states().find(window);
    return found == states().end() ? nullptr : &found->second;
}

std::size_t selectionStart(const EditState& state) {
    return std::min(state.caret, state.anchor);
}

std::size_t selectionEnd(const EditState& state) {
    return std::max(state.caret, state.anchor);
}

void changed(HWND window) {
    InvalidateRect(window, nullptr, TRUE);
}

void replaceSelection(Window& window, EditState& state, const std::string& with) {
    const std::size_t start = selectionStart(state), end = selectionEnd(state);
    std::string text = window.text;
    text.replace(start, end - start, with);
    if (text.size() > state.limit) {
        return; // the system refuses what would pass the limit
    }
    window.text = text;
    state.caret = state.anchor = start + with.size();
    changed(handleOf(&window));
}

void keyDown(Window& window, EditState& state, WPARAM key) {
    const std::size_t length = window.text.size();
    switch (key) {
    case VK_LEFT:
        state.caret = state.caret > 0 ? state.caret - 1 : 0;
        break;
    case VK_RIGHT:
        state.caret = std::min(state.caret + 1, length);
        break;
    case VK_HOME:
        state.caret = 0;
        break;
    case VK_END:
        state.caret = length;
        break;
    case VK_DELETE:
        if (state.caret == state.anchor && state.caret < length) {
            state.anchor = state.caret + 1;
        }
        replaceSelection(window, state, "");
        return;
    default:
        return;
    }
    state.anchor = state.caret;
    changed(handleOf(&window));
}

void character(Window& window, EditState& state, WPARAM code) {
    const unsigned char c = static_cast<unsigned char>(code);
    if (c == 0x08) { // backspace
        if (state.caret == state.anchor && state.caret > 0) {
            state.anchor = state.caret - 1;
        }
        replaceSelection(window, state, "");
    } else if (c == 0x01) { // Ctrl+A selects everything
        state.anchor = 0;
        state.caret = window.text.size();
        changed(handleOf(&window));
    } else if (c >= 0x20 && c != 0x7F) {
        replaceSelection(window, state, std::string(1, char(c)));
    }
    // Enter, Escape, Tab and the other control characters do nothing in a single-line box.
}

int textWidth(HDC dc, const std::string& text) {
    SIZE extent{0, 0};
    if (!text.empty()) {
        GetTextExtentPoint32A(dc, text.c_str(), int(text.size()), &extent);
    }
    return extent.cx;
}

void paint(Window& window, EditState& state) {
    const HWND handle = handleOf(&window);
    PAINTSTRUCT paintInfo{};
    HDC dc = BeginPaint(handle, &paintInfo);
    RECT client{0, 0, window.width(), window.height()};
    FillRect(dc, &client, GetSysColorBrush(COLOR_WINDOW));
    HGDIOBJ previousFont =
        SelectObject(dc, state.font ? HGDIOBJ(state.font) : GetStockObject(DEFAULT_GUI_FONT));
    SetBkMode(dc, TRANSPARENT);

    const std::string& text = window.text;
    const int available = window.width() - state.leftMargin - state.rightMargin;
    const int full = textWidth(dc, text);
    int x = state.leftMargin;
    if (window.style & ES_CENTER) {
        x += (available - full) / 2;
    } else if (window.style & ES_RIGHT) {
        x += available - full;
    }
    // A text wider than the box scrolls sideways so that the caret stays in view.
    const int caretX = textWidth(dc, text.substr(0, state.caret));
    if (full > available) {
        x = state.leftMargin - std::max(0, caretX - available + 1);
    }
    TEXTMETRICA metrics{};
    GetTextMetricsA(dc, &metrics);
    const int lineHeight = metrics.tmHeight > 0 ? int(metrics.tmHeight) : window.height();

    const std::size_t start = selectionStart(state), end = selectionEnd(state);
    const std::string before = text.substr(0, start), selected = text.substr(start, end - start),
                      after = text.substr(end);
    RECT line{x, 0, x + full, lineHeight};
    SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
    DrawTextA(dc, before.c_str(), -1, &line, DT_LEFT | DT_TOP | DT_SINGLELINE | DT_NOPREFIX);
    line.left = x + textWidth(dc, before);
    if (!selected.empty() && state.focused) {
        RECT highlight{line.left, 0, line.left + textWidth(dc, selected), lineHeight};
        HBRUSH brush = CreateSolidBrush(RGB(0, 120, 215));
        FillRect(dc, &highlight, brush);
        DeleteObject(brush);
        SetTextColor(dc, RGB(255, 255, 255));
    }
    DrawTextA(dc, selected.c_str(), -1, &line, DT_LEFT | DT_TOP | DT_SINGLELINE | DT_NOPREFIX);
    line.left += textWidth(dc, selected);
    SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
    DrawTextA(dc, after.c_str(), -1, &line, DT_LEFT | DT_TOP | DT_SINGLELINE | DT_NOPREFIX);
    if (state.focused && start == end) {
        RECT caret{x + caretX, 0, x + caretX + 1, lineHeight};
        FillRect(dc, &caret, GetSysColorBrush(COLOR_WINDOWTEXT));
    }
    SelectObject(dc, previousFont);
    EndPaint(handle, &paintInfo);
}

} // namespace

LRESULT CALLBACK editBoxProcedure(HWND handle, UINT message, WPARAM wParam, LPARAM lParam) {
    Window* window = findWindow(handle);
    if (!window) {
        return 0; // a message to a box destroyed on the way (Enter closing its own box)
    }
    if (message == WM_NCCREATE) {
        states()[handle] = EditState{};
        return DefWindowProcA(handle, message, wParam, lParam);
    }
    EditState* state = stateOf(handle);
    if (!state) {
        return DefWindowProcA(handle, message, wParam, lParam);
    }
    switch (message) {
    case WM_NCDESTROY:
        states().erase(handle);
        return 0;
    case WM_SETTEXT: {
        const LRESULT result = DefWindowProcA(handle, message, wParam, lParam);
        state->caret = state->anchor = 0;
        changed(handle);
        return result;
    }
    case WM_SETFONT:
        state->font = reinterpret_cast<HFONT>(wParam);
        if (LOWORD(lParam)) {
            changed(handle);
        }
        return 0;
    case WM_GETFONT:
        return reinterpret_cast<LRESULT>(state->font);
    case EM_SETMARGINS:
        if (wParam & EC_LEFTMARGIN) {
            state->leftMargin = LOWORD(lParam) == EC_USEFONTINFO ? 1 : LOWORD(lParam);
        }
        if (wParam & EC_RIGHTMARGIN) {
            state->rightMargin = HIWORD(lParam) == EC_USEFONTINFO ? 1 : HIWORD(lParam);
        }
        changed(handle);
        return 0;
    case EM_GETMARGINS:
        return MAKELRESULT(state->leftMargin, state->rightMargin);
    case EM_SETSEL: {
        const std::size_t length = window->text.size();
        const long from = long(static_cast<int>(wParam)), to = long(static_cast<int>(lParam));
        if (from < 0) {
            state->anchor = state->caret; // removes the selection
        } else {
            state->anchor = std::min(std::size_t(from), length);
            state->caret = to < 0 ? length : std::min(std::size_t(to), length);
        }
        changed(handle);
        return 0;
    }
    case EM_GETSEL:
        if (wParam) {
            *reinterpret_cast<DWORD*>(wParam) = DWORD(selectionStart(*state));
        }
        if (lParam) {
            *reinterpret_cast<DWORD*>(lParam) = DWORD(selectionEnd(*state));
        }
        return MAKELRESULT(selectionStart(*state), selectionEnd(*state));
    case EM_REPLACESEL:
        replaceSelection(*window, *state, lParam ? reinterpret_cast<const char*>(lParam) : "");
        return 0;
    case EM_LIMITTEXT:
        state->limit = wParam ? std::size_t(wParam) : std::size_t(0x7FFFFFFE);
        return 0;
    case EM_GETLIMITTEXT:
        return LRESULT(state->limit);
    case WM_SETFOCUS:
        state->focused = true;
        changed(handle);
        return 0;
    case WM_KILLFOCUS:
        state->focused = false;
        changed(handle);
        return 0;
    case WM_LBUTTONDOWN:
        SetFocus(handle);
        return 0;
    case WM_KEYDOWN:
        keyDown(*window, *state, wParam);
        return 0;
    case WM_CHAR:
        character(*window, *state, wParam);
        return 0;
    case WM_PAINT:
        paint(*window, *state);
        return 0;
    default:
        return DefWindowProcA(handle, message, wParam, lParam);
    }
}

} // namespace platform::windowing
