#include "host/PluginInstance.h"
#include "host/PluginLibrary.h"

#include <gtest/gtest.h>

#include <ostream>

namespace {

using vsthost::PluginInstance;
using vsthost::PluginLibrary;

struct LoadFailure {
    const char* label;
    const char* path;
    const char* message; // a part of the one-line error
};

void PrintTo(const LoadFailure& c, std::ostream* out) {
    *out << c.label;
}

class LoadFailures : public testing::TestWithParam<LoadFailure> {};

TEST_P(LoadFailures, GiveOneLineErrorAndNoInstance) {
    const LoadFailure& c = GetParam();
    std::string error;
    std::unique_ptr<PluginInstance> instance;
    if (auto library = PluginLibrary::load(c.path, error)) {
        instance = PluginInstance::create(library, error);
    }
    EXPECT_EQ(instance, nullptr);
    EXPECT_NE(error.find(c.message), std::string::npos) << error;
    EXPECT_EQ(error.find('\n'), std::string::npos) << error;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, LoadFailures,
    testing::Values(LoadFailure{"missingFile", "/nonexistent/Plugin.so", "cannot load"},
                    LoadFailure{"notALibrary", PLUGHOST, "cannot load"},
                    LoadFailure{"noEntryPoint", FIXTURE_NO_ENTRY, "no entry point"},
                    LoadFailure{"mainReturnsNull", FIXTURE_NULL_MAIN,
                                "returned no plug-in record"}),
    [](const testing::TestParamInfo<LoadFailure>& info) { return std::string(info.param.label); });

TEST(PluginLibrary, PrefersVSTPluginMainAndFallsBackToMain) {
    std::string error;
    auto both = PluginLibrary::load(FIXTURE_GOOD, error);
    ASSERT_NE(both, nullptr) << error;
    EXPECT_EQ(both->entryName(), "VSTPluginMain");
    auto mainOnly = PluginLibrary::load(FIXTURE_MAIN_ONLY, error);
    ASSERT_NE(mainOnly, nullptr) << error;
    EXPECT_EQ(mainOnly->entryName(), "main");
    EXPECT_NE(PluginInstance::create(mainOnly, error), nullptr) << error;
}

class FixtureInstance : public testing::Test {
protected:
    void SetUp() override {
        std::string error;
        library = PluginLibrary::load(FIXTURE_GOOD, error);
        ASSERT_NE(library, nullptr) << error;
        plugin = PluginInstance::create(library, error);
        ASSERT_NE(plugin, nullptr) << error;
    }

    std::shared_ptr<PluginLibrary> library;
    std::unique_ptr<PluginInstance> plugin;
};

TEST_F(FixtureInstance, CallbacksDuringTheEntryCallReachTheInstancesOwnHost) {
    // The fixture asks for the version with no record and the sample rate with its record
    // before returning it.
    EXPECT_EQ(plugin->host().callCount(audioMasterVersion), 1u);
    EXPECT_EQ(plugin->host().callCount(audioMasterGetSampleRate), 1u);
}

TEST_F(FixtureInstance, ReadsTextsAsWrittenWithBlanks) {
    plugin->open();
    EXPECT_EQ(plugin->parameterName(2), " Spare  ");
    EXPECT_EQ(plugin->parameterUnit(2), " units  ");
    EXPECT_EQ(plugin->parameterDisplay(0), "  0.5000");
    EXPECT_EQ(plugin->programName(), "Bright");
    plugin->setProgram(2);
    EXPECT_EQ(plugin->programName(), "Name of 23 characters..");
    EXPECT_EQ(plugin->effectName(), "Fixture");
    // An index the plug-in does not have: it writes nothing, the host reads an empty text.
    EXPECT_EQ(plugin->parameterName(3), "");
    EXPECT_TRUE(plugin->textFaults().empty());
}

TEST_F(FixtureInstance, PassesCanDoQuestionsAndProgramNames) {
    EXPECT_EQ(plugin->canDo("bypass"), 1);
    EXPECT_EQ(plugin->canDo("offline"), 0);
    plugin->setProgramName("Renamed");
    EXPECT_EQ(plugin->programName(), "Renamed");
}

TEST_F(FixtureInstance, TwoInstancesOfOneLibraryKeepTheirOwnState) {
    std::string error;
    auto other = PluginInstance::create(library, error);
    ASSERT_NE(other, nullptr) << error;
    plugin->setParameter(0, 0.125f);
    EXPECT_EQ(plugin->parameter(0), 0.125f);
    EXPECT_EQ(other->parameter(0), 0.5f);
    plugin->setBlockSize(64);
    other->setBlockSize(2048);
    EXPECT_EQ(plugin->host().blockSize.load(), 64);
    EXPECT_EQ(other->host().blockSize.load(), 2048);
}

TEST_F(FixtureInstance, CloseLeavesNoRecord) {
    plugin->resume();
    plugin->suspend();
    plugin->close();
    EXPECT_EQ(plugin->record(), nullptr);
}

TEST(PluginInstance, RecordsEveryTextWrittenPastItsBuffer) {
    std::string error;
    auto library = PluginLibrary::load(FIXTURE_OVERRUN, error);
    ASSERT_NE(library, nullptr) << error;
    auto plugin = PluginInstance::create(library, error);
    ASSERT_NE(plugin, nullptr) << error;
    EXPECT_EQ(plugin->parameterUnit(0), "x");
    EXPECT_EQ(plugin->parameterUnit(1), "much too long");
    ASSERT_EQ(plugin->textFaults().size(), 1u);
    const vsthost::TextFault& fault = plugin->textFaults()[0];
    EXPECT_EQ(fault.what, "parameter 1 unit");
    EXPECT_EQ(fault.capacity, 9u);
    EXPECT_EQ(fault.overrun, 5u);
    EXPECT_EQ(fault.describe(),
              "parameter 1 unit: wrote 5 bytes past the end of its 9-byte buffer");
}

} // namespace
