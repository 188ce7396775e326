// The plughost subcommands that only the Windows build has: they show the editor in a real
// top-level window.
#pragma once

#include "host/plughost/Commands.h"

namespace plughost {

// plughost shot PLUGIN OUT.bmp: opens the editor, lets it paint, saves its client area.
int shotCommand(const Arguments& arguments);
// plughost edit PLUGIN: keeps the editor open for a person or a test driving the pointer,
// then reports what the plug-in told the host.
int editCommand(const Arguments& arguments);

extern const char* windowsCommandsUsage;

} // namespace plughost
