// plughost render: an audio file through the plug-in, offline, into a float WAV.
#include "host/BlockProcessor.h"
#include "host/plughost/CommandLine.h"
#include "host/plughost/Commands.h"
#include "host/plughost/OutputFile.h"

#include <sndfile.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <cmath>
#include <csignal>
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#ifdef _WIN32
#include <io.h>
#define isatty _isatty
#define fileno _fileno
#else
#include <unistd.h>
#endif

namespace plughost {

namespace {

constexpr std::int64_t largestBlock = 1 << 20;
// Files are read and written in chunks of about this many frames; processing runs on
// whole blocks inside a chunk.
constexpr int chunkTarget = 65536;
// More channels than this is a corrupt record rather than a plug-in.
constexpr std::int32_t channelLimit = 256;

enum class Mode { replace, add };

struct TimedSetting {
    std::int64_t frame = 0;
    ParameterSetting setting;
    std::string text;
};

struct RenderOptions {
    std::string pluginPath;
    std::string inputPath;
    std::string outputPath;
    std::vector<ParameterSetting> settings;
    std::optional<std::int64_t> program;
    std::vector<TimedSetting> timedSettings;
    std::int64_t blockSize = 512;
    Mode mode = Mode::replace;
    std::optional<float> rate;
};

volatile std::sig_atomic_t interrupted = 0;

void onInterrupt(int) {
    interrupted = 1;
}

const char* usage = "usage: plughost render PLUGIN IN OUT.wav [--set I=V ...] [--program K] "
                    "[--at FRAME:I=V ...] [--block N] [--mode replace|add] [--rate HZ]";

bool parseOptions(const Arguments& arguments, RenderOptions& options) {
    std::vector<std::string> positional;
    auto apply = [&options](const std::string& option, const std::string& value) {
        if (option == "--set") {
            return addSettingOption(value, options.settings);
        }
        if (option == "--program") {
            return readProgramOption(value, options.program);
        }
        if (option == "--at") {
            TimedSetting timed;
            timed.text = value;
            const std::size_t colon = value.find(':');
            if (colon == std::string::npos || !parseInteger(value.substr(0, colon), timed.frame) ||
                timed.frame < 0 || !parseSetting(value.substr(colon + 1), timed.setting)) {
                reportError("--at wants FRAME:INDEX=VALUE with FRAME 0 or more, got " + value);
                return false;
            }
            options.timedSettings.push_back(timed);
            return true;
        }
        if (option == "--block") {
            return readIntegerOption(option, value, "a frame count", 1, largestBlock,
                                     options.blockSize);
        }
        if (option == "--mode") {
            if (value == "replace") {
                options.mode = Mode::replace;
            } else if (value == "add") {
                options.mode = Mode::add;
            } else {
                reportError("--mode wants replace or add, got " + value);
                return false;
            }
            return true;
        }
        float rate = 0.0f;
        if (!parseFloat(value, rate) || !(rate > 0.0f) || !std::isfinite(rate)) {
            reportError("--rate wants a sample rate above 0, got " + value);
            return false;
        }
        options.rate = rate;
        return true;
    };
    if (!scanArguments(arguments, {}, {"--set", "--program", "--at", "--block", "--mode", "--rate"},
                       positional, apply)) {
        return false;
    }
    if (positional.size() != 3) {
        reportError(usage);
        return false;
    }
    options.pluginPath = positional[0];
    options.inputPath = positional[1];
    options.outputPath = positional[2];
    // Applied in frame order; settings for the same frame keep their command-line order.
    std::stable_sort(
        options.timedSettings.begin(), options.timedSettings.end(),
        [](const TimedSetting& a, const TimedSetting& b) { return a.frame < b.frame; });
    return true;
}

std::string rangeText(std::int32_t count) {
    return count > 0 ? "0 to " + std::to_string(count - 1) : "none";
}

// Checks everything the plug-in's record decides before any output exists.
bool checkAgainstRecord(const RenderOptions& options, const AEffect& record) {
    auto checkIndex = [&](std::int32_t index) {
        if (index < 0 || index >= record.numParams) {
            reportError("parameter index " + std::to_string(index) +
                        " out of range: the plug-in's parameters are " +
                        rangeText(record.numParams));
            return false;
        }
        return true;
    };
    for (const ParameterSetting& setting : options.settings) {
        if (!checkIndex(setting.index)) {
            return false;
        }
    }
    for (const TimedSetting& timed : options.timedSettings) {
        if (!checkIndex(timed.setting.index)) {
            return false;
        }
    }
    if (options.program && (*options.program < 0 || *options.program >= record.numPrograms)) {
        reportError("program " + std::to_string(*options.program) +
                    " out of range: the plug-in's programs are " + rangeText(record.numPrograms));
        return false;
    }
    if (record.numInputs < 0 || record.numInputs > channelLimit || record.numOutputs < 0 ||
        record.numOutputs > channelLimit) {
        reportError("the plug-in record claims " + std::to_string(record.numInputs) +
                    " inputs and " + std::to_string(record.numOutputs) + " outputs");
        return false;
    }
    if (options.mode == Mode::replace) {
        if ((record.flags & effFlagsCanReplacing) == 0 || record.processReplacing == nullptr) {
            reportError("the plug-in cannot replace its outputs (no effFlagsCanReplacing); "
                        "use --mode add");
            return false;
        }
    } else if (record.process == nullptr) {
        reportError("the plug-in record has no process function");
        return false;
    }
    if (record.setParameter == nullptr &&
        (!options.settings.empty() || !options.timedSettings.empty())) {
        reportError("the plug-in record has no setParameter function");
        return false;
    }
    return true;
}

struct ChannelStatistics {
    float peak = 0.0f;
    double sumOfSquares = 0.0;
    bool nonFinite = false;

