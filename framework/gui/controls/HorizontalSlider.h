// A slider whose handle moves left and right. styleOriginRight measures a drag from the right
// end, which is where an undecorated style draws value 0.
#pragma once

#include "framework/gui/controls/Slider.h"

class HorizontalSlider : public Slider {
public:
    HorizontalSlider(const Rect& size, ControlListener* listener, std::int32_t tag,
                     std::int32_t minimumPosition, std::int32_t maximumPosition, Bitmap* handle,
                     Bitmap* body, const Point& bodyOffset, std::int32_t style)
        : Slider(Axis::horizontal, size, listener, tag, minimumPosition, maximumPosition, handle,
                 body, bodyOffset, style) {}
};
