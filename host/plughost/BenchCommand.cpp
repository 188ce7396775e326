// plughost bench: what each processing function costs per sample, measured through the
// interface as a host calls it.
#include "host/BlockProcessor.h"
#include "host/plughost/CommandLine.h"
#include "host/plughost/Commands.h"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <iostream>
#include <optional>
#include <string>
#include <vector>

namespace plughost {

namespace {

constexpr float benchRate = 44100.0f;
constexpr int repetitions = 7;
constexpr std::int64_t largestBlock = 1 << 20;
constexpr float longestRun = 3600.0f;

struct BenchOptions {
    std::vector<std::string> positional;
    std::string pluginPath;
    float seconds = 5.0f;
    std::int64_t blockSize = 512;
    std::vector<ParameterSetting> settings;
    bool json = false;
};

enum class Function { processReplacing, process };
enum class Signal { noise, silence };

const char* usage =
    "usage: plughost bench PLUGIN [--seconds S] [--block N] [--set I=V ...] [--json]";

bool parseOptions(const Arguments& arguments, BenchOptions& options) {
    auto apply = [&options](const std::string& option, const std::string& value) {
        if (option == "--json") {
            options.json = true;
            return true;
        }
        if (option == "--set") {
            return addSettingOption(value, options.settings);
        }
        if (option == "--block") {
            return readIntegerOption(option, value, "a frame count", 1, largestBlock,
                                     options.blockSize);
        }
        if (!parseFloat(value, options.seconds) || !(options.seconds > 0.0f) ||
            options.seconds > longestRun) {
            reportError("--seconds wants a duration above 0 and at most " + floatText(longestRun) +
                        ", got " + value);
            return false;
        }
        return true;
    };
    if (!scanArguments(arguments, {"--json"}, {"--seconds", "--block", "--set"}, options.positional,
                       apply)) {
        return false;
    }
    if (options.positional.size() != 1) {
        reportError(usage);
        return false;
    }
    options.pluginPath = options.positional[0];
    return true;
}

// Uniform noise at half scale from a fixed seed, so runs compare.
std::vector<float> makeSignal(Signal signal, std::size_t frames) {
    std::vector<float> samples(frames, 0.0f);
    if (signal == Signal::silence) {
        samples[0] = 1.0f;
        return samples;
    }
    std::uint32_t state = 0x9E3779B9u;
    for (float& sample : samples) {
        state ^= state << 13;
        state ^= state >> 17;
        state ^= state << 5;
        sample = (static_cast<float>(state >> 8) / 16777216.0f - 0.5f);
    }
    return samples;
}

// The median time per sample of one processing function on one signal, each repetition
// a pass over the whole signal in blocks, on a fresh instance.
std::optional<double> measure(const std::shared_ptr<vsthost::PluginLibrary>& library,
                              const BenchOptions& options, Function function,
                              const std::vector<float>& signal) {
    std::string error;
    auto plugin = vsthost::PluginInstance::create(library, error);
    if (plugin == nullptr) {
        reportError(error);
        return std::nullopt;
    }
    const auto blockSize = static_cast<int>(options.blockSize);
    plugin->open();
    plugin->setSampleRate(benchRate);
    plugin->setBlockSize(blockSize);
    for (const ParameterSetting& setting : options.settings) {
        plugin->setParameter(setting.index, setting.value);
    }
    plugin->resume();
    plugin->host().processLevel.store(vsthost::processLevelRealtime);

    vsthost::BlockProcessor processor(*plugin, blockSize,
                                      function == Function::process
                                          ? vsthost::BlockProcessor::Mode::add
                                          : vsthost::BlockProcessor::Mode::replace,
                                      blockSize);
    const auto frames = static_cast<int>(signal.size());
    auto pass = [&]() { processor.run(signal.data(), frames); };

    pass(); // warm-up: caches, branch predictors, the first touch of the plug-in's state
    std::vector<double> times;
    times.reserve(repetitions);
    for (int r = 0; r < repetitions; ++r) {
        const auto start = std::chrono::steady_clock::now();
        pass();
        const auto stop = std::chrono::steady_clock::now();
        times.push_back(std::chrono::duration<double, std::nano>(stop - start).count() /
                        static_cast<double>(frames));
    }
    plugin->host().processLevel.store(vsthost::processLevelUser);
    plugin->suspend();
    plugin->close();
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

} // namespace

int benchCommand(const Arguments& arguments) {
    BenchOptions options;
    if (!parseOptions(arguments, options)) {
        return exitUsage;
    }
    std::string error;
    auto library = vsthost::PluginLibrary::load(options.pluginPath, error);
    if (library == nullptr) {
        reportError(error);
        return exitFailure;
    }
    // One instance to check the record and the options against it.
    bool canReplace = false;
    {
        auto probe = vsthost::PluginInstance::create(library, error);
        if (probe == nullptr) {
            reportError(error);
            return exitFailure;
        }
        const AEffect& record = *probe->record();
        for (const ParameterSetting& setting : options.settings) {
            if (setting.index < 0 || setting.index >= record.numParams) {
                reportError("parameter index " + std::to_string(setting.index) +
                            " out of range: the plug-in has " + std::to_string(record.numParams) +
                            " parameters");
                return exitUsage;
            }
        }
        if (record.numInputs < 0 || record.numInputs > 256 || record.numOutputs < 0 ||
            record.numOutputs > 256) {
            reportError("the plug-in record claims " + std::to_string(record.numInputs) +
                        " inputs and " + std::to_string(record.numOutputs) + " outputs");
            return exitFailure;
        }
        canReplace =
            (record.flags & effFlagsCanReplacing) != 0 && record.processReplacing != nullptr;
        if (record.process == nullptr) {
            reportError("the plug-in record has no process function");
            return exitFailure;
        }
    }

    const auto frames = std::max<std::size_t>(
        static_cast<std::size_t>(std::llround(static_cast<double>(options.seconds) * benchRate)),
        1);
    std::vector<float> noise = makeSignal(Signal::noise, frames);
    std::vector<float> silence = makeSignal(Signal::silence, frames);

    struct Row {
        std::optional<double> noise;
        std::optional<double> silence;
    };
    Row replacing;
    Row adding;
    if (canReplace) {
        replacing.noise = measure(library, options, Function::processReplacing, noise);
        replacing.silence = measure(library, options, Function::processReplacing, silence);
    }
    adding.noise = measure(library, options, Function::process, noise);
    adding.silence = measure(library, options, Function::process, silence);
    if ((canReplace && (!replacing.noise || !replacing.silence)) || !adding.noise ||
        !adding.silence) {
        return exitFailure;
    }

    if (options.json) {
        auto row = [](const Row& r) {
            nlohmann::ordered_json json;
            json["noise"] = r.noise ? nlohmann::ordered_json(*r.noise) : nlohmann::ordered_json();
            json["silence"] =
                r.silence ? nlohmann::ordered_json(*r.silence) : nlohmann::ordered_json();
            return json;
        };
        nlohmann::ordered_json json;
        json["blockSize"] = options.blockSize;
        json["seconds"] = floatAsDecimal(options.seconds);
        json["processReplacing"] = canReplace ? row(replacing) : nlohmann::ordered_json();
        json["process"] = row(adding);
        std::cout << json.dump() << '\n';
        return exitSuccess;
    }

    auto cell = [](const std::optional<double>& value) {
        char text[32];
        if (value) {
            std::snprintf(text, sizeof text, "%10.2f", *value);
        } else {
            std::snprintf(text, sizeof text, "%10s", "-");
        }
        return std::string(text);
    };
    std::printf("plug-in           %s\n", options.pluginPath.c_str());
    std::printf("runs              %d blocks of %lld frames, %s s of audio per run, median of %d\n",
                static_cast<int>((frames + static_cast<std::size_t>(options.blockSize) - 1) /
                                 static_cast<std::size_t>(options.blockSize)),
                static_cast<long long>(options.blockSize), floatText(options.seconds).c_str(),
                repetitions);
    std::printf("ns per sample     %10s %10s\n", "noise", "silence");
    std::printf("processReplacing  %s %s%s\n", cell(replacing.noise).c_str(),
                cell(replacing.silence).c_str(), canReplace ? "" : "  (cannot replace)");
    std::printf("process           %s %s\n", cell(adding.noise).c_str(),
                cell(adding.silence).c_str());
    return exitSuccess;
}

} // namespace plughost
