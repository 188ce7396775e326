// plughost: loads a plug-in through the interface alone, as any host does, and reports on
// it, renders audio through it or measures it.
#include "host/plughost/CommandLine.h"
#include "host/plughost/Commands.h"
#ifdef _WIN32
#include "host/platform_win32/WindowsCommands.h"
#elif defined(PLUGHOST_SHOT)
#include "host/plughost/ShotCommand.h"
#endif

#include <iostream>
#include <string>

namespace {

void printUsage(std::ostream& out) {
    out << "usage: plughost COMMAND PLUGIN [OPTIONS]\n"
           "\n"
           "commands:\n"
           "  info PLUGIN [--json]\n"
           "      the plug-in record, the answers to the interface's queries, every parameter\n"
           "      and every program\n"
           "  render PLUGIN IN OUT.wav [--set I=V ...] [--program K] [--at FRAME:I=V ...]\n"
           "         [--block N] [--mode replace|add] [--rate HZ]\n"
           "      renders channel 0 of IN through the plug-in into a 2-channel float WAV at\n"
           "      IN's rate; --rate changes only the rate the plug-in is told (default IN's)\n"
           "  bench PLUGIN [--seconds S] [--block N] [--set I=V ...] [--json]\n"
           "      nanoseconds per sample of each processing function, on noise and on an\n"
           "      impulse followed by silence\n"
           "  check PLUGIN [--json]\n"
           "      conformance under hostile but legal host behaviour, one line per check\n";
#ifdef _WIN32
    out << plughost::windowsCommandsUsage;
#elif defined(PLUGHOST_SHOT)
    out << plughost::shotCommandUsage;
#endif
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        printUsage(std::cerr);
        return plughost::exitUsage;
    }
    const std::string command = argv[1];
    const plughost::Arguments arguments(argv + 2, argv + argc);
    if (command == "info") {
        return plughost::infoCommand(arguments);
    }
    if (command == "render") {
        return plughost::renderCommand(arguments);
    }
    if (command == "bench") {
        return plughost::benchCommand(arguments);
    }
#ifdef _WIN32
    if (command == "shot") {
        return plughost::shotCommand(arguments);
    }
    if (command == "edit") {
        return plughost::editCommand(arguments);
    }
#elif defined(PLUGHOST_SHOT)
    if (command == "shot") {
        return plughost::shotCommand(arguments);
    }
#endif
    if (command == "check") {
        return plughost::checkCommand(arguments);
    }
    if (command == "help" || command == "--help" || command == "-h") {
        printUsage(std::cout);
        return plughost::exitSuccess;
    }
    plughost::reportError("unknown command " + command + " (try plughost help)");
    return plughost::exitUsage;
}
