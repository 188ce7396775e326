// plughost shot on Linux: asks the editor's size, opens the editor inside a top-level X11
// window of that size, calls the editor's idle as a host does until what the server shows has
// settled, saves it as PNG and checks that closing the editor leaves no window behind.
#include "host/plughost/ShotCommand.h"
#include "host/plughost/CommandLine.h"
#include "host/plughost/X11HostWindow.h"

#include <chrono>
#include <iostream>
#include <optional>
#include <thread>

namespace plughost {

const char* shotCommandUsage =
    "  shot PLUGIN OUT.png [--set I=V ...] [--program K] [--wait MS]\n"
    "      opens the editor in an X11 window (DISPLAY), idles until it has painted and then\n"
    "      for MS milliseconds more (0), saves the window as PNG and checks that closing\n"
    "      leaves no window\n";

namespace {

// A colour no editor paints over its whole area: the window before the editor has drawn.
constexpr std::uint32_t blankColor = 0xFF00FF;
constexpr auto idleInterval = std::chrono::milliseconds(10);
constexpr auto paintTimeout = std::chrono::seconds(5);

struct ShotOptions {
    std::vector<std::string> positional;
    std::vector<ParameterSetting> settings;
    std::optional<std::int64_t> program;
    std::int64_t waitMilliseconds = 0;
};

bool parseShotOptions(const Arguments& arguments, ShotOptions& options) {
    auto apply = [&options](const std::string& option, const std::string& value) {
        if (option == "--set") {
            return addSettingOption(value, options.settings);
        }
        if (option == "--program") {
            return readProgramOption(value, options.program);
        }
        return readIntegerOption(option, value, "milliseconds", 0, 600000,
                                 options.waitMilliseconds);
    };
    return scanArguments(arguments, {}, {"--set", "--program", "--wait"}, options.positional,
                         apply);
}

bool isBlank(const Picture& picture) {
    for (std::uint32_t p : picture.pixels) {
        if (p != blankColor) {
            return false;
        }
    }
    return true;
}

} // namespace

int shotCommand(const Arguments& arguments) {
    ShotOptions options;
    if (!parseShotOptions(arguments, options)) {
        return exitUsage;
    }
    if (options.positional.size() != 2) {
        reportError("usage: plughost shot PLUGIN OUT.png [--set I=V ...] [--program K] "
                    "[--wait MS]");
        return exitUsage;
    }
    std::string error;
    X11HostWindow window;
    if (!window.connect(error)) {
        reportError(error);
        return exitFailure;
    }
    auto plugin = loadPlugin(options.positional[0]);
    if (plugin == nullptr) {
        return exitFailure;
    }
    const AEffect& record = *plugin->record();
    for (const ParameterSetting& setting : options.settings) {
        if (setting.index < 0 || setting.index >= record.numParams) {
            reportError("parameter index " + std::to_string(setting.index) + " out of range");
            return exitFailure;
        }
    }
    if (options.program && (*options.program < 0 || *options.program >= record.numPrograms)) {
        reportError("program " + std::to_string(*options.program) + " out of range");
        return exitFailure;
    }
    if ((record.flags & effFlagsHasEditor) == 0) {
        reportError("the plug-in has no editor");
        return exitFailure;
    }
    plugin->open();
    plugin->setSampleRate(44100.0f);
    plugin->setBlockSize(512);
    if (options.program) {
        plugin->setProgram(static_cast<std::int32_t>(*options.program));
    }
    for (const ParameterSetting& setting : options.settings) {
        plugin->setParameter(setting.index, setting.value);
    }
    plugin->resume();

    ERect* rect = nullptr;
    if (plugin->dispatch(effEditGetRect, 0, 0, &rect) == 0 || rect == nullptr) {
        reportError("the plug-in reports no editor rectangle");
        return exitFailure;
    }
    const int width = rect->right - rect->left;
    const int height = rect->bottom - rect->top;
    if (width <= 0 || height <= 0 || width > 4096 || height > 4096) {
        reportError("the editor rectangle " + std::to_string(width) + "x" + std::to_string(height) +
                    " is not usable");
        return exitFailure;
    }
    if (!window.create(0, 0, width, height, blankColor, error)) {
        reportError(error);
        return exitFailure;
    }
    if (plugin->dispatch(effEditOpen, 0, 0, reinterpret_cast<void*>(window.id())) == 0) {
        reportError("the plug-in did not open its editor");
        return exitFailure;
    }

    // Idle as a host does until two pictures in a row agree and show more than the blank
    // window; then for the time asked.
    Picture picture, previous;
    bool painted = false;
    const auto deadline = std::chrono::steady_clock::now() + paintTimeout;
    while (!painted && std::chrono::steady_clock::now() < deadline) {
        plugin->dispatch(effEditIdle);
        std::this_thread::sleep_for(idleInterval);
        window.drainEvents();
        if (window.grab(picture)) {
            painted = !isBlank(picture) && picture == previous;
            previous = picture;
        }
    }
    const auto settle =
        std::chrono::steady_clock::now() + std::chrono::milliseconds(options.waitMilliseconds);
    while (painted && std::chrono::steady_clock::now() < settle) {
        plugin->dispatch(effEditIdle);
        std::this_thread::sleep_for(idleInterval);
        window.drainEvents();
    }
    if (painted && options.waitMilliseconds > 0) {
        plugin->dispatch(effEditIdle);
        window.grab(picture);
    }
    const int childrenOpen = window.childCount();
    plugin->dispatch(effEditClose);
    const int childrenLeft = window.childCount();
    plugin->suspend();
    plugin->close();

    if (!painted) {
        reportError("the editor did not paint within " + std::to_string(paintTimeout.count()) +
                    " s");
        return exitFailure;
    }
    if (!savePng(picture, options.positional[1], error)) {
        reportError(error);
        return exitFailure;
    }
    if (childrenOpen != 1 || childrenLeft != 0) {
        reportError("the editor had " + std::to_string(childrenOpen) +
                    " window(s) in the host's window while open and left " +
                    std::to_string(childrenLeft) + " after closing");
        return exitFailure;
    }
    std::cout << "editor " << width << 'x' << height << " saved to " << options.positional[1]
              << "; closed with no window left\n";
    return exitSuccess;
}

} // namespace plughost
