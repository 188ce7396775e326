#include "tests/windows/WindowsArtifacts.h"

#include <algorithm>

#include "tests/windows/Processes.h"

namespace windows_tests {

const std::vector<PluginNames>& pluginNames() {
    static const std::vector<PluginNames> names{
        {"Tarvik", "tarvik"}, {"Ombrel", "ombrel"}, {"Quisel", "quisel"}};
    return names;
}

const PluginNames& pluginNamed(const std::string& name) {
    return *std::find_if(pluginNames().begin(), pluginNames().end(),
                         [&](const PluginNames& p) { return name == p.name; });
}

std::string windowsBuildFolder(Machine machine) {
    return std::string(QMT_SOURCE_ROOT) +
           (machine == Machine::x64 ? "/build/mingw-x64" : "/build/mingw-x86");
}

std::string windowsPlugin(Machine machine, const PluginNames& plugin) {
    return windowsBuildFolder(machine) + "/plugins/" + plugin.lower + "/" + plugin.name + ".dll";
}

std::string windowsPlughost(Machine machine) {
    return windowsBuildFolder(machine) + "/host/plughost/plughost.exe";
}

std::string linuxPlugin(const PluginNames& plugin) {
    const std::string name = plugin.name;
    return name == "Tarvik"   ? QMT_LINUX_TARVIK
           : name == "Ombrel" ? QMT_LINUX_OMBREL
                              : QMT_LINUX_QUISEL;
}

std::string linuxPlughost() {
    return QMT_LINUX_PLUGHOST;
}

std::string outputFolder(const std::string& name) {
    return freshFolder(std::string(QMT_TEST_OUTPUT) + "/" + name);
}

} // namespace windows_tests
