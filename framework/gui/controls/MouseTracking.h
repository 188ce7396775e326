// What the controls that follow the mouse share: telling the listener of a change, and the
// drag loop that polls the devices until nothing is held any more.
#pragma once

#include <functional>

#include "framework/gui/Point.h"

class Control;
class DrawContext;
class EditorBase;

// Calls the control's listener with the event's context; a control without a listener only
// keeps its value.
void tellListener(DrawContext& context, Control& control);
// The same, but only when the value differs from the one last drawn.
void tellListenerIfChanged(DrawContext& context, Control& control);

// Marks the editor of the control's frame as tracking the mouse for as long as it lives, so
// that a host closing the editor from inside the loop's idle waits for the loop to end.
class MouseTrackingScope {
public:
    explicit MouseTrackingScope(Control& control);
    ~MouseTrackingScope();
    MouseTrackingScope(const MouseTrackingScope&) = delete;
    MouseTrackingScope& operator=(const MouseTrackingScope&) = delete;

    // True once the host has asked to close the editor: the loop lets go of the mouse.
    bool closeRequested() const;

private:
    EditorBase* editor;
};

// Calls step with the press point and then with each polled cursor position (window
// coordinates), for as long as any mouse button or any of Shift, Control and Alt is held (a
// modifier key still down after the button is released keeps the drag going) and the host
// has not asked to close the editor. Between polls the loop yields for about a millisecond
// and lets the editor idle, so that other controls and the host keep running while the drag
// never returns to the message loop.
void followMouseWhileHeld(DrawContext& context, Control& control, Point where,
                          const std::function<void(const Point& where)>& step);
