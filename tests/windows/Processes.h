// Programs the Windows tests start: run to completion with their output collected, or left
// running in the background while the test drives them.
#pragma once

#include <string>
#include <sys/types.h>
#include <vector>

namespace windows_tests {

struct ProcessResult {
    // The exit status, 128 + the signal that ended it, or -1 when it could not start.
    int exitCode = -1;
    bool timedOut = false;
    std::string out;
    std::string err;
};

// Runs the program with the current environment; kills it after the time limit.
ProcessResult runProcess(const std::vector<std::string>& arguments, int timeoutSeconds = 120);

// A program running in the background, its standard output going to a file.
class BackgroundProcess {
public:
    bool start(const std::vector<std::string>& arguments, const std::string& outputPath);
    // Everything the program has written to its standard output so far.
    std::string output() const;
    // Waits for the program to end, killing it after the time limit; its exit status as above.
    int wait(int timeoutSeconds);
    ~BackgroundProcess();

private:
    pid_t pid = -1;
    std::string outputFile;
};

// The folder's contents are removed and the folder made anew.
std::string freshFolder(const std::string& path);

std::vector<std::string> linesOf(const std::string& text);
std::string readFile(const std::string& path);

} // namespace windows_tests
