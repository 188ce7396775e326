#include "host/HostCallback.h"

#include <gtest/gtest.h>

#include <ostream>

#include <cstring>

namespace {

using vsthost::HostContext;

struct AnswerCase {
    const char* label;
    std::int32_t opcode;
    std::int32_t index;
    std::intptr_t value;
    const char* text; // handed as the pointer when set
    std::intptr_t answer;
};

void PrintTo(const AnswerCase& c, std::ostream* out) {
    *out << c.label;
}

class HostAnswers : public testing::TestWithParam<AnswerCase> {};

TEST_P(HostAnswers, AreThoseOfAWellBehavedHost) {
    const AnswerCase& c = GetParam();
    HostContext context;
    context.sampleRate = 48000.0f;
    context.blockSize = 256;
    context.numInputs = 1;
    context.numOutputs = 2;
    context.uniqueId = 0x516D7477;
    char text[64] = {};
    if (c.text != nullptr) {
        std::strcpy(text, c.text);
    }
    EXPECT_EQ(context.answer(nullptr, c.opcode, c.index, c.value, c.text ? text : nullptr, 0.0f),
              c.answer);
    EXPECT_EQ(context.callCount(c.opcode), 1u);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, HostAnswers,
    testing::Values(AnswerCase{"version", audioMasterVersion, 0, 0, nullptr, 2400},
                    AnswerCase{"currentId", audioMasterCurrentId, 0, 0, nullptr, 0x516D7477},
                    AnswerCase{"sampleRate", audioMasterGetSampleRate, 0, 0, nullptr, 48000},
                    AnswerCase{"blockSize", audioMasterGetBlockSize, 0, 0, nullptr, 256},
                    AnswerCase{"input0Connected", audioMasterPinConnected, 0, 0, nullptr, 0},
                    AnswerCase{"input1Unconnected", audioMasterPinConnected, 1, 0, nullptr, 1},
                    AnswerCase{"output1Connected", audioMasterPinConnected, 1, 1, nullptr, 0},
                    AnswerCase{"output2Unconnected", audioMasterPinConnected, 2, 1, nullptr, 1},
                    AnswerCase{"negativePin", audioMasterPinConnected, -1, 0, nullptr, 1},
                    AnswerCase{"noTimeInfo", audioMasterGetTime, 0, 0, nullptr, 0},
                    AnswerCase{"canSupplyIdle", audioMasterCanDo, 0, 0, "supplyIdle", 1},
                    AnswerCase{"cannotSendEvents", audioMasterCanDo, 0, 0, "sendVstEvents", -1},
                    AnswerCase{"unknownCanDo", audioMasterCanDo, 0, 0, "fly", 0},
                    AnswerCase{"nullCanDo", audioMasterCanDo, 0, 0, nullptr, 0},
                    AnswerCase{"vendorString", audioMasterGetVendorString, 0, 0, "", 1},
                    AnswerCase{"vendorNull", audioMasterGetVendorString, 0, 0, nullptr, 0},
                    AnswerCase{"unknownOpcode", 5, 0, 0, nullptr, 0},
                    AnswerCase{"farOpcode", 9999, 0, 0, nullptr, 0},
                    AnswerCase{"negativeOpcode", -3, 0, 0, nullptr, 0}),
    [](const testing::TestParamInfo<AnswerCase>& info) { return std::string(info.param.label); });

TEST(HostCallback, WritesVendorAndProductTextsTerminatedWithinTheirBuffers) {
    HostContext context;
    char text[vsthost::hostVendorTextSize + 8];
    std::memset(text, 0x55, sizeof text);
    context.answer(nullptr, audioMasterGetProductString, 0, 0, text, 0.0f);
    EXPECT_STREQ(text, vsthost::hostProductText);
    EXPECT_EQ(static_cast<unsigned char>(text[vsthost::hostVendorTextSize]), 0x55);
}

TEST(HostCallback, ReportsTheDirectoryInAStableBuffer) {
    HostContext context;
    context.setDirectory("/some/folder");
    const auto answer = context.answer(nullptr, audioMasterGetDirectory, 0, 0, nullptr, 0.0f);
    EXPECT_STREQ(reinterpret_cast<const char*>(answer), "/some/folder");
}

TEST(HostCallback, RemembersAutomation) {
    HostContext context;
    context.answer(nullptr, audioMasterAutomate, 4, 0, nullptr, 0.25f);
    EXPECT_EQ(context.lastAutomatedIndex.load(), 4);
    EXPECT_EQ(context.lastAutomatedValue.load(), 0.25f);
}

TEST(HostCallback, FindsTheContextOfABoundRecordAndForgetsItWhenUnbound) {
    HostContext first;
    HostContext second;
    first.blockSize = 64;
    second.blockSize = 128;
    AEffect a{};
    AEffect b{};
    ASSERT_TRUE(vsthost::bindRecord(&a, &first));
    ASSERT_TRUE(vsthost::bindRecord(&b, &second));
    EXPECT_EQ(vsthost::hostCallback(&a, audioMasterGetBlockSize, 0, 0, nullptr, 0.0f), 64);
    EXPECT_EQ(vsthost::hostCallback(&b, audioMasterGetBlockSize, 0, 0, nullptr, 0.0f), 128);
    vsthost::unbindRecord(&a);
    vsthost::unbindRecord(&b);
    // Unknown records get a default context's answers, not a stale one's.
    EXPECT_EQ(vsthost::hostCallback(&a, audioMasterGetBlockSize, 0, 0, nullptr, 0.0f), 512);
    EXPECT_EQ(first.callCount(audioMasterGetBlockSize), 1u);
}

TEST(HostCallback, AnswersForThePendingContextBeforeTheRecordIsKnown) {
    HostContext context;
    context.blockSize = 32;
    AEffect unknown{};
    {
        vsthost::PendingContextScope pending(&context);
        EXPECT_EQ(vsthost::hostCallback(nullptr, audioMasterGetBlockSize, 0, 0, nullptr, 0.0f), 32);
        EXPECT_EQ(vsthost::hostCallback(&unknown, audioMasterGetBlockSize, 0, 0, nullptr, 0.0f),
                  32);
    }
    EXPECT_EQ(vsthost::hostCallback(nullptr, audioMasterVersion, 0, 0, nullptr, 0.0f), 2400);
    EXPECT_EQ(context.callCount(audioMasterVersion), 0u);
}

} // namespace
