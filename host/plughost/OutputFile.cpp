#include "host/plughost/OutputFile.h"

#include <filesystem>
#include <system_error>

#ifdef _WIN32
#include <process.h>
#define getpid _getpid
#else
#include <unistd.h>
#endif

namespace plughost {

OutputFile::OutputFile(std::string targetPath)
    : target(std::move(targetPath)),
      temporary(target + ".partial-" + std::to_string(static_cast<long long>(getpid()))) {}

OutputFile::~OutputFile() {
    if (created && !committed) {
        std::error_code ignored;
        std::filesystem::remove(temporary, ignored);
    }
}

bool OutputFile::commit(std::string& error) {
    std::error_code failure;
    std::filesystem::rename(temporary, target, failure);
    if (failure) {
        error = "cannot move the finished file to " + target + ": " + failure.message();
        return false;
    }
    committed = true;
    return true;
}

} // namespace plughost
