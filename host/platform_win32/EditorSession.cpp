#include "host/platform_win32/EditorSession.h"

#include <iostream>

namespace plughost {

bool parseEditorOptions(const Arguments& arguments, bool allowUntil, EditorOptions& options) {
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (!argument.starts_with("--")) {
            options.positional.push_back(argument);
            continue;
        }
        const bool known = argument == "--set" || argument == "--program" || argument == "--wait" ||
                           (allowUntil && argument == "--until");
        if (!known) {
            reportError("unknown option " + argument);
            return false;
        }
        if (i + 1 >= arguments.size()) {
            reportError(argument + " needs a value");
            return false;
        }
        const std::string& value = arguments[++i];
        if (argument == "--set") {
            ParameterSetting setting;
            if (!parseSetting(value, setting)) {
                reportError("--set wants INDEX=VALUE, got " + value);
                return false;
            }
            options.settings.push_back(setting);
        } else if (argument == "--program") {
            std::int64_t program = 0;
            if (!parseInteger(value, program)) {
                reportError("--program wants a program number, got " + value);
                return false;
            }
            options.program = program;
        } else if (argument == "--wait") {
            if (!parseInteger(value, options.waitMilliseconds) || options.waitMilliseconds < 0 ||
                options.waitMilliseconds > 3600000) {
                reportError("--wait wants milliseconds from 0 to 3600000, got " + value);
                return false;
            }
        } else {
            options.untilPath = value;
        }
    }
    return true;
}

bool EditorSession::start(const std::string& pluginPath, const EditorOptions& options) {
    instance = loadPlugin(pluginPath);
    if (instance == nullptr) {
        return false;
    }
    module = GetModuleHandleA(pluginPath.c_str());
    const AEffect& record = *instance->record();
    for (const ParameterSetting& setting : options.settings) {
        if (setting.index < 0 || setting.index >= record.numParams) {
            reportError("parameter index " + std::to_string(setting.index) + " out of range");
            return false;
        }
    }
    if (options.program && (*options.program < 0 || *options.program >= record.numPrograms)) {
        reportError("program " + std::to_string(*options.program) + " out of range");
        return false;
    }
    instance->open();
    instance->setSampleRate(44100.0f);
    instance->setBlockSize(512);
    if (options.program) {
        instance->setProgram(static_cast<std::int32_t>(*options.program));
    }
    for (const ParameterSetting& setting : options.settings) {
        instance->setParameter(setting.index, setting.value);
    }
    instance->resume();
    std::string error;
    if (!editor.open(*instance, error)) {
        reportError(error);
        return false;
    }
    return true;
}

bool EditorSession::finish() {
    bool clean = true;
    editor.closeEditor();
    // The editor has been told to close: nothing of it may stay in the host's window.
    const int children = editor.childWindowCount();
    if (children != 0) {
        reportError("the closed editor left " + std::to_string(children) +
                    " window(s) in the host's window");
        clean = false;
    }
    editor.close();
    if (instance != nullptr) {
        instance->suspend();
        instance->close();
    }
    for (const std::string& name : remainingWindows()) {
        reportError("a window of class " + name + " is left after closing");
        clean = false;
    }
    if (module != nullptr && editorClassRegistered(module)) {
        reportError("the plug-in's window class is still registered after closing");
        clean = false;
    }
    instance.reset();
    return clean;
}

} // namespace plughost
