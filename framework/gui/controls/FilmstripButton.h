// A two-state button that flips when the button is released over it: while the press is held
// the image shows what a release there would give, and moving off the button takes it back.
// The bitmap holds the off image at its top and the on image below it.
#pragma once

#include <cstdint>

#include "framework/gui/controls/Control.h"

class Bitmap;

class FilmstripButton : public Control {
public:
    // Adds a reference to the bitmap. The offset is kept but the images are always taken from
    // the bitmap's left edge and the top of image 0.
    FilmstripButton(const Rect& size, ControlListener* listener, std::int32_t tag,
                    std::int32_t imageHeight, Bitmap* bitmap, const Point& offset);
    ~FilmstripButton() override;

    // Limits the value to 0..1 and shows the on image for anything but 0.
    void draw(DrawContext& context) override;
    void onMouseDown(DrawContext& context, const Point& where) override;

private:
    Bitmap* bitmap; // one reference held
    Point backgroundOffset;
    std::int32_t imageHeight;
};
