// A virtual X server of the test's own, on a display the server picks free.
#pragma once

#include <string>
#include <sys/types.h>

class XvfbServer {
public:
    XvfbServer() = default;
    ~XvfbServer();
    XvfbServer(const XvfbServer&) = delete;
    XvfbServer& operator=(const XvfbServer&) = delete;

    // Starts the server and waits until it accepts connections; false (and why) when there is
    // no Xvfb or it does not come up within a few seconds.
    bool start(std::string& why);
    // Ends the server at once, as a crash would.
    void kill();

    // ":N"
    const std::string& display() const { return name; }
    bool running() const { return pid > 0; }

private:
    pid_t pid = -1;
    std::string name;
};
