// A plug-in's dynamic library, loaded the way any host loads it, and its entry function.
#pragma once

#include "framework/effect/vst2/Interface.h"

#include <memory>
#include <string>

namespace vsthost {

using PluginEntry = AEffect*(VST_CALL*)(audioMasterCallback host);

class PluginLibrary {
public:
    // Loads the library and looks up its entry: "VSTPluginMain" first, as current hosts
    // do, then the older "main". Returns null and sets error to one line on failure.
    static std::shared_ptr<PluginLibrary> load(const std::string& path, std::string& error);

    ~PluginLibrary();
    PluginLibrary(const PluginLibrary&) = delete;
    PluginLibrary& operator=(const PluginLibrary&) = delete;

    PluginEntry entry() const { return entryFunction; }
    // Which of the two names the entry was found under.
    const std::string& entryName() const { return entryFunctionName; }
    const std::string& path() const { return libraryPath; }
    // The folder the library lies in, as the host reports it to the plug-in.
    const std::string& directory() const { return libraryDirectory; }

private:
    PluginLibrary() = default;

    void* handle = nullptr;
    PluginEntry entryFunction = nullptr;
    std::string entryFunctionName;
    std::string libraryPath;
    std::string libraryDirectory;
};

} // namespace vsthost
