#include "platform/testing/Keystrokes.h"

#include <cctype>

namespace platform::testing {
namespace {

// The key's lParam: repeat count 1; a release also has the previous-state and transition bits.
LPARAM keyData(bool release) {
    return release ? LPARAM(0xC0000001u) : LPARAM(1);
}

// The character a key makes through TranslateMessage, or 0.
int characterOfKey(int virtualKey) {
    switch (virtualKey) {
    case VK_RETURN:
        return '\r';
    case VK_BACK:
        return 0x08;
    case VK_TAB:
        return '\t';
    case VK_ESCAPE:
        return 0x1B;
    case VK_SPACE:
        return ' ';
    default:
        return 0;
    }
}

// The virtual key that types a character, as far as a US layout goes: letters and digits have
// their own; everything else is reported as key 0.
int keyOfCharacter(unsigned char c) {
    if (std::isalpha(c)) {
        return std::toupper(c);
    }
    if (std::isdigit(c) || c == ' ') {
        return c;
    }
    return 0;
}

bool deliver(int virtualKey, int character) {
    const HWND target = GetFocus();
    if (!target) {
        return false;
    }
    SendMessageA(target, WM_KEYDOWN, WPARAM(virtualKey), keyData(false));
    if (character != 0 && IsWindow(target)) {
        SendMessageA(target, WM_CHAR, WPARAM(character), keyData(false));
    }
    if (IsWindow(target)) {
        SendMessageA(target, WM_KEYUP, WPARAM(virtualKey), keyData(true));
    }
    return true;
}

} // namespace

bool pressKey(int virtualKey) {
    return deliver(virtualKey, characterOfKey(virtualKey));
}

int typeText(const std::string& text) {
    int delivered = 0;
    for (const char c : text) {
        const auto code = static_cast<unsigned char>(c);
        delivered += deliver(keyOfCharacter(code), code) ? 1 : 0;
    }
    return delivered;
}

} // namespace platform::testing
