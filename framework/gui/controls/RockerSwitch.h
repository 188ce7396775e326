// A three-state switch that springs back: held in its left half it is -1, in its right half
// +1, and it always ends at rest (0). Its bitmap holds three images relative to the offset:
// -1 at the top, rest in the middle, +1 at the bottom.
#pragma once

#include <cstdint>

#include "framework/gui/controls/Control.h"

class Bitmap;

class RockerSwitch : public Control {
public:
    // Adds a reference to the bitmap.
    RockerSwitch(const Rect& size, ControlListener* listener, std::int32_t tag,
                 std::int32_t imageHeight, Bitmap* bitmap, const Point& offset);
    ~RockerSwitch() override;

    // Exactly 1 shows the bottom image, exactly 0 the middle one, anything else the top one.
    void draw(DrawContext& context) override;
    // The dividing column belongs to the left half; outside both halves the value at the press
    // stays. The release always reports the rest value.
    void onMouseDown(DrawContext& context, const Point& where) override;

private:
    float valueAt(const Point& where, float outside) const;

    Bitmap* bitmap; // one reference held
    Point backgroundOffset;
    std::int32_t imageHeight;
};
