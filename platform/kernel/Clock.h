// The millisecond clock behind GetTickCount and Sleep, which tests can take over.
#pragma once

#include "platform/api/Types.h"

namespace platform::kernel {

DWORD tickCount();
void sleep(DWORD milliseconds);

// Test control: a set clock reports its value and moves only when told to.
void setTickCount(DWORD milliseconds);
void advanceTickCount(DWORD milliseconds);
void setSleepFree(bool free);
void useRealClock();
bool clockIsSet();

} // namespace platform::kernel
