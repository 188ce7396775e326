#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <string>

#include "tests/effect/BareEffect.h"

namespace {

enum class Conversion { floatText, decibels, integer, milliseconds, hertz };

struct TextCase {
    Conversion conversion;
    double input;
    const char* expected;
};

std::string convert(BareEffect& effect, Conversion conversion, double input) {
    char text[32];
    std::memset(text, '#', sizeof(text));
    switch (conversion) {
    case Conversion::floatText:
        effect.floatToText(static_cast<float>(input), text);
        break;
    case Conversion::decibels:
        effect.decibelToText(static_cast<float>(input), text);
        break;
    case Conversion::integer:
        effect.integerToText(static_cast<std::int32_t>(input), text);
        break;
    case Conversion::milliseconds:
        effect.samplesToMsText(static_cast<float>(input), text);
        break;
    case Conversion::hertz:
        effect.samplesToHzText(static_cast<float>(input), text);
        break;
    }
    // Never more than 8 characters and the terminator.
    EXPECT_NE(std::memchr(text, 0, 9), nullptr);
    EXPECT_EQ(text[9], '#');
    return text;
}

const double nan = std::numeric_limits<double>::quiet_NaN();
const double inf = std::numeric_limits<double>::infinity();

const TextCase textCases[] = {
    {Conversion::floatText, 0.0, "0.000000"},
    {Conversion::floatText, 0.5, "0.500000"},
    {Conversion::floatText, 100.0, "100.0000"},
    {Conversion::floatText, 1234.5678, "1234.567"},
    {Conversion::floatText, -2.5, "-2.50000"},
    {Conversion::floatText, -0.25, "-0.25000"},
    {Conversion::floatText, 44100.0, "44100.00"},
    {Conversion::floatText, 9999999.0, "9999999."},
    {Conversion::floatText, 0.7, "0.699999"},
    {Conversion::floatText, 999.9999, "999.9998"},
    {Conversion::floatText, -999999.0, "-999999."},
    {Conversion::floatText, 100000000.0, " Huge!  "},
    {Conversion::floatText, -10000000.0, " Huge!  "},
    // Too many integer digits for the field would show a different number.
    {Conversion::floatText, 10000000.0, " Huge!  "},
    {Conversion::floatText, 12345678.0, " Huge!  "},
    {Conversion::floatText, -1000000.0, " Huge!  "},
    {Conversion::floatText, nan, " Huge!  "},
    {Conversion::floatText, inf, " Huge!  "},
    {Conversion::floatText, -inf, " Huge!  "},
    {Conversion::decibels, 1.0, "0.000000"},
    {Conversion::decibels, 0.5, "-6.02059"},
    {Conversion::decibels, 2.0, "6.020599"},
    {Conversion::decibels, 0.001, "-60.0000"},
    {Conversion::decibels, 0.0, "  -oo   "},
    {Conversion::decibels, -1.0, "  -oo   "},
    {Conversion::decibels, nan, "  -oo   "},
    {Conversion::integer, 0, "      0"},
    {Conversion::integer, 42, "     42"},
    {Conversion::integer, -5, "     -5"},
    {Conversion::integer, 12345678, "12345678"},
    {Conversion::integer, 100000000, " Huge!  "},
    {Conversion::integer, -9999999, "-9999999"},
    {Conversion::integer, -10000000, " Huge!  "},
    {Conversion::integer, -2147483647.0, " Huge!  "},
    {Conversion::milliseconds, 44100.0, "1000.000"},
    {Conversion::hertz, 441.0, "100.0000"},
    {Conversion::hertz, 0.0, "0.000000"},
};

TEST(ValueText, ConversionsWriteTheExpectedText) {
    BareEffect effect(nullptr);
    for (const TextCase& c : textCases) {
        SCOPED_TRACE(testing::Message()
                     << "input " << c.input << " conversion " << static_cast<int>(c.conversion));
        EXPECT_EQ(convert(effect, c.conversion, c.input), c.expected);
    }
}

TEST(ValueText, MillisecondsAtSampleRateZeroAreTooLarge) {
    BareEffect effect(nullptr);
    effect.setSampleRate(0.0f);
    EXPECT_EQ(convert(effect, Conversion::milliseconds, 100.0), " Huge!  ");
}

TEST(ValueText, SampleConversionsUseTheStoredRate) {
    BareEffect effect(nullptr);
    effect.setSampleRate(48000.0f);
    EXPECT_EQ(convert(effect, Conversion::milliseconds, 48000.0), "1000.000");
    EXPECT_EQ(convert(effect, Conversion::hertz, 480.0), "100.0000");
}

} // namespace
