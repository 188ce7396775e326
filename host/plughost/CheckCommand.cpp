// plughost check: conformance under hostile but legal host behaviour, one line per check.
#include "host/plughost/CommandLine.h"
#include "host/plughost/Commands.h"
#include "host/plughost/ConformanceChecks.h"

#include <nlohmann/json.hpp>

#include <cstdio>
#include <iostream>

#ifndef _WIN32
#include <csignal>
#include <cstring>
#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace plughost {

namespace {

constexpr int checkTimeoutSeconds = 120;

#ifndef _WIN32
// Runs a check in a child process, so that a plug-in that crashes or hangs fails that
// check and the others still run.
CheckOutcome runIsolated(const ConformanceCheck& check) {
    std::fflush(stdout);
    std::fflush(stderr);
    int channel[2];
    if (pipe(channel) != 0) {
        return check.run();
    }
    const pid_t child = fork();
    if (child < 0) {
        close(channel[0]);
        close(channel[1]);
        return check.run();
    }
    if (child == 0) {
        close(channel[0]);
        const CheckOutcome outcome = check.run();
        const std::string message = (outcome.passed ? "P" : "F") + outcome.detail;
        const ssize_t written = write(channel[1], message.data(), message.size());
        (void)written;
        close(channel[1]);
        std::fflush(stdout);
        _exit(0);
    }
    close(channel[1]);
    std::string message;
    char buffer[512];
    pollfd waiting{channel[0], POLLIN, 0};
    bool timedOut = false;
    while (true) {
        const int ready = poll(&waiting, 1, checkTimeoutSeconds * 1000);
        if (ready == 0) {
            timedOut = true;
            kill(child, SIGKILL);
            break;
        }
        if (ready < 0) {
            break;
        }
        const ssize_t got = read(channel[0], buffer, sizeof buffer);
        if (got <= 0) {
            break;
        }
        message.append(buffer, static_cast<std::size_t>(got));
    }
    close(channel[0]);
    int status = 0;
    waitpid(child, &status, 0);
    if (timedOut) {
        return CheckOutcome{false,
                            "no answer within " + std::to_string(checkTimeoutSeconds) + " s"};
    }
    if (WIFSIGNALED(status)) {
        return CheckOutcome{false, std::string("crashed: ") + strsignal(WTERMSIG(status))};
    }
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0 || message.empty()) {
        return CheckOutcome{false, "ended with status " + std::to_string(WEXITSTATUS(status))};
    }
    return CheckOutcome{message[0] == 'P', message.substr(1)};
}
#else
CheckOutcome runIsolated(const ConformanceCheck& check) {
    return check.run();
}
#endif

} // namespace

int checkCommand(const Arguments& arguments) {
    bool json = false;
    std::string path;
    if (!parsePluginAndJson(arguments, "check", path, json)) {
        return exitUsage;
    }
    // The library must load and give a record at all before any check means anything.
    auto probe = loadPlugin(path);
    if (probe == nullptr) {
        return exitFailure;
    }
    probe.reset();
    std::string error;
    auto library = vsthost::PluginLibrary::load(path, error);
    if (library == nullptr) {
        reportError(error);
        return exitFailure;
    }

    int passed = 0;
    int failed = 0;
    nlohmann::ordered_json results = nlohmann::ordered_json::array();
    for (const ConformanceCheck& check : conformanceChecks(library)) {
        const CheckOutcome outcome = runIsolated(check);
        (outcome.passed ? passed : failed) += 1;
        if (json) {
            results.push_back(
                {{"name", check.name}, {"passed", outcome.passed}, {"detail", outcome.detail}});
        } else {
            std::printf("%s  %s%s\n", outcome.passed ? "PASS" : "FAIL", check.name.c_str(),
                        outcome.detail.empty() ? "" : (": " + outcome.detail).c_str());
            std::fflush(stdout);
        }
    }
    if (json) {
        nlohmann::ordered_json report;
        report["plugin"] = path;
        report["checks"] = results;
        report["passed"] = passed;
        report["failed"] = failed;
        std::cout << report.dump(2, ' ', false, nlohmann::ordered_json::error_handler_t::replace)
                  << '\n';
    } else {
        std::printf("%d passed, %d failed\n", passed, failed);
    }
    return failed == 0 ? exitSuccess : exitFailure;
}

} // namespace plughost
