// The one header through which the toolkit reaches the Windows drawing, windowing and timing
// services: the real ones on Windows, our own implementation of the same names elsewhere.
#pragma once

#ifdef _WIN32
#ifndef NOMINMAX
#define NOMINMAX
#endif
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>
#else
#include "platform/api/Edit.h"
#include "platform/api/Gdi.h"
#include "platform/api/Kernel.h"
#include "platform/api/Menu.h"
#include "platform/api/Types.h"
#include "platform/api/User.h"
#endif
