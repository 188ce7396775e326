#include "tests/host/CommandRunner.h"

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <ostream>
#include <sndfile.h>

#include <filesystem>
#include <fstream>
#include <functional>

namespace {

constexpr int inputFrames = 2000;

float inputSample(int frame) {
    return static_cast<float>(frame % 200) / 200.0f - 0.5f;
}

// Channel 0 carries the test signal; any further channel carries something else, which
// must not reach the plug-in.
void writeInput(const std::string& path, int channels, int rate) {
    SF_INFO info{};
    info.samplerate = rate;
    info.channels = channels;
    info.format = SF_FORMAT_WAV | SF_FORMAT_FLOAT;
    SNDFILE* file = sf_open(path.c_str(), SFM_WRITE, &info);
    ASSERT_NE(file, nullptr) << sf_strerror(nullptr);
    std::vector<float> samples;
    for (int f = 0; f < inputFrames; ++f) {
        samples.push_back(inputSample(f));
        for (int c = 1; c < channels; ++c) {
            samples.push_back(0.875f);
        }
    }
    sf_writef_float(file, samples.data(), inputFrames);
    sf_close(file);
}

struct Rendered {
    SF_INFO info{};
    std::vector<float> left;
    std::vector<float> right;
};

Rendered readOutput(const std::string& path) {
    Rendered rendered;
    SNDFILE* file = sf_open(path.c_str(), SFM_READ, &rendered.info);
    if (file == nullptr) {
        ADD_FAILURE() << "cannot read " << path;
        return rendered;
    }
    std::vector<float> samples(static_cast<std::size_t>(rendered.info.frames) *
                               static_cast<std::size_t>(rendered.info.channels));
    sf_readf_float(file, samples.data(), rendered.info.frames);
    sf_close(file);
    for (std::size_t f = 0; f + 1 < samples.size(); f += 2) {
        rendered.left.push_back(samples[f]);
        rendered.right.push_back(samples[f + 1]);
    }
    return rendered;
}

struct RenderCase {
    const char* label;
    std::vector<std::string> options;
    int inputChannels;
    // The gains the fixture applies to frame f, left and right.
    std::function<std::pair<float, float>(int)> gains;
};

void PrintTo(const RenderCase& c, std::ostream* out) {
    *out << c.label;
}

class PlughostRender : public testing::TestWithParam<RenderCase> {};

TEST_P(PlughostRender, WritesWhatThePluginComputedSampleForSample) {
    const RenderCase& c = GetParam();
    const std::string folder = freshOutputFolder(std::string("render-") + c.label);
    const std::string in = folder + "/in.wav";
    const std::string out = folder + "/out.wav";
    writeInput(in, c.inputChannels, 48000);
    std::vector<std::string> arguments{"render", FIXTURE_GOOD, in, out};
    arguments.insert(arguments.end(), c.options.begin(), c.options.end());
    const CommandResult result = runPlughost(arguments);
    ASSERT_EQ(result.exitCode, 0) << result.err;

    const Rendered rendered = readOutput(out);
    EXPECT_EQ(rendered.info.channels, 2);
    EXPECT_EQ(rendered.info.samplerate, 48000);
    EXPECT_EQ(rendered.info.format, SF_FORMAT_WAV | SF_FORMAT_FLOAT);
    ASSERT_EQ(rendered.left.size(), static_cast<std::size_t>(inputFrames));
    for (int f = 0; f < inputFrames; ++f) {
        const auto [left, right] = c.gains(f);
        ASSERT_EQ(rendered.left[static_cast<std::size_t>(f)], inputSample(f) * left) << f;
        ASSERT_EQ(rendered.right[static_cast<std::size_t>(f)], inputSample(f) * right) << f;
    }
    EXPECT_NE(result.out.find("frames        2000 (0.042 s)"), std::string::npos) << result.out;
    EXPECT_NE(result.out.find("ns per sample"), std::string::npos) << result.out;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, PlughostRender,
    testing::Values(RenderCase{"program0",
                               {},
                               1,
                               [](int) {
                                   return std::pair{0.5f, 0.25f};
                               }},
                    RenderCase{"settingsInOrder",
                               {"--set", "0=2", "--set", "1=-1", "--set", "0=3"},
                               1,
                               [](int) {
                                   return std::pair{3.0f, -1.0f};
                               }},
                    RenderCase{"programThenSettings",
                               {"--set", "1=0.125", "--program", "1"},
                               1,
                               [](int) {
                                   return std::pair{1.0f, 0.125f};
                               }},
                    // Applied at the first block boundary at or after the frame: 1000 -> 1024.
                    RenderCase{"atNextBlockBoundary",
                               {"--at", "1000:0=0", "--at", "0:1=1", "--block", "512"},
                               1,
                               [](int f) {
                                   return std::pair{f < 1024 ? 0.5f : 0.0f, 1.0f};
                               }},
                    RenderCase{"addMode",
                               {"--mode", "add", "--block", "300"},
                               1,
                               [](int) {
                                   return std::pair{0.5f, 0.25f};
                               }},
                    RenderCase{"channel0OfStereo",
                               {"--rate", "96000"},
                               2,
                               [](int) {
                                   return std::pair{0.5f, 0.25f};
                               }}),
    [](const testing::TestParamInfo<RenderCase>& info) { return std::string(info.param.label); });

struct RenderFailure {
    const char* label;
    std::vector<std::string> options;
    const char* plugin;
    bool validInput;
    const char* message;
};

void PrintTo(const RenderFailure& c, std::ostream* out) {
    *out << c.label;
}

class PlughostRenderFailures : public testing::TestWithParam<RenderFailure> {};

TEST_P(PlughostRenderFailures, LeaveTheOutputAsItWasAndSayWhyInOneLine) {
    const RenderFailure& c = GetParam();
    const std::string folder = freshOutputFolder(std::string("render-failure-") + c.label);
    const std::string in = folder + "/in.wav";
    const std::string out = folder + "/out.wav";
    if (c.validInput) {
        writeInput(in, 1, 44100);
    } else {
        std::ofstream(in) << "not audio";
    }
    std::ofstream(out) << "previous";
    std::vector<std::string> arguments{"render", c.plugin, in, out};
    arguments.insert(arguments.end(), c.options.begin(), c.options.end());
    const CommandResult result = runPlughost(arguments);

    EXPECT_NE(result.exitCode, 0);
    const auto lines = linesOf(result.err);
    ASSERT_EQ(lines.size(), 1u) << result.err;
    EXPECT_NE(lines[0].find(c.message), std::string::npos) << lines[0];
    std::ifstream kept(out);
    std::string content;
    std::getline(kept, content);
    EXPECT_EQ(content, "previous");
    int files = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(folder)) {
        ++files;
    }
    EXPECT_EQ(files, 2) << "a temporary file was left behind";
}

