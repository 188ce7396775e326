#include "platform/kernel/Clock.h"

#include <chrono>
#include <thread>

namespace platform::kernel {
namespace {

struct ClockState {
    bool set = false;
    bool sleepFree = false;
    DWORD value = 0;
};

ClockState& state() {
    static ClockState clock;
    return clock;
}

} // namespace

DWORD tickCount() {
    if (state().set) {
        return state().value;
    }
    const auto now = std::chrono::steady_clock::now().time_since_epoch();
    // The counter wraps like the system's, every 2^32 milliseconds.
    return DWORD(std::chrono::duration_cast<std::chrono::milliseconds>(now).count());
}

void sleep(DWORD milliseconds) {
    if (state().sleepFree) {
        if (state().set) {
            state().value += milliseconds;
        }
        return;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

void setTickCount(DWORD milliseconds) {
    state().set = true;
    state().value = milliseconds;
}

void advanceTickCount(DWORD milliseconds) {
    if (!state().set) {
        setTickCount(tickCount());
    }
    state().value += milliseconds;
}

void setSleepFree(bool free) {
    state().sleepFree = free;
}

void useRealClock() {
    state().set = false;
    state().sleepFree = false;
}

bool clockIsSet() {
    return state().set;
}

} // namespace platform::kernel
