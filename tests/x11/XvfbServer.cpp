#include "tests/x11/XvfbServer.h"

#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <poll.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

XvfbServer::~XvfbServer() {
    kill();
}

bool XvfbServer::start(std::string& why) {
    const std::string program = QMT_XVFB;
    if (program.empty() || access(program.c_str(), X_OK) != 0) {
        why = "Xvfb is not installed (Debian package xvfb)";
        return false;
    }
    int channel[2];
    if (pipe(channel) != 0) {
        why = "no pipe";
        return false;
    }
    // The server writes the display number it picked to this descriptor once it is ready.
    const std::string fd = std::to_string(channel[1]);
    std::vector<std::string> arguments = {program,       "-displayfd", fd,    "-screen",  "0",
                                          "1024x768x24", "-nolisten",  "tcp", "-nocursor"};
    std::vector<char*> argv;
    for (std::string& a : arguments) {
        argv.push_back(a.data());
    }
    argv.push_back(nullptr);
    pid = fork();
    if (pid == 0) {
        // The server ends with the test, even when the test is killed.
        prctl(PR_SET_PDEATHSIG, SIGKILL);
        close(channel[0]);
        const int quiet = open("/dev/null", O_WRONLY);
        if (quiet >= 0) {
            dup2(quiet, 2);
        }
        execv(program.c_str(), argv.data());
        _exit(127);
    }
    close(channel[1]);
    if (pid < 0) {
        close(channel[0]);
        pid = -1;
        why = "Xvfb could not be started";
        return false;
    }
    std::string number;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (std::chrono::steady_clock::now() < deadline) {
        pollfd readable{channel[0], POLLIN, 0};
        if (poll(&readable, 1, 50) <= 0) {
            continue;
        }
        char buffer[32];
        const ssize_t n = read(channel[0], buffer, sizeof buffer);
        if (n <= 0) {
            break;
        }
        number.append(buffer, std::size_t(n));
        if (number.find('\n') != std::string::npos) {
            break;
        }
    }
    close(channel[0]);
    while (!number.empty() && (number.back() == '\n' || number.back() == '\r')) {
        number.pop_back();
    }
    if (number.empty()) {
        kill();
        why = "Xvfb did not report a display";
        return false;
    }
    name = ":" + number;
    return true;
}

void XvfbServer::kill() {
    if (pid > 0) {
        ::kill(pid, SIGKILL);
        waitpid(pid, nullptr, 0);
        pid = -1;
    }
}
