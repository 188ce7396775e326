// What the controls that follow the mouse share: telling the listener of a change, and the
// drag loop that polls the devices until nothing is held any more.
#pragma once

#include <functional>

#include "framework/gui/Point.h"

class Control;
class DrawContext;

// Calls the control's listener with the event's context; a control without a listener only
// keeps its value.
void tellListener(DrawContext& context, Control& control);
// The same, but only when the value differs from the one last drawn.
void tellListenerIfChanged(DrawContext& context, Control& control);

// Calls step with the press point and then with each polled cursor position (window
// coordinates), for as long as any mouse button or any of Shift, Control and Alt is held: a
// modifier key still down after the button is released keeps the drag going. Between polls
// the loop yields for about a millisecond and lets the editor idle, so that other controls and
// the host keep running while the drag never returns to the message loop.
void followMouseWhileHeld(DrawContext& context, Control& control, Point where,
                          const std::function<void(const Point& where)>& step);
