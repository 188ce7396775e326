// Third-party hosts' plug-in scanners load each library the way those hosts do (opcodes
// before effOpen, a suspend without a resume, a second load without closing the first)
// and must report what the library is.
#include "tests/host/CommandRunner.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <filesystem>
#include <ostream>
#include <regex>

namespace {

struct ScannedPlugin {
    const char* label;
    const char* path;
    int parameters;
};

void PrintTo(const ScannedPlugin& c, std::ostream* out) {
    *out << c.label;
}

// The unique identifier as plughost reads it from the record.
std::int64_t uniqueIdOf(const std::string& path) {
    const CommandResult result = runPlughostOnOurPlugin({"info", "--json", path});
    const auto json = nlohmann::json::parse(result.out, nullptr, false);
    if (result.exitCode != 0 || json.is_discarded()) {
        ADD_FAILURE() << "plughost info failed on " << path << ": " << result.err;
        return -1;
    }
    return std::stoll(json["uniqueIDHex"].get<std::string>(), nullptr, 16);
}

class Scanners : public testing::TestWithParam<ScannedPlugin> {
protected:
    void SetUp() override {
#ifdef SANITIZED_BUILD
        GTEST_SKIP() << "the scanners cannot load libraries built with sanitizers";
#endif
        if (std::string(GetParam().path).empty()) {
            GTEST_SKIP() << GetParam().label << " is not part of this build";
        }
    }

    static void skipUnlessInstalled(const std::string& scanner) {
        if (scanner.empty() || !std::filesystem::exists(scanner)) {
            GTEST_SKIP() << "scanner not installed";
        }
    }
};

TEST_P(Scanners, QtractorReportsIdChannelsAndParameters) {
    const std::string scanner = QTRACTOR_PLUGIN_SCAN;
    skipUnlessInstalled(scanner);
    const ScannedPlugin& c = GetParam();
    // The scanner reads "TYPE:path" lines on its standard input and answers one line per
    // plug-in: VST|name|audio in:out|midi in:out|parameters:outputs|flags|path|index|id.
    const CommandResult result = runCommand({scanner}, std::string("VST2:") + c.path + "\n");
    ASSERT_FALSE(result.timedOut);
    EXPECT_EQ(result.exitCode, 0) << result.err;
    const std::regex line(
        R"(VST\|([^|]*)\|(\d+):(\d+)\|\d+:\d+\|(\d+):\d+\|[^|]*\|([^|]*)\|\d+\|0x([0-9a-fA-F]+))");
    std::smatch match;
    ASSERT_TRUE(std::regex_search(result.out, match, line)) << result.out << result.err;
    EXPECT_EQ(match[2], "1");
    EXPECT_EQ(match[3], "2");
    EXPECT_EQ(std::stoi(match[4]), c.parameters);
    EXPECT_EQ(match[5], c.path);
    EXPECT_EQ(std::stoll(match[6], nullptr, 16), uniqueIdOf(c.path));
}

TEST_P(Scanners, ArdourReportsIdAndChannels) {
    const std::string scanner = ARDOUR_VST_SCANNER;
    skipUnlessInstalled(scanner);
    const ScannedPlugin& c = GetParam();
    // The scanner needs Ardour's private libraries, and writes its cache below HOME.
    const std::string home = freshOutputFolder(std::string("ardour-") + c.label);
    const std::string libraries = std::filesystem::path(scanner).parent_path().string();
    const CommandResult result = runCommand(
        {scanner, "-v", "-f", c.path}, "",
        {{"LD_LIBRARY_PATH", libraries}, {"HOME", home}, {"XDG_CACHE_HOME", home + "/cache"}});
    ASSERT_FALSE(result.timedOut);
    EXPECT_EQ(result.exitCode, 0) << result.err;
    const std::string report = result.out + result.err;
    const std::regex info(R"re(<VST2Info id="(-?\d+)"[^>]*n_inputs="(\d+)" n_outputs="(\d+)")re");
    std::smatch match;
    ASSERT_TRUE(std::regex_search(report, match, info)) << report;
    EXPECT_EQ(static_cast<std::uint32_t>(std::stoll(match[1])),
              static_cast<std::uint32_t>(uniqueIdOf(c.path)));
    EXPECT_EQ(match[2], "1");
    EXPECT_EQ(match[3], "2");
    EXPECT_EQ(report.find("ERROR"), std::string::npos) << report;
}

INSTANTIATE_TEST_SUITE_P(Libraries, Scanners,
                         testing::Values(ScannedPlugin{"fixture", FIXTURE_GOOD, 3},
                                         ScannedPlugin{"Tarvik", PLUGIN_TARVIK, 9},
                                         ScannedPlugin{"Ombrel", PLUGIN_OMBREL, 7},
                                         ScannedPlugin{"Quisel", PLUGIN_QUISEL, 5}),
                         [](const testing::TestParamInfo<ScannedPlugin>& info) {
                             return std::string(info.param.label);
                         });

} // namespace
