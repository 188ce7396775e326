// plughost edit on Windows: the editor stays open in a real window so that a person, or a
// test moving the real pointer, can use it; afterwards plughost reports what reached it.
#include "host/platform_win32/EditorSession.h"
#include "host/platform_win32/WindowsCommands.h"

#include <cstdio>
#include <iostream>

namespace plughost {

int editCommand(const Arguments& arguments) {
    EditorOptions options;
    options.waitMilliseconds = 60000;
    if (!parseEditorOptions(arguments, true, options)) {
        return exitUsage;
    }
    if (options.positional.size() != 1) {
        reportError("usage: plughost edit PLUGIN [--program K] [--set I=V ...] [--wait MS] "
                    "[--until FILE]");
        return exitUsage;
    }
    EditorSession session;
    if (!session.start(options.positional[0], options)) {
        session.finish();
        return exitFailure;
    }
    EditorWindow& window = session.window();
    vsthost::PluginInstance& plugin = session.plugin();
    // Let the first paint happen before anyone is told where the editor is.
    window.runFor(300);
    const POINT origin = window.clientOrigin();
    std::cout << "editor x=" << origin.x << " y=" << origin.y << " width=" << window.width()
              << " height=" << window.height() << std::endl;

    const std::string until = options.untilPath;
    window.run(static_cast<DWORD>(options.waitMilliseconds), [&until] {
        return !until.empty() && GetFileAttributesA(until.c_str()) != INVALID_FILE_ATTRIBUTES;
    });

    vsthost::HostContext& host = plugin.host();
    std::cout << "automate count=" << host.callCount(audioMasterAutomate)
              << " index=" << host.lastAutomatedIndex.load()
              << " value=" << floatText(host.lastAutomatedValue.load()) << '\n';
    const std::int32_t count = plugin.record()->numParams;
    for (std::int32_t index = 0; index < count; ++index) {
        std::cout << "parameter index=" << index << " value=" << floatText(plugin.parameter(index))
                  << '\n';
    }
    const bool clean = session.finish();
    std::cout << (clean ? "closed with no window left" : "closing left windows behind")
              << std::endl;
    return clean ? exitSuccess : exitFailure;
}

} // namespace plughost
