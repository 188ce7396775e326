// The subcommands of plughost. Each takes the arguments after its own name and returns
// the process's exit status.
#pragma once

#include <string>
#include <vector>

namespace plughost {

using Arguments = std::vector<std::string>;

int infoCommand(const Arguments& arguments);
int renderCommand(const Arguments& arguments);
int benchCommand(const Arguments& arguments);
int checkCommand(const Arguments& arguments);

// Exit statuses shared by the subcommands.
constexpr int exitSuccess = 0;
constexpr int exitFailure = 1;
constexpr int exitUsage = 2;

} // namespace plughost
