#include "framework/gui/controls/ButtonPress.h"

#include "framework/gui/DrawContext.h"
#include "framework/gui/controls/Control.h"
#include "framework/gui/controls/MouseTracking.h"

namespace {

float opposite(float value) {
    return value == 0.0f ? 1.0f : 0.0f;
}

} // namespace

void trackButtonPress(DrawContext& context, Control& control, const Point& where) {
    const float atPress = control.getValue();
    if (context.getButtonState() == 0) {
        control.setValue(opposite(control.getValue()));
        tellListener(context, control);
        return;
    }
    followMouseWhileHeld(context, control, where, [&](const Point& cursor) {
        control.setValue(cursor.isInside(control.getSize()) ? opposite(atPress) : atPress);
        tellListenerIfChanged(context, control);
    });
}
