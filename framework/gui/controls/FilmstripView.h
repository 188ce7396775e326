// Shows the image of a vertical filmstrip that matches the value: the nearest of the images
// for values from 0 to 1, halves rounding up. It does not react to the mouse.
#pragma once

#include <cstdint>

#include "framework/gui/controls/Control.h"

class Bitmap;

class FilmstripView : public Control {
public:
    // Adds a reference to the bitmap; the images are taken relative to the offset.
    FilmstripView(const Rect& size, ControlListener* listener, std::int32_t tag,
                  std::int32_t imageCount, std::int32_t imageHeight, Bitmap* bitmap,
                  const Point& offset);
    ~FilmstripView() override;

    // A value above 1 is stored as 1; values at or below 0 show image 0.
    void draw(DrawContext& context) override;

private:
    Bitmap* bitmap; // one reference held
    Point backgroundOffset;
    std::int32_t imageCount;
    std::int32_t imageHeight;
};
