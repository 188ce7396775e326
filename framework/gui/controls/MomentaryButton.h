// A button that is on only while it is held down over it, and always ends off. Its images are
// taken relative to the offset: off at the offset, on one image height below.
#pragma once

#include <cstdint>

#include "framework/gui/controls/Control.h"

class Bitmap;

class MomentaryButton : public Control {
public:
    // Adds a reference to the bitmap.
    MomentaryButton(const Rect& size, ControlListener* listener, std::int32_t tag,
                    std::int32_t imageHeight, Bitmap* bitmap, const Point& offset);
    ~MomentaryButton() override;

    // Limits the value to 0..1 and shows the on image for anything but 0.
    void draw(DrawContext& context) override;
    // Tracks as the filmstrip button does, then sets the value to 0 and reports once more,
    // whatever happened during the hold.
    void onMouseDown(DrawContext& context, const Point& where) override;

private:
    Bitmap* bitmap; // one reference held
    Point backgroundOffset;
    std::int32_t imageHeight;
};
