// The base of every interactive or value-showing element of an editor: a view with a value,
// its range, a default value, a tag that tells the listener which parameter the control
// stands for, and the listener that hears of the user's changes.
//
// The setters only store: no clamping, no redraw, no listener call. A new value reaches the
// screen at the next drawIfChanged, which paints only when the value differs from the one
// last drawn. Setting the drawn value to anything but the value forces that repaint.
#pragma once

#include <cstdint>

#include "framework/gui/View.h"

class ControlListener;

class Control : public View {
public:
    Control(const Rect& size, ControlListener* listener, std::int32_t tag);
    ~Control() override;

    void draw(DrawContext& context) override;
    void onMouseDown(DrawContext& context, const Point& where) override;
    void drawIfChanged(DrawContext& context) override;
    void endEditing() override;
    void beginEditing() override;
    void setBackingStore(OffscreenContext* store) override;

    // Called by a control after each step of a drag, so that the rest of the editor and the
    // host keep running (at most every 50 ms, through the editor's throttled idle).
    virtual void idleTick();

    virtual void setValue(float newValue);
    virtual float getValue();
    virtual void setMin(float newMinimum);
    virtual float getMin();
    virtual void setMax(float newMaximum);
    virtual float getMax();
    virtual void setDrawnValue(float newDrawnValue);
    virtual float getDrawnValue();
    virtual void setDefaultValue(float newDefaultValue);
    virtual float getDefaultValue();
    virtual void setAcceptsMouse(bool state);
    virtual bool acceptsMouse();

    std::int32_t getTag() const { return tag; }
    ControlListener* getListener() const { return listener; }

protected:
    ControlListener* listener; // not owned
    std::int32_t tag;
    bool acceptingMouse = true;
    // The initial -1 differs from the initial value, so a new control draws the first time.
    float drawnValue = -1.0f;
    float defaultValue = 0.5f;
    float value = 0.0f;
    float minimum = 0.0f;
    float maximum = 1.0f;
};
