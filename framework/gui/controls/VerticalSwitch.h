// A switch of a few positions set by the vertical mouse position; its bitmap holds one image per
// position, position 0 at the top, and value k / (positions - 1) stands for position k. The bands a
// press falls into divide the image height, not the control's rectangle. Alt with a left click
// returns to the default value, which starts at 0.
#pragma once

#include <cstdint>

#include "framework/gui/controls/Control.h"

class Bitmap;

class VerticalSwitch : public Control {
public:
    // Adds a reference to the bitmap. The offset is kept but the images are always taken from
    // the bitmap's left edge and the top of image 0.
    VerticalSwitch(const Rect& size, ControlListener* listener, std::int32_t tag,
                   std::int32_t imageHeight, std::int32_t positions, Bitmap* bitmap,
                   const Point& offset);
    ~VerticalSwitch() override;

    void draw(DrawContext& context) override;
    void onMouseDown(DrawContext& context, const Point& where) override;

    std::int32_t getPositions() const { return positions; }

private:
    Bitmap* bitmap; // one reference held
    Point backgroundOffset;
    std::int32_t imageHeight;
    std::int32_t positions;
};
