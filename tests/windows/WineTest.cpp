// The x64 plug-ins and plughost.exe, built with MinGW-w64 against the real Windows API, run
// under Wine and compared with the Linux build: the same report, the same audio to within a
// few units in the last place, the same editor picture outside text; a real pointer drag in
// the editor reaches the host as automation; closing leaves no window behind.
#include "tests/windows/Files.h"
#include "tests/windows/Processes.h"
#include "tests/windows/WindowsArtifacts.h"
#include "tests/windows/WineSession.h"

#include "framework/effect/GuiEditor.h"
#include "framework/effect/SliderPanelEditor.h"
#include "framework/gui/Bitmap.h"
#include "framework/gui/Frame.h"
#include "framework/gui/controls/VerticalSlider.h"
#include "platform/testing/Testing.h"
#include "tools/snapshot/EditorPicture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <memory>
#include <regex>
#include <thread>
#include <unistd.h>

namespace windows_tests {
namespace {

namespace fs = std::filesystem;

// One X server and one wineserver for the whole test program, ended when it exits.
class WineEnvironment : public ::testing::Environment {
public:
    static WineSession* session(std::string& reason) {
        static WineSession wine;
        static std::string failure;
        static bool tried = false;
        if (!tried) {
            tried = true;
            failure = wineUnavailableReason();
            if (failure.empty() && !fs::exists(std::string(QMT_WINE_PREFIX) + "/system.reg")) {
                failure = "the Wine prefix " QMT_WINE_PREFIX " was not made (wine_prefix test)";
            }
            if (failure.empty()) {
                wine.start(QMT_WINE_PREFIX, failure);
            }
        }
        reason = failure;
        instance = failure.empty() ? &wine : nullptr;
        return instance;
    }
    void TearDown() override {
        if (instance != nullptr) {
            instance->stop();
        }
    }

private:
    static inline WineSession* instance = nullptr;
};

#define WINE_OR_SKIP(name)                                                                         \
    std::string wineProblem;                                                                       \
    WineSession* name = WineEnvironment::session(wineProblem);                                     \
    if (name == nullptr) {                                                                         \
        if (wineUnavailableReason().empty()) {                                                     \
            FAIL() << wineProblem;                                                                 \
        }                                                                                          \
        GTEST_SKIP() << wineProblem;                                                               \
    }

std::string pluginTestName(const ::testing::TestParamInfo<PluginNames>& info) {
    return info.param.name;
}

const snapshot::EditorPlugin& snapshotPlugin(const PluginNames& plugin) {
    for (const snapshot::EditorPlugin& candidate : snapshot::editorPlugins()) {
        if (std::string(candidate.name) == plugin.lower) {
            return candidate;
        }
    }
    std::abort();
}

// ---- info --------------------------------------------------------------------------------

class WineInfo : public ::testing::TestWithParam<PluginNames> {};

TEST_P(WineInfo, EqualsTheLinuxLibrarys) {
    WINE_OR_SKIP(wine);
    const PluginNames& plugin = GetParam();
    const ProcessResult native = runProcess({linuxPlughost(), "info", linuxPlugin(plugin)});
    ASSERT_EQ(native.exitCode, 0) << native.err;
    const ProcessResult windows = wine->run(
        {windowsPlughost(Machine::x64), "info", windowsPath(windowsPlugin(Machine::x64, plugin))});
    ASSERT_EQ(windows.exitCode, 0) << windows.err;
    std::vector<std::string> expected = linesOf(native.out);
    std::vector<std::string> got = linesOf(windows.out);
    ASSERT_FALSE(expected.empty());
    ASSERT_FALSE(got.empty());
    // The first line names the file, which differs; everything after it must not.
    expected.erase(expected.begin());
    got.erase(got.begin());
    EXPECT_EQ(got, expected);
}

INSTANTIATE_TEST_SUITE_P(Plugins, WineInfo, ::testing::ValuesIn(pluginNames()), pluginTestName);

// ---- render ------------------------------------------------------------------------------

// Noise, a tone and an impulse, then silence for the tails.
Audio testSignal() {
    Audio audio;
    audio.rate = 44100;
    audio.channels = 1;
    audio.samples.resize(44100 * 2);
    std::uint32_t seed = 12345;
    for (std::size_t i = 0; i < audio.samples.size(); ++i) {
        seed = seed * 1664525u + 1013904223u;
        const float noise = static_cast<float>(seed >> 8) / 16777216.0f - 0.5f;
        const double t = static_cast<double>(i) / 44100.0;
        float sample = 0.0f;
        if (i < 22050) {
            sample = 0.4f * noise;
        } else if (i < 44100) {
            sample = static_cast<float>(0.5 * std::sin(2.0 * 3.141592653589793 * 220.0 * t));
        } else if (i == 50000) {
            sample = 0.9f;
        }
        audio.samples[i] = sample;
    }
    return audio;
}

// Distance in representable floats; the two zeros are one number.
std::int64_t ulpDistance(float a, float b) {
    auto ordered = [](float value) {
        std::int32_t bits = 0;
        std::memcpy(&bits, &value, 4);
        return bits < 0 ? std::int64_t(INT32_MIN) - bits : std::int64_t(bits);
    };
    return std::llabs(ordered(a) - ordered(b));
}

struct RenderCase {
    const char* plugin;
    const char* label;
    std::vector<std::string> options;
};

// Samples of both outputs whose distance exceeds this many floats; differences come from the
// two C libraries' mathematical functions (Windows' cosine is not glibc's).
constexpr std::int64_t ulpTolerance = 8;
// Below this size a sample is compared by absolute difference instead: a number that is nearly
// zero has as many floats below it as any other, and a difference of 1e-9 in a filter's state
// is thousands of them there.
constexpr float smallSample = 1.0f / 65536.0f;

void PrintTo(const RenderCase& renderCase, std::ostream* out) {
    *out << renderCase.plugin << " " << renderCase.label;
}

class WineRender : public ::testing::TestWithParam<RenderCase> {};

TEST_P(WineRender, MatchesTheLinuxLibrarysOutput) {
    WINE_OR_SKIP(wine);
    const RenderCase& renderCase = GetParam();
    const PluginNames& plugin = pluginNamed(renderCase.plugin);
    const std::string folder =
        outputFolder(std::string("render-") + renderCase.plugin + "-" + renderCase.label);
    const std::string input = folder + "/input.wav";
    ASSERT_TRUE(writeFloatWav(input, testSignal()));

    std::vector<std::string> nativeCommand{linuxPlughost(), "render", linuxPlugin(plugin), input,
                                           folder + "/linux.wav"};
    std::vector<std::string> windowsCommand{
        windowsPlughost(Machine::x64), "render", windowsPath(windowsPlugin(Machine::x64, plugin)),
        windowsPath(input), windowsPath(folder + "/windows.wav")};
    nativeCommand.insert(nativeCommand.end(), renderCase.options.begin(), renderCase.options.end());
    windowsCommand.insert(windowsCommand.end(), renderCase.options.begin(),
                          renderCase.options.end());
    const ProcessResult native = runProcess(nativeCommand);
    ASSERT_EQ(native.exitCode, 0) << native.err;
    const ProcessResult windows = wine->run(windowsCommand);
    ASSERT_EQ(windows.exitCode, 0) << windows.err;

    Audio expected;
    Audio got;
    ASSERT_TRUE(readFloatWav(folder + "/linux.wav", expected));
    ASSERT_TRUE(readFloatWav(folder + "/windows.wav", got));
    ASSERT_EQ(got.channels, 2);
    ASSERT_EQ(got.samples.size(), expected.samples.size());

    // Two silent outputs would match trivially.
    ASSERT_TRUE(std::any_of(expected.samples.begin(), expected.samples.end(), [](float sample) {
        return std::fabs(sample) > 1e-3f;
    })) << "the Linux library's output is silent";

    std::int64_t worstUlps = 0;
    float worstSmall = 0.0f;
    std::size_t identical = 0;
    std::size_t outside = 0;
    for (std::size_t i = 0; i < got.samples.size(); ++i) {
        const float a = expected.samples[i];
        const float b = got.samples[i];
        if (std::memcmp(&a, &b, 4) == 0) {
            ++identical;
            continue;
        }
        if (std::fabs(a) < smallSample && std::fabs(b) < smallSample) {
            worstSmall = std::max(worstSmall, std::fabs(a - b));
            outside += std::fabs(a - b) > smallSample * 1e-4f;
            continue;
        }
        const std::int64_t ulps = ulpDistance(a, b);
        worstUlps = std::max(worstUlps, ulps);
        outside += ulps > ulpTolerance;
    }
    std::cout << "render " << renderCase.plugin << " " << renderCase.label << ": " << identical
              << " of " << got.samples.size() << " samples identical, largest difference "
              << worstUlps << " ulp, below 2^-16 at most " << worstSmall << "\n";
    RecordProperty("identicalSamples", static_cast<int>(identical));
    RecordProperty("worstUlps", static_cast<int>(worstUlps));
    EXPECT_EQ(outside, 0u) << "samples beyond " << ulpTolerance << " ulp; worst " << worstUlps;
}

const std::vector<RenderCase> renderCases{
    {"Tarvik", "program0", {}},
    {"Tarvik",
     "add-settings",
     {"--mode", "add", "--set", "0=0.8", "--set", "1=0.9", "--set", "5=0.3"}},
    {"Ombrel", "program0", {}},
    {"Ombrel", "add-settings", {"--mode", "add", "--set", "0=0.2", "--set", "3=0.9"}},
    {"Quisel", "program0", {}},
    {"Quisel", "add-settings", {"--mode", "add", "--set", "1=0.7", "--set", "2=0.25"}},
};

INSTANTIATE_TEST_SUITE_P(Plugins, WineRender, ::testing::ValuesIn(renderCases),
                         [](const ::testing::TestParamInfo<RenderCase>& info) {
                             std::string name =
                                 std::string(info.param.plugin) + "_" + info.param.label;
                             std::replace(name.begin(), name.end(), '-', '_');
                             return name;
                         });

// ---- editor picture ----------------------------------------------------------------------

struct PictureCase {
    const char* plugin;
    const char* label;
    // The values of the columns from the left, repeated as needed; none for the plug-in's own
    // program 0.
    std::vector<float> values;

