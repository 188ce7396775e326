// Helpers the subcommands share: argument parsing, loading a plug-in with a one-line
// error, and writing values the way plughost shows them.
#pragma once

#include "host/PluginInstance.h"

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace plughost {

// One line on stderr: "plughost: error: " and the message.
void reportError(const std::string& message);

bool parseInteger(const std::string& text, std::int64_t& value);
bool parseFloat(const std::string& text, float& value);

// "I=V": a parameter index and a value.
struct ParameterSetting {
    std::int32_t index = 0;
    float value = 0.0f;
};
bool parseSetting(const std::string& text, ParameterSetting& setting);

// Walks a command's arguments. A word that does not begin with "--" is positional; an
// option named in `flags` stands alone, one named in `valued` takes the next argument as
// its value. Each option goes to `apply` (a flag with an empty value), which reports a bad
// value itself and returns false. An unknown option or a missing value is reported here.
// Stops at the first error.
using OptionHandler = std::function<bool(const std::string& option, const std::string& value)>;
bool scanArguments(const std::vector<std::string>& arguments,
                   std::initializer_list<std::string_view> flags,
                   std::initializer_list<std::string_view> valued,
                   std::vector<std::string>& positional, const OptionHandler& apply);

// The arguments of a command that takes one plug-in and --json: reports a missing or a
// second plug-in with the command's usage line.
bool parsePluginAndJson(const std::vector<std::string>& arguments, const std::string& command,
                        std::string& path, bool& json);

// The values of the options several commands share; each reports its own one-line error.
// --set INDEX=VALUE, added to the settings in command-line order.
bool addSettingOption(const std::string& value, std::vector<ParameterSetting>& settings);
// --program K.
bool readProgramOption(const std::string& value, std::optional<std::int64_t>& program);
// A whole number from low to high; the error says "OPTION wants WHAT from LOW to HIGH".
bool readIntegerOption(const std::string& option, const std::string& value, const std::string& what,
                       std::int64_t low, std::int64_t high, std::int64_t& result);

// Loads the library and creates one instance; on failure reports the one-line reason and
// returns null.
std::unique_ptr<vsthost::PluginInstance> loadPlugin(const std::string& path);

// The text between double quotes, with quotes, backslashes and unprintable bytes escaped;
// blanks stay as they are.
std::string quoted(const std::string& text);
// The shortest decimal text that reads back as the same float.
std::string floatText(float value);
// The same number as a double, for JSON, so that 0.8f prints as 0.8.
double floatAsDecimal(float value);

} // namespace plughost
