// Where the Windows builds put their files, and where the Linux build's counterparts are.
#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace windows_tests {

struct PluginNames {
    const char* name;  // "Tarvik"
    const char* lower; // "tarvik", its folder
};
const std::vector<PluginNames>& pluginNames();
// The entry of a plug-in by its name ("Tarvik"), which must be one of the three.
const PluginNames& pluginNamed(const std::string& name);
// How test names show a plug-in.
inline void PrintTo(const PluginNames& plugin, std::ostream* out) {
    *out << plugin.name;
}

enum class Machine { x64, x86 };

std::string windowsBuildFolder(Machine machine);
std::string windowsPlugin(Machine machine, const PluginNames& plugin);
std::string windowsPlughost(Machine machine);
std::string linuxPlugin(const PluginNames& plugin);
std::string linuxPlughost();
// This test program's own folder for the files it writes.
std::string outputFolder(const std::string& name);

} // namespace windows_tests
