// What a host sees of the three plug-ins through plughost info: the record's counts, the
// programs, and every parameter's texts exactly as written into the host's buffers.
#include "tests/host/CommandRunner.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <ostream>

namespace {

struct ParameterTexts {
    const char* name;
    const char* unit;
    const char* display; // at program 0
    double value;
};

struct OurPlugin {
    const char* label;
    const char* path;
    std::vector<ParameterTexts> parameters;
};

void PrintTo(const OurPlugin& c, std::ostream* out) {
    *out << c.label;
}

class OurPlugins : public testing::TestWithParam<OurPlugin> {
protected:
    void SetUp() override {
        if (std::string(GetParam().path).empty()) {
            GTEST_SKIP() << GetParam().label << " is not part of this build";
        }
    }
};

TEST_P(OurPlugins, InfoJsonShowsRecordProgramsAndParameterTexts) {
    const OurPlugin& c = GetParam();
    const CommandResult result = runPlughostOnOurPlugin({"info", "--json", c.path});
    // A text written past its buffer would make info fail with the reason on stderr.
    ASSERT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(result.err, "");
    const auto json = nlohmann::json::parse(result.out, nullptr, false);
    ASSERT_FALSE(json.is_discarded()) << result.out;

    EXPECT_EQ(json["magic"], "VstP");
    EXPECT_EQ(json["version"], 1);
    EXPECT_EQ(json["numPrograms"], 16);
    EXPECT_EQ(json["numParams"], c.parameters.size());
    EXPECT_EQ(json["numInputs"], 1);
    EXPECT_EQ(json["numOutputs"], 2);
    EXPECT_EQ(json["initialDelay"], 0);
    EXPECT_EQ(json["ioRatio"], 1.0);
    EXPECT_EQ(json["vstVersion"], 2);

    ASSERT_EQ(json["programs"].size(), 16u);
    for (int k = 0; k < 16; ++k) {
        EXPECT_EQ(json["programs"][k]["index"], k);
        EXPECT_EQ(json["programs"][k]["name"], "Init " + std::to_string(k + 1));
    }
    ASSERT_EQ(json["parameters"].size(), c.parameters.size());
    for (std::size_t i = 0; i < c.parameters.size(); ++i) {
        const nlohmann::json& p = json["parameters"][i];
        const ParameterTexts& expected = c.parameters[i];
        EXPECT_EQ(p["index"], i);
        EXPECT_EQ(p["name"], expected.name) << "parameter " << i;
        EXPECT_EQ(p["unit"], expected.unit) << "parameter " << i;
        EXPECT_EQ(p["display"], expected.display) << "parameter " << i;
        EXPECT_EQ(p["value"], expected.value) << "parameter " << i;
    }
}

TEST_P(OurPlugins, InfoTextListsTheSameProgramsAndCounts) {
    const OurPlugin& c = GetParam();
    const CommandResult result = runPlughostOnOurPlugin({"info", c.path});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    for (const std::string& expected :
         {std::string("programs       16"), "parameters     " + std::to_string(c.parameters.size()),
          std::string("inputs         1"), std::string("outputs        2"),
          std::string("    15  \"Init 16\"")}) {
        EXPECT_NE(result.out.find(expected), std::string::npos) << expected << "\n" << result.out;
    }
}

// Unit texts longer than 8 characters reach the host as their first 8, which differ only
// by trailing blanks.
INSTANTIATE_TEST_SUITE_P(Libraries, OurPlugins,
                         testing::Values(OurPlugin{"Tarvik",
                                                   PLUGIN_TARVIK,
                                                   {{" Delay  ", "samples ", "0.500000", 0.5},
                                                    {"FeedBack", " amount ", "0.500000", 0.5},
                                                    {" Volume ", "   dB   ", "-2.49877", 0.75},
                                                    {" freq ", "   fr   ", "0.500000", 0.5},
                                                    {" depth ", "   dep  ", "0.500000", 0.5},
                                                    {" Mfreq ", "  M fr  ", "0.500000", 0.5},
                                                    {" Mdepth ", "  M dep ", "0.500000", 0.5},
                                                    {" Delay ", "  Delay ", "0.500000", 0.5},
                                                    {" D Feed ", "  D Feed", "0.500000", 0.5}}},
                                         OurPlugin{"Ombrel",
                                                   PLUGIN_OMBREL,
                                                   {{" Delay  ", "samples ", "0.500000", 0.5},
                                                    {"FeedBack", " amount ", "0.500000", 0.5},
                                                    {" freq ", "   fr   ", "0.500000", 0.5},
                                                    {" Mfreq ", "  M fr  ", "0.500000", 0.5},
                                                    {" Mdepth ", "  M dep ", "0.500000", 0.5},
                                                    {" Delay ", "  Delay ", "0.500000", 0.5},
                                                    {" D Feed ", "  D Feed", "0.500000", 0.5}}},
                                         OurPlugin{"Quisel",
                                                   PLUGIN_QUISEL,
                                                   {{" Delay  ", "samples ", "    882", 0.5},
                                                    {"FeedBack", " amount ", "0.500000", 0.5},
                                                    {" Volume ", "   dB   ", "-2.49877", 0.75},
                                                    {" freq ", "   fr   ", "0.500000", 0.5},
                                                    {" depth ", "   dep  ", "0.500000", 0.5}}}),
                         [](const testing::TestParamInfo<OurPlugin>& info) {
                             return std::string(info.param.label);
                         });

} // namespace
