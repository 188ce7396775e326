// plughost info: what a host learns about a plug-in when it scans it.
#include "host/RecordText.h"
#include "host/plughost/CommandLine.h"
#include "host/plughost/Commands.h"

#include <nlohmann/json.hpp>

#include <cstdio>
#include <iostream>
#include <string>
#include <vector>

namespace plughost {

namespace {

// Questions asked through effCanDo; a few that hosts commonly ask.
const std::vector<std::string> canDoQuestions{
    "receiveVstEvents", "receiveVstMidiEvent", "receiveVstTimeInfo",
    "sendVstEvents",    "sendVstMidiEvent",    "offline",
    "bypass",           "plugAsChannelInsert",
};

// A host that meets a record claiming more than this many programs stops listing them
// rather than spending hours on a corrupt count.
constexpr std::int32_t programListLimit = 65536;

struct ParameterReport {
    std::int32_t index = 0;
    std::string name;
    std::string unit;
    std::string display;
    float value = 0.0f;
};

struct ProgramReport {
    std::int32_t index = 0;
    std::string name;
};

struct InfoReport {
    std::string path;
    std::string entryName;
    AEffect record{};
    std::intptr_t vstVersion = 0;
    std::intptr_t category = 0;
    std::intptr_t keysRequired = 0;
    std::vector<std::pair<std::string, std::intptr_t>> canDo;
    std::vector<ParameterReport> parameters;
    std::vector<ProgramReport> programs;
    std::vector<std::string> faults;
};

InfoReport gatherReport(vsthost::PluginInstance& plugin) {
    InfoReport report;
    report.path = plugin.library().path();
    report.entryName = plugin.library().entryName();
    plugin.open();
    plugin.setSampleRate(44100.0f);
    plugin.setBlockSize(512);
    // The record as the plug-in presents it once opened.
    report.record = *plugin.record();

    report.vstVersion = plugin.dispatch(effGetVstVersion);
    report.category = plugin.dispatch(effGetPlugCategory);
    report.keysRequired = plugin.dispatch(effKeysRequired);
    for (const std::string& question : canDoQuestions) {
        report.canDo.emplace_back(question, plugin.canDo(question));
    }

    const std::int32_t programCount = std::min(report.record.numPrograms, programListLimit);
    for (std::int32_t k = 0; k < programCount; ++k) {
        plugin.setProgram(k);
        report.programs.push_back(ProgramReport{k, plugin.programName()});
    }
    if (programCount > 0) {
        plugin.setProgram(0);
    }

    for (std::int32_t i = 0; i < report.record.numParams; ++i) {
        ParameterReport parameter;
        parameter.index = i;
        parameter.name = plugin.parameterName(i);
        parameter.unit = plugin.parameterUnit(i);
        parameter.display = plugin.parameterDisplay(i);
        parameter.value = plugin.parameter(i);
        report.parameters.push_back(parameter);
    }
    for (const vsthost::TextFault& fault : plugin.textFaults()) {
        report.faults.push_back(fault.describe());
    }
    return report;
}

std::string joined(const std::vector<std::string>& words, const char* separator) {
    std::string text;
    for (const std::string& word : words) {
        text += (text.empty() ? "" : separator) + word;
    }
    return text;
}

void printText(const InfoReport& report) {
    const AEffect& r = report.record;
    auto line = [](const char* key, const std::string& value) {
        std::printf("%-14s %s\n", key, value.c_str());
    };
    line("plug-in", report.path + " (entry " + report.entryName + ")");
    line("magic", vsthost::fourCharText(r.magic) + " " + vsthost::hexText(r.magic));
    line("uniqueID", vsthost::fourCharText(r.uniqueID) + " " + vsthost::hexText(r.uniqueID));
    line("version", std::to_string(r.version));
    line("programs", std::to_string(r.numPrograms));
    line("parameters", std::to_string(r.numParams));
    line("inputs", std::to_string(r.numInputs));
    line("outputs", std::to_string(r.numOutputs));
    const std::string names = joined(vsthost::flagNames(r.flags), " | ");
    line("flags", std::to_string(r.flags) + (names.empty() ? "" : " (" + names + ")"));
    line("initialDelay", std::to_string(r.initialDelay));
    line("ioRatio", floatText(r.ioRatio));
    line("vstVersion", std::to_string(report.vstVersion));
    line("category",
         std::to_string(report.category) + " (" + vsthost::categoryName(report.category) + ")");
    line("keysRequired", std::to_string(report.keysRequired));
    for (const auto& [question, answer] : report.canDo) {
        line("canDo", question + " " + std::to_string(answer));
    }

    std::printf("\nparameters\n");
    std::printf("%6s  %-12s %-14s %-12s %s\n", "index", "name", "unit", "display", "value");
    for (const ParameterReport& p : report.parameters) {
        std::printf("%6d  %-12s %-14s %-12s %s\n", p.index, quoted(p.name).c_str(),
                    quoted(p.unit).c_str(), quoted(p.display).c_str(), floatText(p.value).c_str());
    }
    std::printf("\nprograms\n");
    std::printf("%6s  %s\n", "index", "name");
    for (const ProgramReport& p : report.programs) {
        std::printf("%6d  %s\n", p.index, quoted(p.name).c_str());
    }
}

void printJson(const InfoReport& report) {
    const AEffect& r = report.record;
    nlohmann::ordered_json json;
    json["magic"] = vsthost::fourCharText(r.magic);
    json["uniqueID"] = vsthost::fourCharText(r.uniqueID);
    json["uniqueIDHex"] = vsthost::hexText(r.uniqueID);
    json["version"] = r.version;
    json["numPrograms"] = r.numPrograms;
    json["numParams"] = r.numParams;
    json["numInputs"] = r.numInputs;
    json["numOutputs"] = r.numOutputs;
    json["flags"] = r.flags;
    json["flagNames"] = vsthost::flagNames(r.flags);
    json["initialDelay"] = r.initialDelay;
    json["ioRatio"] = floatAsDecimal(r.ioRatio);
    json["vstVersion"] = report.vstVersion;
    json["category"] = report.category;
    json["keysRequired"] = report.keysRequired;
    nlohmann::ordered_json canDo = nlohmann::ordered_json::object();
    for (const auto& [question, answer] : report.canDo) {
        canDo[question] = answer;
    }
    json["canDo"] = canDo;
    nlohmann::ordered_json parameters = nlohmann::ordered_json::array();
    for (const ParameterReport& p : report.parameters) {
        parameters.push_back({{"index", p.index},
                              {"name", p.name},
                              {"unit", p.unit},
                              {"display", p.display},
                              {"value", floatAsDecimal(p.value)}});
    }
    json["parameters"] = parameters;
    nlohmann::ordered_json programs = nlohmann::ordered_json::array();
    for (const ProgramReport& p : report.programs) {
        programs.push_back({{"index", p.index}, {"name", p.name}});
    }
    json["programs"] = programs;
    // Bytes that are not UTF-8 cannot appear in JSON; they become U+FFFD rather than an
    // error, and the text form shows them exactly.
    std::cout << json.dump(2, ' ', false, nlohmann::ordered_json::error_handler_t::replace) << '\n';
}

} // namespace

int infoCommand(const Arguments& arguments) {
    bool json = false;
    std::string path;
    if (!parsePluginAndJson(arguments, "info", path, json)) {
        return exitUsage;
    }
    auto plugin = loadPlugin(path);
    if (plugin == nullptr) {
        return exitFailure;
    }
    const InfoReport report = gatherReport(*plugin);
    plugin.reset();

    if (json) {
        printJson(report);
    } else {
        printText(report);
    }
    std::fflush(stdout);
    for (const std::string& fault : report.faults) {
        reportError(fault);
    }
    return report.faults.empty() ? exitSuccess : exitFailure;
}

} // namespace plughost
