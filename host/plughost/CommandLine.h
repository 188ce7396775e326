// Helpers the subcommands share: argument parsing, loading a plug-in with a one-line
// error, and writing values the way plughost shows them.
#pragma once

#include "host/PluginInstance.h"

#include <cstdint>
#include <memory>
#include <string>

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
