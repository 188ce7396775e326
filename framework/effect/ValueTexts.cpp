// The short texts the host shows as parameter values: at most 8 characters and the
// terminator, into a buffer the caller supplies.
#include <cmath>
#include <cstdio>
#include <cstring>

#include "framework/effect/EffectBase.h"

namespace {

constexpr int kTextWidth = 8;
constexpr char kHugeText[] = " Huge!  ";

char digitOf(double x) {
    return static_cast<char>('0' + static_cast<int>(x));
}

void writeHuge(char* text) {
    std::memcpy(text, kHugeText, sizeof(kHugeText));
}

} // namespace

void EffectBase::floatToText(float value, char* text) {
    double v = value;
    int count = 0;
    const bool negative = v < 0;
    // Values whose integer digits would not fit beside the sign and the point would lose
    // their leading digit and show a different number, so they count as too large.
    if (std::isnan(v) || (negative && -v >= 1000000.0) || (!negative && v >= 10000000.0)) {
        writeHuge(text);
        return;
    }
    if (negative) {
        v = -v;
        count = 1;
    }

    // Integer digits and the point, built from the right.
    char integerPart[kTextWidth + 1];
    int start = kTextWidth;
    integerPart[start] = 0;
    integerPart[--start] = '.';
    ++count;
    double n = std::floor(v);
    integerPart[--start] = digitOf(std::fmod(n, 10.0));
    n /= 10.0;
    ++count;
    while (n >= 1.0 && count < kTextWidth) {
        integerPart[--start] = digitOf(std::fmod(n, 10.0));
        n /= 10.0;
        ++count;
    }
    if (negative) {
        integerPart[--start] = '-';
    }
    const int integerLength = kTextWidth - start;
    std::memcpy(text, integerPart + start, integerLength + 1);
    if (count >= kTextWidth) {
        return;
    }

    // Fraction digits, truncated, built from the right.
    const int fractionLength = kTextWidth - count;
    double f = std::fmod(v, 1.0) * std::pow(10.0, fractionLength);
    char* fraction = text + integerLength;
    for (int i = fractionLength - 1; i >= 0; --i) {
        if (f <= 0) {
            fraction[i] = '0';
        } else {
            fraction[i] = digitOf(std::fmod(f, 10.0));
            f /= 10.0;
        }
    }
    fraction[fractionLength] = 0;
}

void EffectBase::decibelToText(float gain, char* text) {
    if (!(gain > 0.0f)) {
        std::memcpy(text, "  -oo   ", 9);
        return;
    }
    floatToText(static_cast<float>(20.0 * std::log10(static_cast<double>(gain))), text);
}

void EffectBase::samplesToHzText(float samples, char* text) {
    const float rate = getSampleRate();
    if (samples == 0.0f) {
        floatToText(0.0f, text);
        return;
    }
    floatToText(static_cast<float>(static_cast<double>(rate) / samples), text);
}

void EffectBase::samplesToMsText(float samples, char* text) {
    floatToText(static_cast<float>((samples * 1000.0) / getSampleRate()), text);
}

void EffectBase::integerToText(std::int32_t value, char* text) {
    // Below -9,999,999 the text would need more than 8 characters and be cut to a
    // different number.
    if (value >= 100000000 || value < -9999999) {
        writeHuge(text);
        return;
    }
    char scratch[16];
    std::snprintf(scratch, sizeof(scratch), "%7d", static_cast<int>(value));
    scratch[kTextWidth] = 0;
    std::memcpy(text, scratch, std::strlen(scratch) + 1);
}
