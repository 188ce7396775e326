#include "platform/api/Kernel.h"
#include "platform/kernel/Clock.h"

namespace {
thread_local DWORD lastError = ERROR_SUCCESS;
}

DWORD GetTickCount() {
    return platform::kernel::tickCount();
}

void Sleep(DWORD milliseconds) {
    platform::kernel::sleep(milliseconds);
}

DWORD GetLastError() {
    return lastError;
}

void SetLastError(DWORD error) {
    lastError = error;
}
