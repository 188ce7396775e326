#include "host/GuardedText.h"

#include <gtest/gtest.h>

#include <ostream>

#include <cctype>
#include <cstring>

namespace {

struct WriteCase {
    const char* label;
    std::size_t capacity;
    // Bytes written at the start of the buffer, terminator included where there is one.
    std::string bytes;
    std::size_t overrun;
    bool terminated;
    std::string text;
};

void PrintTo(const WriteCase& c, std::ostream* out) {
    *out << c.label;
}

class GuardedTextWrites : public testing::TestWithParam<WriteCase> {};

TEST_P(GuardedTextWrites, ReportOverrunTerminatorAndText) {
    const WriteCase& c = GetParam();
    vsthost::GuardedText buffer(c.capacity);
    std::memcpy(buffer.prepare(), c.bytes.data(), c.bytes.size());
    EXPECT_EQ(buffer.overrun(), c.overrun);
    EXPECT_EQ(buffer.terminated(), c.terminated);
    EXPECT_EQ(buffer.text(), c.text);
}

using namespace std::string_literals;

INSTANTIATE_TEST_SUITE_P(
    Cases, GuardedTextWrites,
    testing::Values(WriteCase{"nothing", 9, "", 0, true, ""},
                    WriteCase{"blanks kept", 9, " a  b   \0"s, 0, true, " a  b   "},
                    WriteCase{"eight and terminator", 9, "12345678\0"s, 0, true, "12345678"},
                    WriteCase{"terminator one past", 9, "123456789\0"s, 1, false, "123456789"},
                    WriteCase{"eleven characters", 9, "  D Feed   \0"s, 3, false, "  D Feed   "},
                    WriteCase{"no terminator inside", 9, "123456789"s, 0, false, "123456789"},
                    WriteCase{"program name", 24, "Init 16\0"s, 0, true, "Init 16"},
                    WriteCase{"program name overrun", 24, std::string(30, 'x') + "\0"s, 7, false,
                              std::string(30, 'x')}),
    [](const testing::TestParamInfo<WriteCase>& info) {
        std::string name = info.param.label;
        for (char& ch : name) {
            if (!std::isalnum(static_cast<unsigned char>(ch))) {
                ch = '_';
            }
        }
        return name;
    });

TEST(GuardedText, PrepareRearmsTheGuardAndClearsTheText) {
    vsthost::GuardedText buffer(9);
    std::memcpy(buffer.prepare(), "0123456789abc", 14);
    ASSERT_GT(buffer.overrun(), 0u);
    buffer.prepare();
    EXPECT_EQ(buffer.overrun(), 0u);
    EXPECT_EQ(buffer.text(), "");
}

} // namespace
