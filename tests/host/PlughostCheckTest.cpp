#include "tests/host/CommandRunner.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <ostream>
#include <regex>

namespace {

struct CheckedPlugin {
    const char* label;
    const char* path;
};

void PrintTo(const CheckedPlugin& c, std::ostream* out) {
    *out << c.label;
}

class PlughostCheckPasses : public testing::TestWithParam<CheckedPlugin> {};

TEST_P(PlughostCheckPasses, EveryCheckOnItsOwnLineThenTheCount) {
    const CheckedPlugin& c = GetParam();
    if (std::string(c.path).empty()) {
        GTEST_SKIP() << c.label << " is not part of this build";
    }
    const CommandResult result = runPlughostOnOurPlugin({"check", c.path});
    EXPECT_EQ(result.exitCode, 0) << result.out << result.err;
    const auto lines = linesOf(result.out);
    ASSERT_GT(lines.size(), 20u) << result.out;
    for (std::size_t i = 0; i + 1 < lines.size(); ++i) {
        EXPECT_TRUE(lines[i].starts_with("PASS  ")) << lines[i];
    }
    EXPECT_EQ(lines.back(), std::to_string(lines.size() - 1) + " passed, 0 failed");
}

INSTANTIATE_TEST_SUITE_P(Libraries, PlughostCheckPasses,
                         testing::Values(CheckedPlugin{"fixture", FIXTURE_GOOD},
                                         CheckedPlugin{"Tarvik", PLUGIN_TARVIK},
                                         CheckedPlugin{"Ombrel", PLUGIN_OMBREL},
                                         CheckedPlugin{"Quisel", PLUGIN_QUISEL}),
                         [](const testing::TestParamInfo<CheckedPlugin>& info) {
                             return std::string(info.param.label);
                         });

TEST(PlughostCheck, ReportsEachFaultAndRunsTheRestAfterACrash) {
    const CommandResult result = runPlughost({"check", FIXTURE_BROKEN});
    EXPECT_EQ(result.exitCode, 1);
    const auto lines = linesOf(result.out);
    ASSERT_FALSE(lines.empty());
    auto lineAbout = [&](const std::string& name) {
        for (const std::string& line : lines) {
            if (line.find(name) != std::string::npos) {
                return line;
            }
        }
        return std::string();
    };
    EXPECT_TRUE(lineAbout("parameters at NaN").starts_with("FAIL  ")) << result.out;
    EXPECT_NE(lineAbout("parameters at NaN").find("crashed"), std::string::npos) << result.out;
    EXPECT_EQ(lineAbout("blocks of 512 frames"),
              "FAIL  blocks of 512 frames (512 announced): processReplacing: output channel 0 "
              "written 2 frames past the 512 it was given");
    // Nothing is written for a count of 0.
    EXPECT_TRUE(lineAbout("blocks of 0 frames").starts_with("PASS  ")) << result.out;
    EXPECT_TRUE(lineAbout("program names of").starts_with("PASS  ")) << result.out;
    EXPECT_TRUE(lineAbout("blocks of 1 frames").starts_with("FAIL  ")) << result.out;
    std::smatch counts;
    const std::regex closing(R"((\d+) passed, (\d+) failed)");
    ASSERT_TRUE(std::regex_match(lines.back(), counts, closing)) << lines.back();
    EXPECT_EQ(std::stoul(counts[1]) + std::stoul(counts[2]), lines.size() - 1);
    EXPECT_GT(std::stoul(counts[2]), 1u);
}

TEST(PlughostCheck, JsonListsTheChecksWithTheirCounts) {
    const CommandResult result = runPlughost({"check", "--json", FIXTURE_OVERRUN});
    EXPECT_EQ(result.exitCode, 1);
    const auto json = nlohmann::json::parse(result.out, nullptr, false);
    ASSERT_FALSE(json.is_discarded()) << result.out;
    EXPECT_EQ(json["failed"], 1);
    EXPECT_EQ(json["passed"].get<std::size_t>() + 1, json["checks"].size());
    for (const auto& check : json["checks"]) {
        const bool texts = check["name"].get<std::string>().starts_with("texts");
        EXPECT_EQ(check["passed"], !texts) << check["name"];
        if (texts) {
            EXPECT_EQ(check["detail"],
                      "parameter 1 unit: wrote 5 bytes past the end of its 9-byte buffer");
        }
    }
}

TEST(PlughostCheck, FailsInOneLineWhenThereIsNoPlugin) {
    const CommandResult result = runPlughost({"check", FIXTURE_NULL_MAIN});
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(linesOf(result.err).size(), 1u) << result.err;
}

} // namespace
