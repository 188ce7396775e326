// A rotary control: an optional background and, over it, a small handle placed on a circle by
// the value. While a button is held the value follows the angle of the cursor around the
// centre. The active arc covers 270 degrees, from the lower left (minimum) clockwise over the
// top to the lower right (maximum); the gap at the bottom snaps to the nearer end. Alt with a
// left click returns to the default value.
#pragma once

#include <cstdint>

#include "framework/gui/controls/Control.h"

class Bitmap;

class Knob : public Control {
public:
    // Adds a reference to each bitmap given. The handle runs on a circle inset by half its
    // width from the control's edge (5 pixels without a handle).
    Knob(const Rect& size, ControlListener* listener, std::int32_t tag, Bitmap* background,
         Bitmap* handle, const Point& backgroundOffset);
    ~Knob() override;

    void draw(DrawContext& context) override;
    void onMouseDown(DrawContext& context, const Point& where) override;

    // The handle's centre for the current value, relative to the control's top-left corner
    // moved out by the inset. A range of 0 gives the minimum's position.
    virtual void pointForValue(Point& point);
    // The value a point in pointForValue's coordinates stands for; nothing is stored.
    virtual float valueForPoint(const Point& point);
    // Replaces the background (none allowed), moving the reference to the new one.
    virtual void setBackground(Bitmap* newBackground);
    virtual Bitmap* getBackground();

    std::int32_t getInset() const { return inset; }
    Bitmap* getHandle() const { return handle; }

protected:
    std::int32_t inset = 5;
    Bitmap* background; // one reference held, may be none
    Bitmap* handle;     // one reference held; without it nothing is drawn
    Point backgroundOffset;
};
