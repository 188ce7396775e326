// The input script, the tick count and Sleep.
#include "platform/testing/Testing.h"

#include <gtest/gtest.h>

namespace {

using platform::testing::InputState;

InputState state(int x, int y, bool left, bool shift = false, bool alt = false) {
    InputState s;
    s.cursor = POINT{x, y};
    s.left = left;
    s.shift = shift;
    s.alt = alt;
    return s;
}

class Input : public ::testing::Test {
protected:
    void TearDown() override { platform::testing::resetInput(); }
};

TEST_F(Input, ASetStateIsWhatEveryPollSees) {
    platform::testing::setInput(state(5, 6, true, false, true));
    for (int i = 0; i < 3; ++i) {
        EXPECT_LT(GetAsyncKeyState(VK_LBUTTON), 0);
        EXPECT_LT(GetAsyncKeyState(VK_MENU), 0);
        EXPECT_EQ(GetAsyncKeyState(VK_SHIFT), 0);
        EXPECT_EQ(GetAsyncKeyState(VK_RBUTTON), 0);
        POINT p{};
        GetCursorPos(&p);
        EXPECT_EQ(p.x, 5);
    }
}

// A tracking loop as controls run it: read the buttons, then until release read the cursor and
// the buttons again, never returning to a message loop.
TEST_F(Input, AScriptDrivesATrackingLoopUntilRelease) {
    platform::testing::scriptInput({state(10, 10, true), state(10, 20, true),
                                    state(12, 30, true, true), state(12, 40, false)});
    std::vector<POINT> seen;
    std::vector<bool> shifted;
    ASSERT_LT(GetAsyncKeyState(VK_LBUTTON), 0);
    while (GetAsyncKeyState(VK_LBUTTON) < 0) {
        POINT p{};
        GetCursorPos(&p);
        seen.push_back(p);
        shifted.push_back(GetAsyncKeyState(VK_SHIFT) < 0);
    }
    ASSERT_EQ(seen.size(), 3u);
    EXPECT_EQ(seen[0].y, 20);
    EXPECT_EQ(seen[1].y, 30);
    EXPECT_EQ(seen[2].y, 40);
    EXPECT_EQ(shifted, (std::vector<bool>{false, true, false}));
    EXPECT_EQ(platform::testing::remainingInputStates(), 0u);
    // The last state stays.
    POINT p{};
    GetCursorPos(&p);
    EXPECT_EQ(p.y, 40);
    EXPECT_EQ(GetAsyncKeyState(VK_LBUTTON), 0);
}

TEST_F(Input, PollsAreCounted) {
    const std::uint64_t keys = platform::testing::keyStatePolls();
    const std::uint64_t cursors = platform::testing::cursorPolls();
    GetAsyncKeyState(VK_SHIFT);
    GetAsyncKeyState(VK_CONTROL);
    POINT p{};
    GetCursorPos(&p);
    EXPECT_EQ(platform::testing::keyStatePolls(), keys + 2);
    EXPECT_EQ(platform::testing::cursorPolls(), cursors + 1);
}

TEST_F(Input, TheTickCountRunsOnItsOwnUntilSet) {
    const DWORD before = GetTickCount();
    Sleep(20);
    EXPECT_GE(GetTickCount() - before, 15u);
    platform::testing::setTickCount(1000);
    EXPECT_EQ(GetTickCount(), 1000u);
    platform::testing::advanceTickCount(49);
    EXPECT_EQ(GetTickCount(), 1049u);
}

TEST_F(Input, FreeSleepAdvancesASetClockAtOnce) {
    platform::testing::setTickCount(0xFFFFFFF0u);
    platform::testing::setSleepFree(true);
    Sleep(100000);
    EXPECT_EQ(GetTickCount(), 100000u - 16u); // the counter wraps as the system's does
}

TEST_F(Input, CursorPollsCanMoveTheClock) {
    platform::testing::setTickCount(0);
    platform::testing::setTickStepPerCursorPoll(20);
    POINT p{};
    GetCursorPos(&p);
    GetCursorPos(&p);
    EXPECT_EQ(GetTickCount(), 40u);
}

} // namespace