    float valueOf(std::int32_t column) const {
        return values[static_cast<std::size_t>(column) % values.size()];
    }
};

platform::testing::Image linuxPicture(const PluginNames& plugin, const PictureCase& pictureCase,
                                      SliderPanelLayout& layout) {
    std::unique_ptr<EffectBase> effect(snapshotPlugin(plugin).make(snapshot::quietHost()));
    if (effect == nullptr) {
        return {};
    }
    layout = static_cast<SliderPanelEditor*>(effect->getEditor())->getLayout();
    for (std::int32_t k = 0; k < layout.columnCount && !pictureCase.values.empty(); ++k) {
        effect->setParameter(layout.columns[k].parameter, pictureCase.valueOf(k));
    }
    return snapshot::pictureOfEditor(*effect);
}

// Reads back as the same float.
std::string exactText(float value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.9g", static_cast<double>(value));
    return text;
}

void savePicture(const Picture& picture, const std::string& path) {
    platform::testing::Image image;
    image.width = picture.width;
    image.height = picture.height;
    image.pixels = picture.pixels;
    platform::testing::savePng(image, path);
}

void PrintTo(const PictureCase& pictureCase, std::ostream* out) {
    *out << pictureCase.plugin << " " << pictureCase.label;
}

class WinePicture : public ::testing::TestWithParam<PictureCase> {};

TEST_P(WinePicture, MatchesTheLinuxPictureOutsideText) {
    WINE_OR_SKIP(wine);
    const PictureCase& pictureCase = GetParam();
    const PluginNames& plugin = pluginNamed(pictureCase.plugin);
    const std::string folder =
        outputFolder(std::string("picture-") + pictureCase.plugin + "-" + pictureCase.label);

    SliderPanelLayout layout{};
    const platform::testing::Image expected = linuxPicture(plugin, pictureCase, layout);
    ASSERT_GT(expected.width, 0) << "the Linux editor did not open";

    std::vector<std::string> command{windowsPlughost(Machine::x64), "shot",
                                     windowsPath(windowsPlugin(Machine::x64, plugin)),
                                     windowsPath(folder + "/windows.bmp")};
    for (std::int32_t k = 0; k < layout.columnCount && !pictureCase.values.empty(); ++k) {
        command.push_back("--set");
        command.push_back(std::to_string(layout.columns[k].parameter) + "=" +
                          exactText(pictureCase.valueOf(k)));
    }
    const ProcessResult shot = wine->run(command);
    ASSERT_EQ(shot.exitCode, 0) << shot.out << shot.err;
    EXPECT_NE(shot.out.find("closed with no window left"), std::string::npos) << shot.out;
    Picture got;
    ASSERT_TRUE(readBmp(folder + "/windows.bmp", got));
    ASSERT_EQ(got.width, expected.width);
    ASSERT_EQ(got.height, expected.height);

    // The value displays' insides hold text, which the two font engines set differently.
    auto inText = [&](int x, int y) {
        for (std::int32_t k = 0; k < layout.columnCount; ++k) {
            const int left = sliderPanelFirstDisplayLeft + k * (16 + sliderPanelColumnGap);
            if (x > left && x < left + sliderPanelDisplayWidth - 1 && y > layout.displayTop &&
                y < layout.displayTop + sliderPanelDisplayHeight - 1) {
                return true;
            }
        }
        return false;
    };
    Picture difference{got.width, got.height, std::vector<std::uint32_t>(got.pixels.size())};
    int textPixels = 0;
    int textDifferences = 0;
    int otherDifferences = 0;
    for (int y = 0; y < got.height; ++y) {
        for (int x = 0; x < got.width; ++x) {
            const bool text = inText(x, y);
            textPixels += text;
            const bool differs = got.at(x, y) != expected.at(x, y);
            if (differs) {
                ++(text ? textDifferences : otherDifferences);
            }
            difference.pixels[std::size_t(y) * got.width + x] =
                differs ? (text ? 0xFFFF00u : 0xFF0000u) : (got.at(x, y) >> 2 & 0x3F3F3Fu);
        }
    }
    savePicture(got, folder + "/windows.png");
    platform::testing::savePng(expected, folder + "/linux.png");
    savePicture(difference, folder + "/difference.png");
    std::cout << "picture " << pictureCase.plugin << " " << pictureCase.label << ": "
              << otherDifferences << " pixels differ outside text, " << textDifferences << " of "
              << textPixels << " inside the value displays (pictures in " << folder << ")\n";
    RecordProperty("differencesOutsideText", otherDifferences);
    RecordProperty("differencesInText", textDifferences);
    EXPECT_EQ(otherDifferences, 0);
    // Text may be set a pixel apart, not be missing or garbled: at most a third of the
    // displays' insides may differ.
    EXPECT_LE(textDifferences * 3, textPixels);
}

// Both ends of the travel, and values between that put handles between pixels and give
// displays of every width.
const std::vector<float> between{0.13f, 0.37f, 0.5f, 0.777f, 0.0625f, 0.91f, 0.3333f, 0.05f, 0.6f};
const std::vector<PictureCase> pictureCases{
    {"Tarvik", "program0", {}},     {"Tarvik", "zero", {0.0f}},     {"Tarvik", "full", {1.0f}},
    {"Tarvik", "between", between}, {"Ombrel", "program0", {}},     {"Ombrel", "zero", {0.0f}},
    {"Ombrel", "full", {1.0f}},     {"Ombrel", "between", between}, {"Quisel", "program0", {}},
    {"Quisel", "zero", {0.0f}},     {"Quisel", "full", {1.0f}},     {"Quisel", "between", between},
};

INSTANTIATE_TEST_SUITE_P(Plugins, WinePicture, ::testing::ValuesIn(pictureCases),
                         [](const ::testing::TestParamInfo<PictureCase>& info) {
                             return std::string(info.param.plugin) + "_" + info.param.label;
                         });

// ---- pointer drag ------------------------------------------------------------------------

struct SliderPlace {
    int left = 0;
    int top = 0;
    int handleTop = 0;
    int travel = 0; // pixels between the handle's two end positions
    std::int32_t parameter = 0;
};

// Where the slider of layout column k is, and where its handle sits at the value, as the
// Linux build of the same editor draws it.
bool linuxSliderPlace(const PluginNames& plugin, std::int32_t column, float value,
                      SliderPlace& place) {
    std::unique_ptr<EffectBase> effect(snapshotPlugin(plugin).make(snapshot::quietHost()));
    if (effect == nullptr) {
        return false;
    }
    auto* editor = static_cast<SliderPanelEditor*>(effect->getEditor());
    const SliderPanelLayout& layout = editor->getLayout();
    place.parameter = layout.columns[column].parameter;
    effect->setParameter(place.parameter, value);
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = &DefWindowProcA;
    windowClass.lpszClassName = "WineTestHost";
    RegisterClassA(&windowClass);
    HWND host = CreateWindowExA(0, "WineTestHost", "Host", WS_POPUP | WS_VISIBLE, 0, 0, 400, 400,
                                nullptr, nullptr, nullptr, nullptr);
    if (host == nullptr || effect->dispatcher(effEditOpen, 0, 0, host, 0.0f) != 1) {
        return false;
    }
    platform::testing::paint(editor->getFrame()->getWindowHandle());
    const VerticalSlider* slider = editor->getSlider(place.parameter);
    place.left = sliderPanelFirstSliderLeft + column * (16 + sliderPanelColumnGap);
    place.top = layout.sliderTop;
    place.handleTop = slider->getHandlePosition();
    place.travel =
        editor->getTrackBitmap()->getHeight() - editor->getHandleBitmap()->getHeight() - 1;
    effect->dispatcher(effEditClose, 0, 0, nullptr, 0.0f);
    DestroyWindow(host);
    return true;
}

std::string xdotool(const std::vector<std::string>& arguments) {
    std::vector<std::string> command{wineTools().xdotool};
    command.insert(command.end(), arguments.begin(), arguments.end());
    const ProcessResult result = runProcess(command, 30);
    return result.exitCode == 0 ? "" : "xdotool failed: " + result.err;
}

class WineDrag : public ::testing::TestWithParam<PluginNames> {};

TEST_P(WineDrag, RealPointerMovesTheSliderAndAutomatesTheHost) {
    WINE_OR_SKIP(wine);
    if (wineTools().xdotool.empty()) {
        GTEST_SKIP() << "xdotool is not installed (Debian's xdotool package)";
    }
    const PluginNames& plugin = GetParam();
    const std::string folder = outputFolder(std::string("drag-") + plugin.name);
    constexpr std::int32_t column = 1;
    constexpr float startValue = 0.5f;
    constexpr int rise = 40; // pixels the pointer moves up while the button is held
    SliderPlace place;
    ASSERT_TRUE(linuxSliderPlace(plugin, column, startValue, place));

    const std::string stopFile = folder + "/stop";
    BackgroundProcess edit;
    ASSERT_TRUE(edit.start(
        wine->command({windowsPlughost(Machine::x64), "edit",
                       windowsPath(windowsPlugin(Machine::x64, plugin)), "--set",
                       std::to_string(place.parameter) + "=" + std::to_string(startValue),
                       "--until", windowsPath(stopFile), "--wait", "60000"}),
        folder + "/edit.out"));
    std::smatch where;
    const std::regex editorLine(R"(editor x=(-?\d+) y=(-?\d+) width=(\d+) height=(\d+))");
    std::string output;
    for (int i = 0; i < 600 && !std::regex_search(output, where, editorLine); ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        output = edit.output();
    }
    ASSERT_TRUE(std::regex_search(output, where, editorLine)) << "the editor did not open";
    const int originX = std::stoi(where[1]);
    const int originY = std::stoi(where[2]);

    // Press on the middle of the handle, move up in steps, release.
    const int x = originX + place.left + 1 + 7;
    const int y = originY + place.handleTop + 6;
    auto pause = [] { std::this_thread::sleep_for(std::chrono::milliseconds(60)); };
    ASSERT_EQ(xdotool({"mousemove", std::to_string(x), std::to_string(y)}), "");
    pause();
    ASSERT_EQ(xdotool({"mousedown", "1"}), "");
    for (int step = 1; step <= 8; ++step) {
        pause();
        ASSERT_EQ(xdotool({"mousemove", std::to_string(x), std::to_string(y - rise * step / 8)}),
                  "");
    }
    // The drag loop must have seen the last position before it sees the button go up, also on
    // a busy machine.
    std::this_thread::sleep_for(std::chrono::milliseconds(400));
    ASSERT_EQ(xdotool({"mouseup", "1"}), "");
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    std::ofstream(stopFile) << "stop\n";
    ASSERT_EQ(edit.wait(60), 0) << edit.output() << readFile(folder + "/edit.out.err");
    output = edit.output();

    // The slider takes the value of the handle's new position: the press point keeps its place
    // on the handle, and the bottom end of the travel is 0.
    const float expected = static_cast<float>(
        1.0 - static_cast<double>(place.handleTop - rise - place.top) / place.travel);
    std::smatch automate;
    ASSERT_TRUE(std::regex_search(output, automate,
                                  std::regex(R"(automate count=(\d+) index=(-?\d+) value=(\S+))")))
        << output;
    EXPECT_GT(std::stoi(automate[1]), 0) << output;
    EXPECT_EQ(std::stoi(automate[2]), place.parameter) << output;
    EXPECT_FLOAT_EQ(std::stof(automate[3]), expected) << output;
    // The parameter holds the value the host was told; no other parameter moved.
    const std::regex parameterLine(R"(parameter index=(\d+) value=(\S+))");
    int parameters = 0;
    for (const std::string& line : linesOf(output)) {
        std::smatch parameter;
        if (!std::regex_search(line, parameter, parameterLine)) {
            continue;
        }
        ++parameters;
        if (std::stoi(parameter[1]) == place.parameter) {
            EXPECT_FLOAT_EQ(std::stof(parameter[2]), expected) << line;
        }
    }
    EXPECT_GT(parameters, 0) << output;
    EXPECT_NE(output.find("closed with no window left"), std::string::npos) << output;
    std::cout << "drag " << plugin.name << ": parameter " << place.parameter << " from "
              << startValue << " to " << automate[3] << " in " << automate[1]
              << " automation calls (expected " << expected << ")\n";
}

INSTANTIATE_TEST_SUITE_P(Plugins, WineDrag, ::testing::ValuesIn(pluginNames()), pluginTestName);

// ---- conformance -------------------------------------------------------------------------

class WineCheck : public ::testing::TestWithParam<PluginNames> {};

TEST_P(WineCheck, PassesTheConformanceChecks) {
    WINE_OR_SKIP(wine);
    const ProcessResult help = wine->run({windowsPlughost(Machine::x64), "help"});
    if (help.out.find("  check ") == std::string::npos) {
        GTEST_SKIP() << "this plughost has no check command";
    }
    const ProcessResult check = wine->run({windowsPlughost(Machine::x64), "check",
                                           windowsPath(windowsPlugin(Machine::x64, GetParam()))},
                                          300);
    EXPECT_EQ(check.exitCode, 0) << check.out << check.err;
}

INSTANTIATE_TEST_SUITE_P(Plugins, WineCheck, ::testing::ValuesIn(pluginNames()), pluginTestName);

// ---- 32-bit ------------------------------------------------------------------------------

// Debian's 32-bit Wine loader, from the wine32 package of the i386 architecture.
const char* const wine32Loader = "/usr/lib/wine/wine";

class WineX86 : public ::testing::TestWithParam<PluginNames> {};

TEST_P(WineX86, InfoEqualsTheLinuxLibrarys) {
    if (access(wine32Loader, X_OK) != 0) {
        GTEST_SKIP() << "this machine type cannot execute 32-bit Windows code (no 32-bit Wine "
                        "loader at "
                     << wine32Loader << "); the x86 DLLs are checked statically only";
    }
    WINE_OR_SKIP(wine);
    const PluginNames& plugin = GetParam();
    const ProcessResult native = runProcess({linuxPlughost(), "info", linuxPlugin(plugin)});
    const ProcessResult windows = runProcess({wine32Loader, windowsPlughost(Machine::x86), "info",
                                              windowsPath(windowsPlugin(Machine::x86, plugin))});
    ASSERT_EQ(windows.exitCode, 0) << windows.err;
    std::vector<std::string> expected = linesOf(native.out);
    std::vector<std::string> got = linesOf(windows.out);
    ASSERT_FALSE(expected.empty());
    ASSERT_FALSE(got.empty());
    expected.erase(expected.begin());
    got.erase(got.begin());
    EXPECT_EQ(got, expected);
}

INSTANTIATE_TEST_SUITE_P(Plugins, WineX86, ::testing::ValuesIn(pluginNames()), pluginTestName);

} // namespace
} // namespace windows_tests

int main(int argc, char** argv) {
    // The prefix is made once per test run, by the test that all Wine tests depend on.
    if (argc == 2 && std::string(argv[1]) == "--make-prefix") {
        const std::string reason = windows_tests::wineUnavailableReason();
        if (!reason.empty()) {
            std::cout << "skipped: " << reason << "\n";
            return 77;
        }
        std::string error;
        if (!windows_tests::makePrefix(QMT_WINE_PREFIX, error)) {
            std::cerr << error << "\n";
            return 1;
        }
        std::cout << "made the Wine prefix " << QMT_WINE_PREFIX << "\n";
        return 0;
    }
    if (argc == 2 && std::string(argv[1]) == "--remove-prefix") {
        std::error_code ignored;
        std::filesystem::remove_all(QMT_WINE_PREFIX, ignored);
        return 0;
    }
    ::testing::InitGoogleTest(&argc, argv);
    ::testing::AddGlobalTestEnvironment(new windows_tests::WineEnvironment);
    return RUN_ALL_TESTS();
}
