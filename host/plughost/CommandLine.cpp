#include "host/plughost/CommandLine.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <iostream>

namespace plughost {

void reportError(const std::string& message) {
    std::cerr << "plughost: error: " << message << '\n';
}

bool parseInteger(const std::string& text, std::int64_t& value) {
    const char* begin = text.data();
    const char* end = begin + text.size();
    const auto [stop, failure] = std::from_chars(begin, end, value);
    return failure == std::errc() && stop == end && !text.empty();
}

bool parseFloat(const std::string& text, float& value) {
    if (text.empty()) {
        return false;
    }
    // strtof accepts "inf" and "nan", which a test of a plug-in may well want to send.
    char* stop = nullptr;
    const float parsed = std::strtof(text.c_str(), &stop);
    if (stop != text.c_str() + text.size()) {
        return false;
    }
    value = parsed;
    return true;
}

bool parseSetting(const std::string& text, ParameterSetting& setting) {
    const std::size_t equals = text.find('=');
    if (equals == std::string::npos) {
        return false;
    }
    std::int64_t index = 0;
    if (!parseInteger(text.substr(0, equals), index) || index < INT32_MIN || index > INT32_MAX) {
        return false;
    }
    float value = 0.0f;
    if (!parseFloat(text.substr(equals + 1), value)) {
        return false;
    }
    setting.index = static_cast<std::int32_t>(index);
    setting.value = value;
    return true;
}

bool scanArguments(const std::vector<std::string>& arguments,
                   std::initializer_list<std::string_view> flags,
                   std::initializer_list<std::string_view> valued,
                   std::vector<std::string>& positional, const OptionHandler& apply) {
    auto named = [](std::initializer_list<std::string_view> names, const std::string& option) {
        for (const std::string_view name : names) {
            if (option == name) {
                return true;
            }
        }
        return false;
    };
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (!argument.starts_with("--")) {
            positional.push_back(argument);
        } else if (named(flags, argument)) {
            if (!apply(argument, std::string())) {
                return false;
            }
        } else if (!named(valued, argument)) {
            reportError("unknown option " + argument);
            return false;
        } else if (i + 1 >= arguments.size()) {
            reportError(argument + " needs a value");
            return false;
        } else if (!apply(argument, arguments[++i])) {
            return false;
        }
    }
    return true;
}

bool parsePluginAndJson(const std::vector<std::string>& arguments, const std::string& command,
                        std::string& path, bool& json) {
    std::vector<std::string> positional;
    auto apply = [&json](const std::string&, const std::string&) {
        json = true;
        return true;
    };
    if (!scanArguments(arguments, {"--json"}, {}, positional, apply)) {
        return false;
    }
    if (positional.size() > 1) {
        reportError(command + " takes one plug-in, got a second: " + positional[1]);
        return false;
    }
    if (positional.empty()) {
        reportError("usage: plughost " + command + " PLUGIN [--json]");
        return false;
    }
    path = positional[0];
    return true;
}

bool addSettingOption(const std::string& value, std::vector<ParameterSetting>& settings) {
    ParameterSetting setting;
    if (!parseSetting(value, setting)) {
        reportError("--set wants INDEX=VALUE, got " + value);
        return false;
    }
    settings.push_back(setting);
    return true;
}

bool readProgramOption(const std::string& value, std::optional<std::int64_t>& program) {
    std::int64_t number = 0;
    if (!parseInteger(value, number)) {
        reportError("--program wants a program number, got " + value);
        return false;
    }
    program = number;
    return true;
}

bool readIntegerOption(const std::string& option, const std::string& value, const std::string& what,
                       std::int64_t low, std::int64_t high, std::int64_t& result) {
    std::int64_t number = 0;
    if (!parseInteger(value, number) || number < low || number > high) {
        reportError(option + " wants " + what + " from " + std::to_string(low) + " to " +
                    std::to_string(high) + ", got " + value);
        return false;
    }
    result = number;
    return true;
}

std::unique_ptr<vsthost::PluginInstance> loadPlugin(const std::string& path) {
    std::string error;
    auto library = vsthost::PluginLibrary::load(path, error);
    if (library == nullptr) {
        reportError(error);
        return nullptr;
    }
    auto instance = vsthost::PluginInstance::create(library, error);
    if (instance == nullptr) {
        reportError(error);
    }
    return instance;
}

std::string quoted(const std::string& text) {
    std::string result = "\"";
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            result += '\\';
            result += c;
        } else if (byte < 0x20 || byte >= 0x7F) {
            char escape[8];
            std::snprintf(escape, sizeof escape, "\\x%02X", byte);
            result += escape;
        } else {
            result += c;
        }
    }
    return result + "\"";
}

std::string floatText(float value) {
    char text[32];
    const auto [end, failure] = std::to_chars(text, text + sizeof text, value);
    return failure == std::errc() ? std::string(text, end) : std::string("?");
}

double floatAsDecimal(float value) {
    if (!std::isfinite(value)) {
        return static_cast<double>(value);
    }
    return std::strtod(floatText(value).c_str(), nullptr);
}

} // namespace plughost
