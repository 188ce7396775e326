#include "tests/windows/Processes.h"

#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <spawn.h>
#include <sstream>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

extern char** environ;

namespace windows_tests {

namespace {

pid_t spawn(const std::vector<std::string>& arguments, const std::string& outPath,
            const std::string& errPath) {
    std::vector<char*> argv;
    for (const std::string& argument : arguments) {
        argv.push_back(const_cast<char*>(argument.c_str()));
    }
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 1, outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                     0644);
    posix_spawn_file_actions_addopen(&actions, 2, errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                     0644);
    pid_t pid = -1;
    if (posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), environ) != 0) {
        pid = -1;
    }
    posix_spawn_file_actions_destroy(&actions);
    return pid;
}

int statusOf(int status) {
    if (WIFEXITED(status)) {
        return WEXITSTATUS(status);
    }
    return WIFSIGNALED(status) ? 128 + WTERMSIG(status) : -1;
}

// Waits for the process; kills it when the time is up. Sets timedOut accordingly.
int waitFor(pid_t pid, int timeoutSeconds, bool& timedOut) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(timeoutSeconds);
    int status = 0;
    timedOut = false;
    for (;;) {
        const pid_t done = waitpid(pid, &status, WNOHANG);
        if (done == pid) {
            return statusOf(status);
        }
        if (done < 0) {
            return -1;
        }
        if (std::chrono::steady_clock::now() > deadline) {
            timedOut = true;
            kill(pid, SIGKILL);
            waitpid(pid, &status, 0);
            return statusOf(status);
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
}

std::string temporaryName(const char* what) {
    static int counter = 0;
    return (std::filesystem::temp_directory_path() /
            ("windows-tests-" + std::to_string(getpid()) + "-" + std::to_string(++counter) + what))
        .string();
}

} // namespace

ProcessResult runProcess(const std::vector<std::string>& arguments, int timeoutSeconds) {
    ProcessResult result;
    const std::string outPath = temporaryName(".out");
    const std::string errPath = temporaryName(".err");
    const pid_t pid = spawn(arguments, outPath, errPath);
    if (pid > 0) {
        result.exitCode = waitFor(pid, timeoutSeconds, result.timedOut);
    }
    result.out = readFile(outPath);
    result.err = readFile(errPath);
    std::filesystem::remove(outPath);
    std::filesystem::remove(errPath);
    return result;
}

bool BackgroundProcess::start(const std::vector<std::string>& arguments,
                              const std::string& outputPath) {
    outputFile = outputPath;
    pid = spawn(arguments, outputPath, outputPath + ".err");
    return pid > 0;
}

std::string BackgroundProcess::output() const {
    return readFile(outputFile);
}

int BackgroundProcess::wait(int timeoutSeconds) {
    if (pid <= 0) {
        return -1;
    }
    bool timedOut = false;
    const int status = waitFor(pid, timeoutSeconds, timedOut);
    pid = -1;
    return status;
}

BackgroundProcess::~BackgroundProcess() {
    if (pid > 0) {
        kill(pid, SIGKILL);
        int status = 0;
        waitpid(pid, &status, 0);
    }
}

std::string freshFolder(const std::string& path) {
    std::error_code ignored;
    std::filesystem::remove_all(path, ignored);
    std::filesystem::create_directories(path, ignored);
    return path;
}

std::vector<std::string> linesOf(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        lines.push_back(line);
    }
    return lines;
}

std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream contents;
    contents << in.rdbuf();
    return contents.str();
}

} // namespace windows_tests
