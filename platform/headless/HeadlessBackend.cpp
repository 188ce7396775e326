#include "platform/headless/HeadlessBackend.h"
#include "platform/kernel/Clock.h"

namespace platform::headless {

SHORT HeadlessBackend::asyncKeyState(int key) {
    ++keyPolls_;
    const testing::InputState& s = current();
    bool down = false;
    switch (key) {
    case VK_LBUTTON:
        down = s.left;
        break;
    case VK_RBUTTON:
        down = s.right;
        break;
    case VK_MBUTTON:
        down = s.middle;
        break;
    case VK_SHIFT:
    case 0xA0: // left and right shift
    case 0xA1:
        down = s.shift;
        break;
    case VK_CONTROL:
    case 0xA2:
    case 0xA3:
        down = s.control;
        break;
    case VK_MENU:
    case 0xA4:
    case 0xA5:
        down = s.alt;
        break;
    default:
        break;
    }
    return down ? SHORT(0x8000) : SHORT(0);
}

POINT HeadlessBackend::cursorPosition() {
    ++cursorPolls_;
    if (position_ + 1 < states_.size()) {
        ++position_;
    }
    if (tickStep_ > 0) {
        kernel::advanceTickCount(tickStep_);
    }
    return current().cursor;
}

void HeadlessBackend::setInput(const testing::InputState& state) {
    states_.assign(1, state);
    position_ = 0;
}

void HeadlessBackend::script(const std::vector<testing::InputState>& states) {
    states_ = states.empty() ? std::vector<testing::InputState>{testing::InputState{}} : states;
    position_ = 0;
}

void HeadlessBackend::reset() {
    setInput(testing::InputState{});
    tickStep_ = 0;
    keyPolls_ = 0;
    cursorPolls_ = 0;
}

HeadlessBackend& headlessBackend() {
    static HeadlessBackend instance;
    return instance;
}

} // namespace platform::headless
