// A two-state button that flips as soon as it is pressed. Its bitmap holds the off image above
// the on image, each half the bitmap's height; any value but 0 shows the on image.
#pragma once

#include <cstdint>

#include "framework/gui/controls/Control.h"

class Bitmap;

class ToggleButton : public Control {
public:
    // Adds a reference to the bitmap; without one the button draws nothing but still toggles.
    ToggleButton(const Rect& size, ControlListener* listener, std::int32_t tag, Bitmap* bitmap);
    ~ToggleButton() override;

    void draw(DrawContext& context) override;
    // Any press flips the value (a value whose integer part is not 0 counts as on), draws at
    // once and reports; no tracking.
    void onMouseDown(DrawContext& context, const Point& where) override;

private:
    Bitmap* bitmap; // one reference held, may be none
};
