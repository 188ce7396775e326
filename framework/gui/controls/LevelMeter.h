// A bar meter drawn from a lit and an unlit bitmap: the lit part grows from the left
// (styleHorizontal) or from the bottom, in whole steps. A rising value shows at once; a
// falling one drops by at most the fall step per redraw, so the bar sinks gently. It does not
// react to the mouse.
#pragma once

#include <cstdint>

#include "framework/gui/controls/Control.h"

class Bitmap;

inline constexpr std::int32_t styleHorizontal = 1;

class LevelMeter : public Control {
public:
    // Adds a reference to each bitmap given; without a lit bitmap it draws nothing.
    LevelMeter(const Rect& size, Bitmap* litBitmap, Bitmap* unlitBitmap, std::int32_t stepCount,
               std::int32_t style);
    ~LevelMeter() override;

    void draw(DrawContext& context) override;

    virtual void setFallStep(float step);

    float getFallStep() const { return fallStep; }
    const Rect& getLitRect() const { return litRect; }
    const Rect& getUnlitRect() const { return unlitRect; }

private:
    Bitmap* litBitmap;   // one reference held
    Bitmap* unlitBitmap; // one reference held, may be none
    std::int32_t stepCount;
    std::int32_t style;
    float fallStep = 1.0f;
    Rect litRect;
    Rect unlitRect;
};
