// The headless backend: windows live in memory only, and the input devices report what the
// testing interface set or scripted.
#pragma once

#include "platform/testing/Testing.h"
#include "platform/windowing/Backend.h"

#include <cstdint>
#include <vector>

namespace platform::headless {

class HeadlessBackend : public windowing::Backend {
public:
    SHORT asyncKeyState(int key) override;
    POINT cursorPosition() override;

    void setInput(const testing::InputState& state);
    void script(const std::vector<testing::InputState>& states);
    const testing::InputState& current() const { return states_[position_]; }
    std::size_t remaining() const { return states_.size() - 1 - position_; }
    bool scripted() const { return states_.size() > 1 && remaining() > 0; }
    void setTickStepPerCursorPoll(DWORD milliseconds) { tickStep_ = milliseconds; }
    // Counted in 64 bits: a drag polls about once a millisecond for as long as it lasts.
    std::uint64_t keyPolls() const { return keyPolls_; }
    std::uint64_t cursorPolls() const { return cursorPolls_; }
    void reset();

private:
    std::vector<testing::InputState> states_{testing::InputState{}};
    std::size_t position_ = 0;
    DWORD tickStep_ = 0;
    std::uint64_t keyPolls_ = 0;
    std::uint64_t cursorPolls_ = 0;
};

HeadlessBackend& headlessBackend();

} // namespace platform::headless
