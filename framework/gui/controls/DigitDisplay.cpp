#include "framework/gui/controls/DigitDisplay.h"

#include <cmath>

#include "framework/gui/Bitmap.h"

namespace {

std::int32_t clampDigitCount(std::int32_t count) {
    if (count < 0) {
        return 0;
    }
    return count > DigitDisplay::maximumDigits ? DigitDisplay::maximumDigits : count;
}

// 10^digits - 1, the largest number the digits hold.
float largestShown(std::int32_t digits) {
    std::int64_t largest = 1;
    for (std::int32_t i = 0; i < digits; ++i) {
        largest *= 10;
    }
    return static_cast<float>(largest - 1);
}

// Truncates toward 0, keeping the result where 64-bit arithmetic stays exact.
std::int64_t truncateWhole(double value) {
    if (value != value) {
        return 0;
    }
    constexpr double limit = 1.0e15;
    if (value > limit) {
        return static_cast<std::int64_t>(limit);
    }
    if (value < -limit) {
        return -static_cast<std::int64_t>(limit);
    }
    return static_cast<std::int64_t>(value);
}

} // namespace

DigitDisplay::DigitDisplay(const Rect& size, ControlListener* listener, std::int32_t tag,
                           std::int32_t initialValue, std::int32_t digitCount,
                           const std::int32_t* xPositions, const std::int32_t* yPositions,
                           std::int32_t digitWidth, std::int32_t digitHeight, Bitmap* bitmap)
    : Control(size, listener, tag), bitmap(bitmap), digitCount(clampDigitCount(digitCount)),
      digitWidth(digitWidth), digitHeight(digitHeight) {
    value = static_cast<float>(initialValue);
    for (std::int32_t i = 0; i < this->digitCount; ++i) {
        this->xPositions[i] = xPositions != nullptr ? xPositions[i] : 0;
        this->yPositions[i] = yPositions != nullptr ? yPositions[i] : 0;
    }
    maximum = largestShown(this->digitCount);
    minimum = 0.0f;
    if (bitmap != nullptr) {
        bitmap->addRef();
    }
}

DigitDisplay::~DigitDisplay() {
    if (bitmap != nullptr) {
        bitmap->release();
    }
}

void DigitDisplay::setMin(float newMinimum) {
    minimum = newMinimum < 0.0f ? 0.0f : newMinimum;
}

void DigitDisplay::setMax(float newMaximum) {
    const float least = largestShown(digitCount);
    maximum = newMaximum < least ? least : newMaximum;
}

float DigitDisplay::getNormalizedValue() {
    if (!(maximum > 0.0f)) {
        return 0.0f;
    }
    float normalized = value / maximum;
    if (normalized > 1.0f) {
        normalized = 1.0f;
    }
    if (!(normalized >= 0.0f)) {
        normalized = 0.0f;
    }
    return normalized;
}

void DigitDisplay::draw(DrawContext& context) {
    const std::int64_t top = truncateWhole(maximum);
    const std::int64_t bottom = truncateWhole(minimum);
    const std::int64_t whole = truncateWhole(value);
    std::int64_t number = top <= whole ? top : (bottom <= whole ? whole : bottom);

    std::int64_t divisor = (top + 1) / 10;
    std::int32_t digits[maximumDigits] = {};
    for (std::int32_t i = 0; i < digitCount; ++i) {
        const std::int64_t digit = divisor > 0 ? number / divisor : 0;
        number -= digit * divisor;
        divisor /= 10;
        digits[i] = static_cast<std::int32_t>(digit > 9 ? 9 : (digit < 0 ? 0 : digit));
    }
    if (bitmap != nullptr) {
        for (std::int32_t i = 0; i < digitCount; ++i) {
            const Rect place(xPositions[i], yPositions[i], xPositions[i] + digitWidth,
                             yPositions[i] + digitHeight);
            bitmap->draw(context, place, Point(0, digits[i] * digitHeight));
        }
    }
    drawnValue = value;
}
