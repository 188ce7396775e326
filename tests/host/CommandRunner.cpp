#include "tests/host/CommandRunner.h"

#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace {

std::string readFile(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    std::stringstream text;
    text << file.rdbuf();
    return text.str();
}

std::string temporaryFile(const std::string& content) {
    std::string pattern = (std::filesystem::temp_directory_path() / "hosttest-XXXXXX").string();
    const int descriptor = mkstemp(pattern.data());
    if (descriptor >= 0) {
        if (!content.empty()) {
            const ssize_t written = write(descriptor, content.data(), content.size());
            (void)written;
        }
        close(descriptor);
    }
    return pattern;
}

} // namespace

CommandResult runCommand(const std::vector<std::string>& arguments, const std::string& input,
                         const std::vector<std::pair<std::string, std::string>>& environment,
                         int timeoutSeconds) {
    CommandResult result;
    const std::string inPath = temporaryFile(input);
    const std::string outPath = temporaryFile("");
    const std::string errPath = temporaryFile("");

    const pid_t child = fork();
    if (child == 0) {
        const int in = open(inPath.c_str(), O_RDONLY);
        const int out = open(outPath.c_str(), O_WRONLY | O_TRUNC);
        const int err = open(errPath.c_str(), O_WRONLY | O_TRUNC);
        dup2(in, 0);
        dup2(out, 1);
        dup2(err, 2);
        for (const auto& [name, value] : environment) {
            setenv(name.c_str(), value.c_str(), 1);
        }
        std::vector<char*> argv;
        for (const std::string& argument : arguments) {
            argv.push_back(const_cast<char*>(argument.c_str()));
        }
        argv.push_back(nullptr);
        execvp(argv[0], argv.data());
        _exit(127);
    }
    if (child > 0) {
        const auto deadline =
            std::chrono::steady_clock::now() + std::chrono::seconds(timeoutSeconds);
        int status = 0;
        while (true) {
            const pid_t done = waitpid(child, &status, WNOHANG);
            if (done == child) {
                break;
            }
            if (std::chrono::steady_clock::now() > deadline) {
                kill(child, SIGKILL);
                waitpid(child, &status, 0);
                result.timedOut = true;
                break;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
        if (WIFEXITED(status)) {
            result.exitCode = WEXITSTATUS(status);
        } else if (WIFSIGNALED(status)) {
            result.exitCode = 128 + WTERMSIG(status);
        }
    }
    result.out = readFile(outPath);
    result.err = readFile(errPath);
    std::remove(inPath.c_str());
    std::remove(outPath.c_str());
    std::remove(errPath.c_str());
    return result;
}

CommandResult runPlughost(const std::vector<std::string>& arguments) {
    std::vector<std::string> command{PLUGHOST};
    command.insert(command.end(), arguments.begin(), arguments.end());
    return runCommand(command);
}

CommandResult runPlughostOnOurPlugin(const std::vector<std::string>& arguments) {
    std::vector<std::string> command{PLUGHOST};
    command.insert(command.end(), arguments.begin(), arguments.end());
#ifdef SANITIZED_BUILD
    const char* inherited = std::getenv("ASAN_OPTIONS");
    std::string options = inherited != nullptr ? std::string(inherited) + ":" : std::string();
    return runCommand(command, "", {{"ASAN_OPTIONS", options + "detect_leaks=0"}});
#else
    return runCommand(command);
#endif
}

std::vector<std::string> linesOf(const std::string& text) {
    std::vector<std::string> lines;
    std::stringstream stream(text);
    std::string line;
    while (std::getline(stream, line)) {
        lines.push_back(line);
    }
    return lines;
}

std::string freshOutputFolder(const std::string& name) {
    const std::filesystem::path folder = std::filesystem::path(TEST_OUTPUT_DIR) / name;
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    return folder.string();
}
