// A handle picture that travels over a body picture along a straight track; dragging the
// handle sets the value between 0 and 1. VerticalSlider and HorizontalSlider are the two
// directions of this one control.
//
// Positions are window coordinates of the handle's leading edge (its top edge, or its left
// edge) at the two ends of the travel. Drawing and dragging agree when the minimum position
// is the control's leading edge plus the handle offset along the track.
//
// Gestures: a press on the handle with the left button drags it, keeping the grip point
// under the cursor; Shift makes the drag ten times finer, anchored where Shift was pressed;
// Alt with the left button returns to the default value. A press on the body does nothing.
#pragma once

#include <cstdint>

#include "framework/gui/controls/Control.h"
#include "framework/gui/controls/ControlStyles.h"

class Bitmap;

class Slider : public Control {
public:
    ~Slider() override;

    void draw(DrawContext& context) override;
    void onMouseDown(DrawContext& context, const Point& where) override;

    // Whether the handle's colorTransparent pixels let the body show through (the default).
    virtual void setTransparentHandle(bool state);
    // Added to the handle's drawn position inside the control.
    virtual void setHandleOffset(const Point& offset);

    // Where the handle's leading edge was last drawn, in window coordinates.
    std::int32_t getHandlePosition() const { return handlePosition; }
    Bitmap* getHandle() const { return handle; }
    Bitmap* getBody() const { return body; }

protected:
    enum class Axis { vertical, horizontal };

    // Adds a reference to the handle and to the body, if there is one.
    Slider(Axis axis, const Rect& size, ControlListener* listener, std::int32_t tag,
           std::int32_t minimumPosition, std::int32_t maximumPosition, Bitmap* handle, Bitmap* body,
           const Point& bodyOffset, std::int32_t style);

private:
    bool isVertical() const { return axis == Axis::vertical; }
    std::int32_t along(const Point& point) const { return isVertical() ? point.v : point.h; }
    std::int32_t keepOnTrack(std::int32_t leading, std::int32_t length) const;
    bool hitsHandle(const Point& where) const;
    void reportChange(DrawContext& context);

    Axis axis;
    Bitmap* handle; // one reference held
    Bitmap* body;   // one reference held, may be none
    std::int32_t handleWidth = 0;
    std::int32_t handleHeight = 0;
    Point bodyOffset;
    Point handleOffset{0, 0};
    std::int32_t minimumPosition;
    std::int32_t maximumPosition;
    std::int32_t style;
    std::int32_t handlePosition;
    bool transparentHandle = true;
    // The drawn handle's smallest leading edge and largest trailing edge inside the control.
    std::int32_t lowLimit;
    std::int32_t highLimit;
    std::int32_t controlWidth;
    std::int32_t controlHeight;
};
