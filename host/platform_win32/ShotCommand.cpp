// plughost shot on Windows: the editor in a real top-level window, painted by the system's
// own paint messages, its client area read back from the screen.
#include "host/platform_win32/EditorSession.h"
#include "host/platform_win32/WindowsCommands.h"

#include <iostream>

namespace plughost {

const char* windowsCommandsUsage =
    "  shot PLUGIN OUT.bmp [--program K] [--set I=V ...] [--wait MS]\n"
    "      opens the editor in a window, lets it paint and idle for MS milliseconds (500),\n"
    "      saves its client area as a 24-bit BMP and checks that closing leaves no window\n"
    "  edit PLUGIN [--program K] [--set I=V ...] [--wait MS] [--until FILE]\n"
    "      opens the editor in a window for MS milliseconds (60000) or until FILE exists,\n"
    "      then reports the automation the plug-in sent and every parameter's value\n";

int shotCommand(const Arguments& arguments) {
    EditorOptions options;
    options.waitMilliseconds = 500;
    if (!parseEditorOptions(arguments, false, options)) {
        return exitUsage;
    }
    if (options.positional.size() != 2) {
        reportError("usage: plughost shot PLUGIN OUT.bmp [--program K] [--set I=V ...] "
                    "[--wait MS]");
        return exitUsage;
    }
    EditorSession session;
    if (!session.start(options.positional[0], options)) {
        session.finish();
        return exitFailure;
    }
    EditorWindow& window = session.window();
    window.runFor(static_cast<DWORD>(options.waitMilliseconds));
    std::string error;
    const bool saved = window.saveClientArea(options.positional[1], error);
    const int width = window.width();
    const int height = window.height();
    if (!saved) {
        reportError(error);
    }
    const bool clean = session.finish();
    if (!saved || !clean) {
        return exitFailure;
    }
    std::cout << "editor " << width << 'x' << height << " saved to " << options.positional[1]
              << "; closed with no window left\n";
    return exitSuccess;
}

} // namespace plughost
