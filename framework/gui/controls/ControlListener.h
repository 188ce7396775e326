// What a control tells when the user changes its value: the editors implement it.
#pragma once

class Control;
class DrawContext;

class ControlListener {
public:
    // The context is the one of the mouse event, so the listener can redraw at once.
    virtual void valueChanged(DrawContext& context, Control* control);

protected:
    // Nobody destroys a listener through this interface.
    ~ControlListener() = default;
};

inline void ControlListener::valueChanged(DrawContext&, Control*) {}