INSTANTIATE_TEST_SUITE_P(
    Cases, PlughostRenderFailures,
    testing::Values(
        RenderFailure{"unreadableInput", {}, FIXTURE_GOOD, false, "cannot read"},
        RenderFailure{
            "unknownOption", {"--gain", "2"}, FIXTURE_GOOD, true, "unknown option --gain"},
        RenderFailure{"setIndexTooHigh",
                      {"--set", "3=1"},
                      FIXTURE_GOOD,
                      true,
                      "parameter index 3 out of range: the plug-in's parameters are 0 to 2"},
        RenderFailure{"setIndexNegative",
                      {"--set", "-1=1"},
                      FIXTURE_GOOD,
                      true,
                      "parameter index -1 out of range"},
        RenderFailure{"atIndexTooHigh",
                      {"--at", "10:7=1"},
                      FIXTURE_GOOD,
                      true,
                      "parameter index 7 out of range"},
        RenderFailure{"programTooHigh",
                      {"--program", "4"},
                      FIXTURE_GOOD,
                      true,
                      "program 4 out of range: the plug-in's programs are 0 to 3"},
        RenderFailure{"malformedSet", {"--set", "0"}, FIXTURE_GOOD, true, "--set wants"},
        RenderFailure{"malformedAt", {"--at", "x:0=1"}, FIXTURE_GOOD, true, "--at wants"},
        RenderFailure{"blockZero", {"--block", "0"}, FIXTURE_GOOD, true, "--block wants"},
        RenderFailure{"unknownMode", {"--mode", "mix"}, FIXTURE_GOOD, true, "--mode wants"},
        RenderFailure{"missingValue", {"--block"}, FIXTURE_GOOD, true, "--block needs a value"},
        RenderFailure{"noEntryPoint", {}, FIXTURE_NO_ENTRY, true, "no entry point"}),
    [](const testing::TestParamInfo<RenderFailure>& info) {
        return std::string(info.param.label);
    });

TEST(PlughostBench, JsonHasBothFunctionsOnBothSignals) {
    const CommandResult result =
        runPlughost({"bench", FIXTURE_GOOD, "--seconds", "0.05", "--block", "256", "--json"});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    const auto json = nlohmann::json::parse(result.out, nullptr, false);
    ASSERT_FALSE(json.is_discarded()) << result.out;
    EXPECT_EQ(json["blockSize"], 256);
    EXPECT_EQ(json["seconds"], 0.05);
    for (const char* function : {"processReplacing", "process"}) {
        for (const char* signal : {"noise", "silence"}) {
            ASSERT_TRUE(json[function][signal].is_number()) << function << " " << signal;
            EXPECT_GT(json[function][signal].get<double>(), 0.0);
        }
    }
}

TEST(PlughostBench, RejectsUnknownOptionsAndIndices) {
    for (const std::vector<std::string>& arguments :
         {std::vector<std::string>{"bench", FIXTURE_GOOD, "--repeat", "3"},
          std::vector<std::string>{"bench", FIXTURE_GOOD, "--set", "5=1"},
          std::vector<std::string>{"bench", FIXTURE_GOOD, "--seconds", "0"}}) {
        const CommandResult result = runPlughost(arguments);
        EXPECT_EQ(result.exitCode, 2) << arguments[2];
        EXPECT_EQ(linesOf(result.err).size(), 1u) << result.err;
    }
}

} // namespace
