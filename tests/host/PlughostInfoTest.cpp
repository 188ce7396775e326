#include "tests/host/CommandRunner.h"

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <ostream>

namespace {

TEST(PlughostInfo, JsonHasTheRecordQueriesParametersAndPrograms) {
    const CommandResult result = runPlughost({"info", "--json", FIXTURE_GOOD});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(result.err, "");
    const auto json = nlohmann::json::parse(result.out, nullptr, false);
    ASSERT_FALSE(json.is_discarded()) << result.out;

    EXPECT_EQ(json["magic"], "VstP");
    EXPECT_EQ(json["uniqueID"], "HFix");
    EXPECT_EQ(json["uniqueIDHex"], "0x48466978");
    EXPECT_EQ(json["version"], 3);
    EXPECT_EQ(json["numPrograms"], 4);
    EXPECT_EQ(json["numParams"], 3);
    EXPECT_EQ(json["numInputs"], 1);
    EXPECT_EQ(json["numOutputs"], 2);
    EXPECT_EQ(json["flags"], 24);
    EXPECT_EQ(json["flagNames"], nlohmann::json({"effFlagsCanMono", "effFlagsCanReplacing"}));
    EXPECT_EQ(json["initialDelay"], 0);
    EXPECT_EQ(json["ioRatio"], 1.0);
    EXPECT_EQ(json["vstVersion"], 2400);
    EXPECT_EQ(json["category"], 1);
    EXPECT_EQ(json["canDo"]["bypass"], 1);

    // Read on program 0, after the listing of the programs switched through all of them.
    const nlohmann::json parameters = {
        {{"index", 0}, {"name", "Left"}, {"unit", "x"}, {"display", "  0.5000"}, {"value", 0.5}},
        {{"index", 1}, {"name", "Right"}, {"unit", "x"}, {"display", "  0.2500"}, {"value", 0.25}},
        {{"index", 2},
         {"name", " Spare  "},
         {"unit", " units  "},
         {"display", "  0.0000"},
         {"value", 0.0}},
    };
    EXPECT_EQ(json["parameters"], parameters);
    const nlohmann::json programs = {{{"index", 0}, {"name", "Bright"}},
                                     {{"index", 1}, {"name", "Dark"}},
                                     {{"index", 2}, {"name", "Name of 23 characters.."}},
                                     {{"index", 3}, {"name", " Blank  "}}};
    EXPECT_EQ(json["programs"], programs);
}

TEST(PlughostInfo, TextShowsCodesFlagsAndQuotedTexts) {
    const CommandResult result = runPlughost({"info", FIXTURE_GOOD});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    for (const char* expected :
         {"uniqueID       HFix 0x48466978", "magic          VstP 0x56737450",
          "flags          24 (effFlagsCanMono | effFlagsCanReplacing)", "category       1 (effect)",
          "\" Spare  \"", "\" units  \"", "     3  \" Blank  \""}) {
        EXPECT_NE(result.out.find(expected), std::string::npos) << expected << "\n" << result.out;
    }
}

struct FailureCase {
    const char* label;
    std::vector<std::string> arguments;
    int exitCode;
    const char* message;
};

void PrintTo(const FailureCase& c, std::ostream* out) {
    *out << c.label;
}

class PlughostInfoFailures : public testing::TestWithParam<FailureCase> {};

TEST_P(PlughostInfoFailures, ExitNonZeroWithOneLineOnStderr) {
    const FailureCase& c = GetParam();
    const CommandResult result = runPlughost(c.arguments);
    EXPECT_EQ(result.exitCode, c.exitCode);
    EXPECT_EQ(result.out, "");
    const auto lines = linesOf(result.err);
    ASSERT_EQ(lines.size(), 1u) << result.err;
    EXPECT_NE(lines[0].find(c.message), std::string::npos) << lines[0];
}

INSTANTIATE_TEST_SUITE_P(
    Cases, PlughostInfoFailures,
    testing::Values(
        FailureCase{"missingFile", {"info", "/nonexistent/Plugin.so"}, 1, "cannot load"},
        FailureCase{"noEntryPoint", {"info", FIXTURE_NO_ENTRY}, 1, "no entry point"},
        FailureCase{"mainReturnsNull", {"info", FIXTURE_NULL_MAIN}, 1, "returned no plug-in"},
        FailureCase{"unknownOption", {"info", "--yaml", FIXTURE_GOOD}, 2, "unknown option --yaml"},
        FailureCase{"noPlugin", {"info"}, 2, "usage"},
        FailureCase{"unknownCommand", {"inspect", FIXTURE_GOOD}, 2, "unknown command"}),
    [](const testing::TestParamInfo<FailureCase>& info) { return std::string(info.param.label); });

TEST(PlughostInfo, ReportsATextWrittenPastItsBufferAsAnError) {
    const CommandResult result = runPlughost({"info", FIXTURE_OVERRUN});
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_NE(result.out.find("\"much too long\""), std::string::npos);
    EXPECT_EQ(result.err,
              "plughost: error: parameter 1 unit: wrote 5 bytes past the end of its 9-byte "
              "buffer\n");
}

} // namespace
