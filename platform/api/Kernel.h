// System services: the millisecond tick count, sleeping, the last-error value.
#pragma once

#include "platform/api/Types.h"

#define ERROR_SUCCESS 0L
#define ERROR_INVALID_HANDLE 6L
#define ERROR_NOT_ENOUGH_MEMORY 8L
#define ERROR_INVALID_PARAMETER 87L
#define ERROR_CLASS_ALREADY_EXISTS 1410L
#define ERROR_CLASS_DOES_NOT_EXIST 1411L
#define ERROR_CLASS_HAS_WINDOWS 1412L
#define ERROR_INVALID_WINDOW_HANDLE 1400L

DWORD GetTickCount();
void Sleep(DWORD milliseconds);
DWORD GetLastError();
void SetLastError(DWORD error);