    void add(float sample) {
        if (!std::isfinite(sample)) {
            nonFinite = true;
            return;
        }
        peak = std::max(peak, std::fabs(sample));
        sumOfSquares += static_cast<double>(sample) * static_cast<double>(sample);
    }
};

std::string levelText(double level) {
    char text[64];
    if (level > 0.0) {
        std::snprintf(text, sizeof text, "%.6f (%.2f dBFS)", level, 20.0 * std::log10(level));
    } else {
        std::snprintf(text, sizeof text, "%.6f (-inf dBFS)", level);
    }
    return text;
}

void showProgress(std::int64_t done, std::int64_t total) {
    if (total <= 0) {
        return;
    }
    constexpr int width = 40;
    const double fraction = std::min(1.0, static_cast<double>(done) / static_cast<double>(total));
    const int filled = static_cast<int>(fraction * width);
    std::fprintf(stderr, "\r[%s%s] %3d%%",
                 std::string(static_cast<std::size_t>(filled), '#').c_str(),
                 std::string(static_cast<std::size_t>(width - filled), '.').c_str(),
                 static_cast<int>(fraction * 100.0));
    std::fflush(stderr);
}

} // namespace

int renderCommand(const Arguments& arguments) {
    RenderOptions options;
    if (!parseOptions(arguments, options)) {
        return exitUsage;
    }

    SF_INFO inputInfo{};
    SNDFILE* input = sf_open(options.inputPath.c_str(), SFM_READ, &inputInfo);
    if (input == nullptr) {
        reportError("cannot read " + options.inputPath + ": " + sf_strerror(nullptr));
        return exitFailure;
    }
    struct InputCloser {
        SNDFILE* file;
        ~InputCloser() { sf_close(file); }
    } inputCloser{input};

    auto plugin = loadPlugin(options.pluginPath);
    if (plugin == nullptr) {
        return exitFailure;
    }
    const AEffect& record = *plugin->record();
    if (!checkAgainstRecord(options, record)) {
        return exitUsage;
    }

    OutputFile output(options.outputPath);
    SF_INFO outputInfo{};
    outputInfo.samplerate = inputInfo.samplerate;
    outputInfo.channels = 2;
    outputInfo.format = SF_FORMAT_WAV | SF_FORMAT_FLOAT;
    output.opened();
    SNDFILE* written = sf_open(output.temporaryPath().c_str(), SFM_WRITE, &outputInfo);
    if (written == nullptr) {
        reportError("cannot write " + options.outputPath + ": " + sf_strerror(nullptr));
        return exitFailure;
    }

    const float rate = options.rate.value_or(static_cast<float>(inputInfo.samplerate));
    const auto blockSize = static_cast<int>(options.blockSize);
    const int chunkFrames = std::max(1, chunkTarget / blockSize) * blockSize;
    const int inputChannels = std::max(inputInfo.channels, 1);

    // Everything the processing loop touches is allocated here, before the first block.
    std::vector<float> interleavedInput(static_cast<std::size_t>(chunkFrames) *
                                        static_cast<std::size_t>(inputChannels));
    std::vector<float> interleavedOutput(static_cast<std::size_t>(chunkFrames) * 2);
    std::vector<float> mono(static_cast<std::size_t>(chunkFrames));
    std::vector<vsthost::TimedParameter> timed;
    for (const TimedSetting& t : options.timedSettings) {
        timed.push_back(vsthost::TimedParameter{t.frame, t.setting.index, t.setting.value});
    }
    vsthost::BlockProcessor processor(*plugin, blockSize,
                                      options.mode == Mode::add
                                          ? vsthost::BlockProcessor::Mode::add
                                          : vsthost::BlockProcessor::Mode::replace,
                                      chunkFrames);
    processor.setTimedParameters(timed);

    plugin->open();
    plugin->setSampleRate(rate);
    plugin->setBlockSize(blockSize);
    if (options.program) {
        plugin->setProgram(static_cast<std::int32_t>(*options.program));
    }
    for (const ParameterSetting& setting : options.settings) {
        plugin->setParameter(setting.index, setting.value);
    }
    plugin->resume();
    plugin->host().processLevel.store(vsthost::processLevelOffline);

    const bool progress = isatty(fileno(stderr)) != 0;
    auto previousHandler = std::signal(SIGINT, onInterrupt);
    std::array<ChannelStatistics, 2> statistics;
    std::chrono::steady_clock::duration processingTime{};
    std::int64_t framesDone = 0;
    bool failed = false;

    while (!interrupted) {
        const sf_count_t got = sf_readf_float(input, interleavedInput.data(), chunkFrames);
        if (got <= 0) {
            break;
        }
        const int frames = static_cast<int>(got);
        for (int f = 0; f < frames; ++f) {
            mono[static_cast<std::size_t>(f)] =
                interleavedInput[static_cast<std::size_t>(f) *
                                 static_cast<std::size_t>(inputChannels)];
        }

        const auto start = std::chrono::steady_clock::now();
        processor.run(mono.data(), frames);
        processingTime += std::chrono::steady_clock::now() - start;

        for (int f = 0; f < frames; ++f) {
            for (int c = 0; c < 2; ++c) {
                const float sample = c < processor.outputChannels() ? processor.output(c)[f] : 0.0f;
                interleavedOutput[static_cast<std::size_t>(f) * 2 + static_cast<std::size_t>(c)] =
                    sample;
                statistics[static_cast<std::size_t>(c)].add(sample);
            }
        }
        if (sf_writef_float(written, interleavedOutput.data(), got) != got) {
            reportError("cannot write " + options.outputPath + ": " + sf_strerror(written));
            failed = true;
            break;
        }
        framesDone += frames;
        if (progress) {
            showProgress(framesDone, inputInfo.frames);
        }
    }
    std::signal(SIGINT, previousHandler);
    if (progress) {
        std::fprintf(stderr, "\n");
    }
    if (sf_error(input) != SF_ERR_NO_ERROR && !failed) {
        reportError("cannot read " + options.inputPath + ": " + sf_strerror(input));
        failed = true;
    }

    plugin->host().processLevel.store(vsthost::processLevelUser);
    plugin->suspend();
    plugin->close();

    const int closeResult = sf_close(written);
    if (interrupted) {
        reportError("interrupted; " + options.outputPath + " not written");
        return exitFailure;
    }
    if (failed) {
        return exitFailure;
    }
    if (closeResult != 0) {
        reportError("cannot write " + options.outputPath + ": " + sf_error_number(closeResult));
        return exitFailure;
    }
    std::string error;
    if (!output.commit(error)) {
        reportError(error);
        return exitFailure;
    }

    for (std::size_t i = processor.timedParametersApplied(); i < options.timedSettings.size();
         ++i) {
        std::fprintf(stderr, "plughost: note: --at %s lies after the last block; not applied\n",
                     options.timedSettings[i].text.c_str());
    }

    const double seconds = std::chrono::duration<double>(processingTime).count();
    const double audioSeconds = static_cast<double>(framesDone) / inputInfo.samplerate;
    std::printf("rendered      %s -> %s\n", options.pluginPath.c_str(), options.outputPath.c_str());
    std::printf("input         %s, %d Hz, %d channel%s%s\n", options.inputPath.c_str(),
                inputInfo.samplerate, inputInfo.channels, inputInfo.channels == 1 ? "" : "s",
                inputInfo.channels > 1 ? " (channel 0 used)" : "");
    std::printf("settings      block %d, %s, plug-in rate %s Hz\n", blockSize,
                options.mode == Mode::add ? "add (process)" : "replace (processReplacing)",
                floatText(rate).c_str());
    std::printf("frames        %lld (%.3f s)\n", static_cast<long long>(framesDone), audioSeconds);
    const char* names[2] = {"left", "right"};
    for (std::size_t c = 0; c < 2; ++c) {
        const ChannelStatistics& s = statistics[c];
        const double rms =
            framesDone > 0 ? std::sqrt(s.sumOfSquares / static_cast<double>(framesDone)) : 0.0;
        std::printf("%-13s peak %s, RMS %s%s\n", names[c], levelText(s.peak).c_str(),
                    levelText(rms).c_str(), s.nonFinite ? ", NOT FINITE samples" : "");
    }
    if (framesDone > 0 && seconds > 0.0) {
        std::printf("speed         %.2f ns per sample, %.1f x real time\n",
                    seconds * 1e9 / static_cast<double>(framesDone), audioSeconds / seconds);
    }
    return exitSuccess;
}

} // namespace plughost
