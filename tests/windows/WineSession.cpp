#include "tests/windows/WineSession.h"

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace windows_tests {

namespace {

bool executable(const std::string& path) {
    return !path.empty() && access(path.c_str(), X_OK) == 0;
}

} // namespace

const WineTools& wineTools() {
    static const WineTools tools{QMT_WINE64, QMT_WINESERVER, QMT_XVFB, QMT_XDOTOOL};
    return tools;
}

std::string wineUnavailableReason() {
    const WineTools& tools = wineTools();
    if (!executable(tools.wine64) || !executable(tools.wineserver)) {
        return "Wine is not installed (Debian's wine64 package provides /usr/lib/wine/wine64)";
    }
    if (!executable(tools.xvfb)) {
        return "Xvfb is not installed (Debian's xvfb package)";
    }
    return "";
}

std::string windowsPath(const std::string& path) {
    std::string converted = "Z:" + std::filesystem::absolute(path).string();
    for (char& c : converted) {
        if (c == '/') {
            c = '\\';
        }
    }
    return converted;
}

bool WineSession::start(const std::string& prefix, std::string& error) {
    const std::string reason = wineUnavailableReason();
    if (!reason.empty()) {
        error = reason;
        return false;
    }
    int pipeEnds[2];
    if (pipe(pipeEnds) != 0) {
        error = "cannot make a pipe for Xvfb";
        return false;
    }
    const pid_t pid = fork();
    if (pid == 0) {
        close(pipeEnds[0]);
        const std::string fd = std::to_string(pipeEnds[1]);
        const int devnull = ::open("/dev/null", O_RDWR);
        dup2(devnull, 0);
        dup2(devnull, 1);
        dup2(devnull, 2);
        execl(wineTools().xvfb.c_str(), "Xvfb", "-displayfd", fd.c_str(), "-nolisten", "tcp",
              "-screen", "0", "1024x768x24", static_cast<char*>(nullptr));
        _exit(127);
    }
    close(pipeEnds[1]);
    if (pid < 0) {
        close(pipeEnds[0]);
        error = "cannot start Xvfb";
        return false;
    }
    xvfbPid = pid;
    // Xvfb writes the display number it took once it accepts connections.
    std::string number;
    char c = 0;
    while (read(pipeEnds[0], &c, 1) == 1 && c != '\n') {
        number += c;
    }
    close(pipeEnds[0]);
    if (number.empty()) {
        stop();
        error = "Xvfb did not start";
        return false;
    }
    displayName = ":" + number;
    setenv("DISPLAY", displayName.c_str(), 1);
    setenv("WINEPREFIX", prefix.c_str(), 1);
    setenv("WINEDEBUG", "-all", 1);
    // No installer dialogs for the .NET and HTML engines in a new prefix.
    setenv("WINEDLLOVERRIDES", "mscoree,mshtml=", 1);
    unsetenv("WINELOADER");
    started = true;
    return true;
}

void WineSession::stop() {
    if (started) {
        runProcess({wineTools().wineserver, "-k"}, 30);
        runProcess({wineTools().wineserver, "-w"}, 30);
        started = false;
    }
    if (xvfbPid > 0) {
        kill(xvfbPid, SIGTERM);
        int status = 0;
        waitpid(xvfbPid, &status, 0);
        xvfbPid = -1;
    }
}

std::vector<std::string> WineSession::command(const std::vector<std::string>& arguments) const {
    std::vector<std::string> all{wineTools().wine64};
    all.insert(all.end(), arguments.begin(), arguments.end());
    return all;
}

ProcessResult WineSession::run(const std::vector<std::string>& arguments,
                               int timeoutSeconds) const {
    return runProcess(command(arguments), timeoutSeconds);
}

bool makePrefix(const std::string& prefix, std::string& error) {
    std::error_code ignored;
    std::filesystem::remove_all(prefix, ignored);
    std::filesystem::create_directories(std::filesystem::path(prefix).parent_path(), ignored);
    WineSession session;
    if (!session.start(prefix, error)) {
        return false;
    }
    const ProcessResult boot = session.run({"wineboot", "--init"}, 300);
    if (boot.exitCode != 0) {
        error = "wineboot --init failed (" + std::to_string(boot.exitCode) + "): " + boot.err;
        return false;
    }
    const ProcessResult managed = session.run(
        {"reg", "add", "HKCU\\Software\\Wine\\X11 Driver", "/v", "Managed", "/d", "N", "/f"}, 60);
    if (managed.exitCode != 0) {
        error = "cannot set the X11 driver's Managed value: " + managed.err;
        return false;
    }
    session.stop();
    return true;
}

} // namespace windows_tests
