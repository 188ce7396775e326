#include "host/platform_win32/EditorSession.h"

#include <iostream>

namespace plughost {

bool parseEditorOptions(const Arguments& arguments, bool allowUntil, EditorOptions& options) {
    auto apply = [&options](const std::string& option, const std::string& value) {
        if (option == "--set") {
            return addSettingOption(value, options.settings);
        }
        if (option == "--program") {
            return readProgramOption(value, options.program);
        }
        if (option == "--wait") {
            return readIntegerOption(option, value, "milliseconds", 0, 3600000,
                                     options.waitMilliseconds);
        }
        options.untilPath = value;
        return true;
    };
    if (allowUntil) {
        return scanArguments(arguments, {}, {"--set", "--program", "--wait", "--until"},
                             options.positional, apply);
    }
    return scanArguments(arguments, {}, {"--set", "--program", "--wait"}, options.positional,
                         apply);
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
