// plughost shot on Linux: the editor inside a top-level X11 window, its picture saved as PNG.
#pragma once

#include "host/plughost/Commands.h"

namespace plughost {

int shotCommand(const Arguments& arguments);

extern const char* shotCommandUsage;

} // namespace plughost
