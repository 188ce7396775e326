// What shot and edit share: their options, the plug-in set up as they ask, the editor
// window, and the checks that closing leaves nothing behind.
#pragma once

#include "host/platform_win32/EditorWindow.h"
#include "host/plughost/CommandLine.h"
#include "host/plughost/Commands.h"

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace plughost {

struct EditorOptions {
    std::vector<std::string> positional;
    std::vector<ParameterSetting> settings;
    std::optional<std::int64_t> program;
    std::int64_t waitMilliseconds = 0;
    std::string untilPath;
};

// Parses --set, --program, --wait MS and (when allowed) --until FILE; everything else that
// does not start with "--" is positional.
bool parseEditorOptions(const Arguments& arguments, bool allowUntil, EditorOptions& options);

class EditorSession {
public:
    // Loads the plug-in, applies the program and the settings, opens the editor.
    bool start(const std::string& pluginPath, const EditorOptions& options);
    // Closes the editor and its window, then the plug-in, and checks that no window and no
    // window class of the plug-in is left; reports each leftover on stderr.
    bool finish();

    vsthost::PluginInstance& plugin() { return *instance; }
    EditorWindow& window() { return editor; }

private:
    std::unique_ptr<vsthost::PluginInstance> instance;
    EditorWindow editor;
    HMODULE module = nullptr;
};

} // namespace plughost
