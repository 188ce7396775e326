// Runs a program the way a shell would, with the given standard input and extra
// environment, and collects what it printed and how it ended.
#pragma once

#include <string>
#include <utility>
#include <vector>

struct CommandResult {
    // The exit status, or 128 + the signal that ended it, or -1 when it could not start.
    int exitCode = -1;
    bool timedOut = false;
    std::string out;
    std::string err;
};

CommandResult runCommand(const std::vector<std::string>& arguments, const std::string& input = "",
                         const std::vector<std::pair<std::string, std::string>>& environment = {},
                         int timeoutSeconds = 120);

// plughost with the given arguments.
CommandResult runPlughost(const std::vector<std::string>& arguments);

// plughost on one of our three libraries. Their platform layer keeps module-wide tables
// in objects it never frees, which the leak checker of a sanitizer build reports once
// plughost unloads the library; that check is off for these runs alone.
CommandResult runPlughostOnOurPlugin(const std::vector<std::string>& arguments);

// The lines of a text, without their line ends.
std::vector<std::string> linesOf(const std::string& text);

// A fresh, empty folder for one test's files.
std::string freshOutputFolder(const std::string& name);
