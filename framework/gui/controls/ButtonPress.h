// The press of the two buttons that act on release (the filmstrip and the momentary button).
#pragma once

class Control;
class DrawContext;
struct Point;

// While anything is held, the value is the opposite of the one at the press as long as the
// cursor is over the control (all edges count) and the value at the press elsewhere, and the
// listener hears of each change. A press that finds nothing held any more flips the value and
// reports at once. The value reached at the release stays.
void trackButtonPress(DrawContext& context, Control& control, const Point& where);
