// A slider whose handle moves up and down. styleOriginBottom measures a drag from the bottom
// end, which is where an undecorated style draws value 0.
#pragma once

#include "framework/gui/controls/Slider.h"

class VerticalSlider : public Slider {
public:
    VerticalSlider(const Rect& size, ControlListener* listener, std::int32_t tag,
                   std::int32_t minimumPosition, std::int32_t maximumPosition, Bitmap* handle,
                   Bitmap* body, const Point& bodyOffset, std::int32_t style)
        : Slider(Axis::vertical, size, listener, tag, minimumPosition, maximumPosition, handle,
                 body, bodyOffset, style) {}
};
