#include "host/PluginLibrary.h"

#include <filesystem>
#include <system_error>

#ifdef _WIN32
#include <windows.h>
#else
#include <dlfcn.h>
#endif

namespace vsthost {

namespace {

#ifdef _WIN32
std::string lastSystemError() {
    char message[512] = {};
    const DWORD code = GetLastError();
    const DWORD length = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                                        nullptr, code, 0, message, sizeof message, nullptr);
    std::string text(message, length);
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r' || text.back() == ' ')) {
        text.pop_back();
    }
    return text.empty() ? "error " + std::to_string(code) : text;
}

void* openLibrary(const std::string& path, std::string& error) {
    HMODULE module = LoadLibraryA(path.c_str());
    if (module == nullptr) {
        error = lastSystemError();
    }
    return reinterpret_cast<void*>(module);
}

void* findSymbol(void* handle, const char* name) {
    return reinterpret_cast<void*>(GetProcAddress(static_cast<HMODULE>(handle), name));
}

void closeLibrary(void* handle) {
    FreeLibrary(static_cast<HMODULE>(handle));
}
#else
void* openLibrary(const std::string& path, std::string& error) {
    // A path without a slash would be searched for on the library path; a host loads the
    // file it was given.
    std::string target = path;
    if (target.find('/') == std::string::npos) {
        target = "./" + target;
    }
    void* handle = dlopen(target.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (handle == nullptr) {
        const char* reason = dlerror();
        error = reason != nullptr ? reason : "unknown loader error";
    }
    return handle;
}

void* findSymbol(void* handle, const char* name) {
    return dlsym(handle, name);
}

void closeLibrary(void* handle) {
    dlclose(handle);
}
#endif

std::string folderOf(const std::string& path) {
    std::error_code failure;
    std::filesystem::path absolute = std::filesystem::absolute(path, failure);
    if (failure) {
        absolute = path;
    }
    return absolute.parent_path().string();
}

} // namespace

std::shared_ptr<PluginLibrary> PluginLibrary::load(const std::string& path, std::string& error) {
    std::string reason;
    void* handle = openLibrary(path, reason);
    if (handle == nullptr) {
        error = "cannot load " + path + ": " + reason;
        return nullptr;
    }
    std::shared_ptr<PluginLibrary> library(new PluginLibrary());
    library->handle = handle;
    library->libraryPath = path;
    library->libraryDirectory = folderOf(path);
    for (const char* name : {"VSTPluginMain", "main"}) {
        if (void* symbol = findSymbol(handle, name)) {
            library->entryFunction = reinterpret_cast<PluginEntry>(symbol);
            library->entryFunctionName = name;
            return library;
        }
    }
    error = "no entry point in " + path + ": neither VSTPluginMain nor main is exported";
    return nullptr;
}

PluginLibrary::~PluginLibrary() {
    if (handle != nullptr) {
        closeLibrary(handle);
    }
}

} // namespace vsthost
