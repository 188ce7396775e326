// Shows its value as decimal digits copied from a digit bitmap (the ten digits 0 to 9
// stacked, each digitHeight tall) to positions of their own, which need not lie inside the
// control's rectangle. It does not react to the mouse.
//
// The range stays one the digits can show: the maximum is never below 10^digits - 1 and the
// minimum never below 0, so no place's divisor reaches 0 and no digit is negative. A larger
// maximum fills the leading places from higher powers of ten.
#pragma once

#include <cstdint>

#include "framework/gui/controls/Control.h"

class Bitmap;

class DigitDisplay : public Control {
public:
    static constexpr std::int32_t maximumDigits = 7;

    // At most seven digits: a larger count is taken as seven, and the first that many
    // positions are copied. The range becomes 0 .. 10^digits - 1. Adds a reference to the
    // bitmap.
    DigitDisplay(const Rect& size, ControlListener* listener, std::int32_t tag,
                 std::int32_t initialValue, std::int32_t digitCount, const std::int32_t* xPositions,
                 const std::int32_t* yPositions, std::int32_t digitWidth, std::int32_t digitHeight,
                 Bitmap* bitmap);
    ~DigitDisplay() override;

    // The value truncated and held in the range, digit by digit, the most significant first.
    void draw(DrawContext& context) override;
    // Raised to 0 when negative.
    void setMin(float newMinimum) override;
    // Raised to 10^digits - 1 when below it.
    void setMax(float newMaximum) override;

    // The value over the maximum, held in 0..1.
    virtual float getNormalizedValue();

    std::int32_t getDigitCount() const { return digitCount; }

private:
    Bitmap* bitmap; // one reference held
    std::int32_t digitCount;
    std::int32_t xPositions[maximumDigits] = {};
    std::int32_t yPositions[maximumDigits] = {};
    std::int32_t digitWidth;
    std::int32_t digitHeight;
};
