// Invisible until it is clicked; then it shows its bitmap over a larger rectangle, as the
// frame's exclusive view, taking every click until a click on the image hides it again.
// Value 1 is shown, 0 hidden.
#pragma once

#include <cstdint>

#include "framework/gui/controls/Control.h"

class Bitmap;

class PopupImage : public Control {
public:
    // Adds a reference to the bitmap; the image is taken from the offset.
    PopupImage(const Rect& size, ControlListener* listener, std::int32_t tag, Bitmap* bitmap,
               const Rect& popupRect, const Point& offset);
    ~PopupImage() override;

    void draw(DrawContext& context) override;
    // Shows or hides and reports. When the frame will not make it the exclusive view (another
    // view holds it, or there is no frame) the value stays 0 and nothing is reported, so what
    // is shown and the value always agree.
    void onMouseDown(DrawContext& context, const Point& where) override;

    const Rect& getPopupRect() const { return popupRect; }

private:
    Rect popupRect;
    Rect savedRect;
    Bitmap* bitmap; // one reference held
    Point backgroundOffset;
};
